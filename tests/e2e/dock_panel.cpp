// vesperine-dock-panel top|bottom HEIGHT: a desktop's panel for the end-to-end tests, a dock window
// along the top or bottom edge of the screen, HEIGHT pixels tall and magenta, that reserves its strip
// (_NET_WM_STRUT and _NET_WM_STRUT_PARTIAL) as a taskbar does. Prints "shown" once it is mapped and
// stays until it is killed.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
  const bool top = argc == 3 && std::strcmp(argv[1], "top") == 0;
  const int height = argc == 3 ? std::atoi(argv[2]) : 0;
  Display* display = XOpenDisplay(nullptr);
  if ((!top && (argc != 3 || std::strcmp(argv[1], "bottom") != 0)) || height <= 0 || display == nullptr) {
    std::fputs("usage: vesperine-dock-panel top|bottom HEIGHT (on an X display)\n", stderr);
    return 2;
  }
  const int screen = DefaultScreen(display);
  const int width = DisplayWidth(display, screen);
  const int y = top ? 0 : DisplayHeight(display, screen) - height;
  XSetWindowAttributes attributes{};
  attributes.background_pixel = 0xff00ff;
  attributes.event_mask = StructureNotifyMask;
  const Window panel = XCreateWindow(display, RootWindow(display, screen), 0, y, static_cast<unsigned>(width),
                                     static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent,
                                     CWBackPixel | CWEventMask, &attributes);
  Atom dock = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
  XChangeProperty(display, panel, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(&dock), 1);
  // left, right, top, bottom; then the start and end of each strip along its edge.
  long strut[12] = {};
  strut[top ? 2 : 3] = height;
  strut[top ? 9 : 11] = width - 1;
  XChangeProperty(display, panel, XInternAtom(display, "_NET_WM_STRUT_PARTIAL", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<unsigned char*>(strut), 12);
  XChangeProperty(display, panel, XInternAtom(display, "_NET_WM_STRUT", False), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(strut), 4);
  XStoreName(display, panel, "panel");
  XMapWindow(display, panel);
  for (XEvent event{};;) {
    XNextEvent(display, &event);
    if (event.type == MapNotify) {
      std::puts("shown");
      std::fflush(stdout);
    }
  }
}
