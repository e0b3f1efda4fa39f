// The session room: what the desktop session asks of the game, and what it must know of it.
//   quit_request.cpp     the quit the desktop asks for (a close request, the game's window gone,
//                        the session's signals) and the last words when the X display is lost
//   app_identity.cpp     the game's name, class and icon on every window, its process and machine,
//                        the window manager's protocols, the launcher's startup notification
//   screensaver_hold.cpp the desktop's screensaver and blanking held off while the game is shown
//                        and active
// Owns the quit request, the icon and the startup id (their files), and the holds. It uses the
// pictures room only, to decode the icon; the screen, full-screen and window rooms call it.
#pragma once

#include <X11/Xlib.h>

// platform_init's parts, before GTK starts (the signals; the game's name; the launcher's startup
// id, which GTK takes out of the environment) and once it has a display (the icon of every GTK
// window, the end of a lost display; the startup notification left to the first frame).
void session_start();
void session_display_opened();
// platform_shutdown's part: the screensaver's holds let go for good.
void session_end();

// A close request, or the game's window gone: the main loop ends at the end of its pass.
void session_request_quit();

// The X class of every window of the game, the one the desktop entry's StartupWMClass names.
constexpr char kWindowInstanceName[] = "vesperine";
constexpr char kWindowClassName[] = "Vesperine";
// What the desktop reads on a window the game made with Xlib: its class, icon, process (with the
// machine), the launcher's startup id, and the protocols it answers (WM_DELETE_WINDOW, _NET_WM_PING).
void session_describe_window(Display* display, Window window);
// A client message to such a window: true when it was one of those protocols, answered (a ping) or
// made a quit request (a close).
bool session_protocol_message(const XClientMessageEvent& message);
// The launcher stops showing the game as starting: its first frame is shown, a message box is up,
// or it ends before either. Only the first call does anything.
void session_startup_complete();

// Called at every flip: while `hold` (the screen shown and active) the desktop's screensaver and
// screen blanking are held off, otherwise let go. Nothing is asked again while it does not change.
void session_hold_screensaver(bool hold);
