// How large a game screen this display can have, asked of GL once, before any screen opens, through
// a context of its own on a small window that is never shown.
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <algorithm>

#include "platform/platform.h"
#include "platform/real/screen/screen.h"

namespace {

int ask_gl(Display* display, int screen) {
  XVisualInfo* visual = gl_choose_visual(display, screen);
  if (visual == nullptr) {
    return 0;
  }
  const Window root = RootWindow(display, screen);
  XSetWindowAttributes attributes{};
  attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
  const Window window = XCreateWindow(display, root, 0, 0, 1, 1, 0, visual->depth, InputOutput, visual->visual,
                                      CWColormap, &attributes);
  const GLXContext context = glXCreateContext(display, visual, nullptr, True);
  // The game screen's context, if one is current, is current again afterwards.
  const GLXContext previous = glXGetCurrentContext();
  const GLXDrawable previousDrawable = glXGetCurrentDrawable();
  int largest = 0;
  if (context != nullptr && glXMakeCurrent(display, window, context)) {
    int width = 0, height = 0;
    gl_largest_screen(&width, &height);
    largest = std::min({kMaxXWindowSide, width, height});
    glXMakeCurrent(display, previousDrawable, previous);
  }
  if (context != nullptr) {
    glXDestroyContext(display, context);
  }
  XDestroyWindow(display, window);
  XFreeColormap(display, attributes.colormap);
  XFree(visual);
  return largest;
}

}  // namespace

int screen_largest_side() {
  static int largest = -1;
  if (!platform_has_display()) {
    return 0;
  }
  if (largest < 0) {
    largest = ask_gl(gdk_x11_display_get_xdisplay(gdk_display_get_default()),
                     gdk_x11_screen_get_screen_number(gdk_screen_get_default()));
  }
  // In game pixels: on a desktop of scale N each takes N of the screen's on each side.
  return largest / display_scale();
}
