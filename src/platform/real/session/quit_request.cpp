// The ways the desktop ends the game from outside: a close request to the full-screen window, the
// game's window destroyed under it, the session's signals (SIGTERM at logout or shutdown, SIGHUP
// when its terminal closes, SIGINT for Ctrl+C) all become one quit request that the main loop reads
// every pass, so the game ends as QUIT ends it. A lost X display (the server ended, the connection
// killed) leaves no way back to the loop: the game's last words run, and the process ends.
#include <X11/Xlib.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "platform/platform.h"
#include "platform/real/session/session.h"

namespace {

volatile std::sig_atomic_t signalledQuit = 0;  // the first session signal, 0 before one came
bool quitRequested = false;
void (*lastWords)() = nullptr;

constexpr int kSessionSignals[] = {SIGTERM, SIGHUP, SIGINT};

// Only a flag: the game thread may be anywhere. Asked again with the same signal, the game is not
// ending, and the signal's own action ends it. Another signal is the same request: logind ends a
// session with SIGTERM and SIGHUP right after it, and the game must still save on its way out.
void on_session_signal(int signal) {
  if (signalledQuit == signal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return;
  }
  if (signalledQuit == 0) {
    signalledQuit = signal;
  }
}

// Xlib calls it from inside the call that found the connection gone, and ends the process itself
// when it returns. Either connection may be the one: GTK's or the full screen's own.
int on_display_lost(Display*) {
  static bool spoken = false;  // last words that reach the display again come back here
  if (!spoken && lastWords != nullptr) {
    spoken = true;
    lastWords();
  }
  std::fprintf(stderr, "vesperine: the connection to the X display was lost; the game ends\n");
  _exit(1);
}

}  // namespace

void session_watch_signals() {
  struct sigaction action {};
  action.sa_handler = on_session_signal;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (const int signal : kSessionSignals) {
    sigaction(signal, &action, nullptr);
  }
}

// GTK set its own handler when it opened the display; one for every connection replaces it.
void session_watch_display() { XSetIOErrorHandler(on_display_lost); }

void session_request_quit() { quitRequested = true; }

int platform_quit_requested() { return quitRequested || signalledQuit != 0 ? 1 : 0; }

void platform_on_display_lost(void (*words)()) { lastWords = words; }
