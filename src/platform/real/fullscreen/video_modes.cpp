#include "platform/real/fullscreen/video_modes.h"

#include <X11/extensions/xf86vmode.h>

#include <signal.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "platform/platform.h"

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

void restore_through_fresh_connection() {
  switched.active = false;
  switched.display = nullptr;
  if (Display* fresh = XOpenDisplay(switched.displayName.c_str())) {
    restore_through(fresh);
    XCloseDisplay(fresh);
  }
}

// The connection is dead: restore through a new one, then let the previous handler end the process.
int on_io_error(Display* display) {
  if (switched.active) {
    restore_through_fresh_connection();
  }
  if (previousIoHandler != nullptr) {
    return previousIoHandler(display);
  }
  std::_Exit(1);
}

void on_exit() { video_mode_restore(); }

// Termination signals and crashes. Xlib is not signal safe, but a process dying with the display
// left in a small mode is worse: restore through a connection of its own (the game's may be in
// the middle of a request), then hand the signal to whoever had it before (the default action,
// or a sanitizer's report).
constexpr int kFatalSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
struct sigaction previousActions[sizeof kFatalSignals / sizeof kFatalSignals[0]];

void on_fatal_signal(int signal, siginfo_t* info, void*) {
  if (switched.active) {
    restore_through_fresh_connection();
  }
  for (size_t i = 0; i < sizeof kFatalSignals / sizeof kFatalSignals[0]; ++i) {
    if (kFatalSignals[i] == signal) {
      sigaction(signal, &previousActions[i], nullptr);
    }
  }
  // A real fault repeats when the handler returns and then reaches the previous action; a signal
  // that was sent (si_code <= 0) is sent again.
  const bool fault = signal == SIGSEGV || signal == SIGBUS || signal == SIGFPE || signal == SIGILL;
  if (!fault || info == nullptr || info->si_code <= 0) {
    raise(signal);
  }
}

void install_guards() {
  if (guardsInstalled) {
    return;
  }
  guardsInstalled = true;
  std::atexit(on_exit);
  previousIoHandler = XSetIOErrorHandler(on_io_error);
  struct sigaction action {};
  action.sa_sigaction = on_fatal_signal;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  for (size_t i = 0; i < sizeof kFatalSignals / sizeof kFatalSignals[0]; ++i) {
    sigaction(kFatalSignals[i], &action, &previousActions[i]);
  }
}

// The mode the server shows now. Its list of modes starts with the one it started in, which
// another program (xvidtune, a game that left without restoring) may have switched from since.
bool shown_mode(Display* display, int screen, XF86VidModeModeInfo* mode) {
  int dotClock = 0;
  XF86VidModeModeLine line{};
  if (!XF86VidModeGetModeLine(display, screen, &dotClock, &line)) {
    return false;
  }
  if (line.privsize > 0) {
    XFree(line.c_private);
  }
  *mode = XF86VidModeModeInfo{static_cast<unsigned>(dotClock), line.hdisplay, line.hsyncstart, line.hsyncend,
                              line.htotal, line.hskew, line.vdisplay, line.vsyncstart, line.vsyncend,
                              line.vtotal, line.flags, 0, nullptr};
  return true;
}

// Without the extension nothing switches: the whole screen is one mode, and so is the first monitor
// (at the screen's top-left corner, where the window opens) when there are several.
bool fits_without_switch(Display* display, int screen, int width, int height) {
  int monitorWidth = 0;
  int monitorHeight = 0;
  desktop_size(0, &monitorWidth, &monitorHeight);
  return (width == DisplayWidth(display, screen) && height == DisplayHeight(display, screen)) ||
         (width == monitorWidth && height == monitorHeight);
}

}  // namespace

bool video_mode_switch(Display* display, int screen, int width, int height) {
  int eventBase = 0;
  int errorBase = 0;
  if (!XF86VidModeQueryExtension(display, &eventBase, &errorBase)) {
    return fits_without_switch(display, screen, width, height);
  }
  int count = 0;
  XF86VidModeModeInfo** modes = nullptr;
  XF86VidModeModeInfo shown{};
  if (!shown_mode(display, screen, &shown) || !XF86VidModeGetAllModeLines(display, screen, &count, &modes) ||
      count <= 0) {
    return false;
  }
  XF86VidModeModeInfo* wanted = nullptr;
  for (int i = 0; i < count; ++i) {
    if (modes[i]->hdisplay == width && modes[i]->vdisplay == height) {
      wanted = modes[i];
      break;
    }
  }
  bool ok = wanted != nullptr;
  if (ok && (shown.hdisplay != width || shown.vdisplay != height)) {
    install_guards();
    switched.original = shown;
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
  if (switched.display == nullptr) {
    restore_through_fresh_connection();
    return;
  }
  switched.active = false;
  restore_through(switched.display);
  switched.display = nullptr;
}
