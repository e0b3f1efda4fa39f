// The parts of the session room's start and end that live in its other files (session.h's
// session_start, session_display_opened and session_end run them, in app_identity.cpp).
#pragma once

// quit_request.cpp: the session's signals become the quit request; a lost display ends the game.
void session_watch_signals();
void session_watch_display();
// screensaver_hold.cpp: the desktop's screensaver service let go, and the bus closed.
void screensaver_release_for_good();
