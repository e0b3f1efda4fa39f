// vesperine-desktop-probe: the desktop's side of what the desktop requests test checks, for what
// xprop and xset do not show.
//   vesperine-desktop-probe startup-watch   prints each startup notification message sent to the
//                                           root window, one a line, until killed
//   vesperine-desktop-probe saver           prints the X server's screensaver state: On, Off or Disabled
//   vesperine-desktop-probe ping WINDOW     sends the window manager's ping; status 0 once answered
//                                           (within 2 s), and prints how long the answer took
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <sys/select.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

namespace {

Display* open_display() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "vesperine-desktop-probe: no display\n");
    std::exit(2);
  }
  return display;
}

// Waits up to `ms` for the next event; false when none came.
bool next_event(Display* display, XEvent* event, long ms) {
  if (XPending(display) == 0) {
    fd_set fds;
    FD_ZERO(&fds);
    FD_SET(ConnectionNumber(display), &fds);
    timeval wait{ms / 1000, (ms % 1000) * 1000};
    if (select(ConnectionNumber(display) + 1, &fds, nullptr, nullptr, &wait) <= 0 && XPending(display) == 0) {
      return false;
    }
  }
  XNextEvent(display, event);
  return true;
}

// A message comes in pieces of 20 bytes: the first of type _NET_STARTUP_INFO_BEGIN, the rest
// _NET_STARTUP_INFO, all from the same window, up to a zero byte.
int startup_watch() {
  Display* display = open_display();
  const Atom begin = XInternAtom(display, "_NET_STARTUP_INFO_BEGIN", False);
  const Atom more = XInternAtom(display, "_NET_STARTUP_INFO", False);
  XSelectInput(display, DefaultRootWindow(display), PropertyChangeMask);
  XSync(display, False);
  std::printf("watching\n");
  std::fflush(stdout);
  std::map<Window, std::string> pieces;
  for (XEvent event;;) {
    XNextEvent(display, &event);
    if (event.type != ClientMessage || (event.xclient.message_type != begin && event.xclient.message_type != more)) {
      continue;
    }
    std::string& text = pieces[event.xclient.window];
    if (event.xclient.message_type == begin) {
      text.clear();
    }
    const char* bytes = event.xclient.data.b;
    const size_t length = strnlen(bytes, 20);
    text.append(bytes, length);
    if (length < 20) {
      std::printf("%s\n", text.c_str());
      std::fflush(stdout);
      pieces.erase(event.xclient.window);
    }
  }
}

int saver() {
  Display* display = open_display();
  XScreenSaverInfo* info = XScreenSaverAllocInfo();
  if (info == nullptr || !XScreenSaverQueryInfo(display, DefaultRootWindow(display), info)) {
    std::fprintf(stderr, "vesperine-desktop-probe: no MIT-SCREEN-SAVER\n");
    return 2;
  }
  const char* state = info->state == ScreenSaverOn ? "On" : info->state == ScreenSaverOff ? "Off" : "Disabled";
  std::printf("%s\n", state);
  return 0;
}

int ping(Window window) {
  Display* display = open_display();
  const Window root = DefaultRootWindow(display);
  const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  const Atom pingAtom = XInternAtom(display, "_NET_WM_PING", False);
  XSelectInput(display, root, SubstructureNotifyMask);
  const long stamp = 12345;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = protocols;
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(pingAtom);
  event.xclient.data.l[1] = stamp;
  event.xclient.data.l[2] = static_cast<long>(window);
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [&] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  };
  for (XEvent reply; elapsed() < 2000;) {
    if (next_event(display, &reply, 2000 - elapsed()) && reply.type == ClientMessage &&
        reply.xclient.window == root && reply.xclient.message_type == protocols &&
        static_cast<Atom>(reply.xclient.data.l[0]) == pingAtom && reply.xclient.data.l[1] == stamp &&
        static_cast<Window>(reply.xclient.data.l[2]) == window) {
      std::printf("answered in %ld ms\n", static_cast<long>(elapsed()));
      return 0;
    }
  }
  std::printf("no answer\n");
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "startup-watch") return startup_watch();
  if (command == "saver") return saver();
  if (command == "ping" && argc == 3) return ping(std::strtoul(argv[2], nullptr, 0));
  std::fprintf(stderr, "usage: vesperine-desktop-probe startup-watch | saver | ping WINDOW\n");
  return 2;
}
