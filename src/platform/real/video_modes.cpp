#include "platform/real/video_modes.h"

#include <X11/extensions/xf86vmode.h>

#include <csignal>
#include <cstdlib>
#include <string>

namespace {

struct SwitchedMode {
  bool active = false;
  Display* display = nullptr;  // the connection that switched it, while still open
  std::string displayName;     // for a fresh connection when that one is lost
  int screen = 0;
  XF86VidModeModeInfo original{};
};
SwitchedMode switched;

bool guardsInstalled = false;
XIOErrorHandler previousIoHandler = nullptr;
bool switchFailed = false;

int note_switch_error(Display*, XErrorEvent*) {
  switchFailed = true;
  return 0;
}

// Switch and wait for the server's answer: a rejected mode comes back as an asynchronous BadValue.
bool switch_to(Display* display, int screen, XF86VidModeModeInfo* mode) {
  switchFailed = false;
  XSync(display, False);
  const XErrorHandler previous = XSetErrorHandler(note_switch_error);
  XF86VidModeSwitchToMode(display, screen, mode);
  XF86VidModeSetViewPort(display, screen, 0, 0);
  XSync(display, False);
  XSetErrorHandler(previous);
  return !switchFailed;
}

void restore_through(Display* display) {
  XF86VidModeModeInfo mode = switched.original;
  switch_to(display, switched.screen, &mode);
}

// The connection is dead: restore through a new one, then let the previous handler end the process.
int on_io_error(Display* display) {
  if (switched.active) {
    switched.display = nullptr;
    if (Display* fresh = XOpenDisplay(switched.displayName.c_str())) {
      restore_through(fresh);
      XCloseDisplay(fresh);
    }
    switched.active = false;
  }
  if (previousIoHandler != nullptr) {
    return previousIoHandler(display);
  }
  std::_Exit(1);
}

void on_exit() { video_mode_restore(); }

// Termination by signal: best effort restore (Xlib is not signal safe, but a process killed with
// the display in the wrong mode is worse), then die of the same signal.
void on_fatal_signal(int signal) {
  video_mode_restore();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void install_guards() {
  if (guardsInstalled) {
    return;
  }
  guardsInstalled = true;
  std::atexit(on_exit);
  previousIoHandler = XSetIOErrorHandler(on_io_error);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    std::signal(signal, on_fatal_signal);
  }
}

}  // namespace

bool video_mode_switch(Display* display, int screen, int width, int height) {
  int eventBase = 0;
  int errorBase = 0;
  if (!XF86VidModeQueryExtension(display, &eventBase, &errorBase)) {
    return width == DisplayWidth(display, screen) && height == DisplayHeight(display, screen);
  }
  int count = 0;
  XF86VidModeModeInfo** modes = nullptr;
  if (!XF86VidModeGetAllModeLines(display, screen, &count, &modes) || count <= 0) {
    return false;
  }
  // The server lists the current mode first.
  XF86VidModeModeInfo* wanted = nullptr;
  for (int i = 0; i < count; ++i) {
    if (modes[i]->hdisplay == width && modes[i]->vdisplay == height) {
      wanted = modes[i];
      break;
    }
  }
  bool ok = wanted != nullptr;
  if (ok && (modes[0]->hdisplay != width || modes[0]->vdisplay != height)) {
    install_guards();
    switched.original = *modes[0];
    switched.original.privsize = 0;
    switched.original.c_private = nullptr;
    switched.display = display;
    switched.displayName = DisplayString(display);
    switched.screen = screen;
    switched.active = true;
    ok = switch_to(display, screen, wanted);
    if (!ok) {
      video_mode_restore();
    }
  }
  XFree(modes);
  return ok;
}

void video_mode_restore() {
  if (!switched.active) {
    return;
  }
  switched.active = false;
  if (switched.display != nullptr) {
    restore_through(switched.display);
  } else if (Display* fresh = XOpenDisplay(switched.displayName.c_str())) {
    restore_through(fresh);
    XCloseDisplay(fresh);
  }
  switched.display = nullptr;
}
