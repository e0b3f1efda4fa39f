// The full-screen window's input: key, button and focus events, and the pointer kept at the
// centre so its movement can be read as relative motion (or read where it is, under Xwayland).
#include <X11/XKBlib.h>
#include <X11/Xutil.h>

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "platform/real/fullscreen/fullscreen_window.h"
#include "platform/real/input/input.h"
#include "platform/real/screen/screen.h"
#include "platform/real/session/session.h"

namespace {

// The key's code from its unshifted symbols (Shift+S is still the S key) in each layout group, and
// the group active in the event's state.
int key_code(Display* display, unsigned keycode, unsigned state, bool numLock) {
  return key_code_of_key(static_cast<int>(keycode), XkbGroupForCoreState(state), numLock, [&](int key, int group) {
    unsigned modifiers = 0;
    KeySym symbol = NoSymbol;
    XkbLookupKeySym(display, static_cast<KeyCode>(key), XkbBuildCoreState(0, group), &modifiers, &symbol);
    return static_cast<unsigned long>(symbol);
  });
}

double carryX = 0;  // the part of a game pixel left over by a scaled pointer movement
double carryY = 0;

// A press is the click that gave the focus back when the screen was inactive, or when it started
// before the screen became active: a window manager takes the press, focuses the window and only
// then replays the press to it. X times wrap around after 49 days: each press that counts moves
// the mark on, so the comparison never spans more than half of that.
bool gives_focus_back(Time pressed) {
  if (!gScreen.active) {
    return true;
  }
  if (gFullscreen.activeSince != 0 && static_cast<int32_t>(static_cast<uint32_t>(pressed - gFullscreen.activeSince)) < 0) {
    return true;
  }
  gFullscreen.activeSince = pressed;
  return false;
}

void handle_event(XEvent& event) {
  switch (event.type) {
    case KeyPress:
    case KeyRelease: {
      const bool numLock = (event.xkey.state & Mod2Mask) != 0;
      input_key_changed(key_code(event.xkey.display, event.xkey.keycode, event.xkey.state, numLock),
                        event.type == KeyPress);
      break;
    }
    case ButtonPress:
      // The click that gives the focus back does nothing else in the game, whichever comes first,
      // the press or the focus.
      input_x_button_changed(event.xbutton.button, true, !gives_focus_back(event.xbutton.time));
      if (!gScreen.active) {
        // A click brings the keyboard back to a screen that lost it.
        fullscreen_ask_for_focus();
      }
      break;
    case ButtonRelease:
      input_x_button_changed(event.xbutton.button, false, true);
      break;
    case FocusIn:
      if (event.xfocus.detail != NotifyPointer) {
        if (!gScreen.active) {
          gFullscreen.activeSince = server_time(gFullscreen.display, gFullscreen.window);
          gFullscreen.pointerLeft = true;
        }
        gScreen.active = true;
        gFullscreen.focusSettled = true;
      }
      break;
    case FocusOut:
      // Our own grabs report focus moving within our window: not a loss.
      if (event.xfocus.mode != NotifyGrab && event.xfocus.mode != NotifyUngrab &&
          event.xfocus.detail != NotifyPointer && event.xfocus.detail != NotifyInferior) {
        gScreen.active = false;
        input_all_keys_up();
      }
      break;
    case ConfigureNotify:
      fullscreen_window_resized(event.xconfigure.width, event.xconfigure.height);
      break;
    case Expose:
    case VisibilityNotify:
    case MapNotify:
      screen_damaged();  // the next frame is shown even if it is the same
      break;
    case MappingNotify:
      XRefreshKeyboardMapping(&event.xmapping);
      break;
    case ClientMessage:
      session_protocol_message(event.xclient);  // the window manager's close request or ping
      break;
    case DestroyNotify:
      // Destroyed under the game (a window manager's kill): the game ends as if asked to close.
      if (event.xdestroywindow.window == gFullscreen.window) {
        gFullscreen.destroyed = true;
        screen_window_gone();
        session_request_quit();
      }
      break;
    default:
      break;
  }
}

// A window manager may map the window and never hand it the keyboard (a compositor's focus rules,
// a request lost in a busy start): a window still without the focus 3 s after mapping asks again.
void ask_again_for_missing_focus() {
  using namespace std::chrono_literals;
  if (gFullscreen.focusSettled || std::chrono::steady_clock::now() - gFullscreen.mappedAt < 3s) {
    return;
  }
  gFullscreen.focusSettled = true;
  std::fprintf(stderr, "vesperine: the full-screen window had no keyboard focus 3 s after it was shown; asked for it again\n");
  fullscreen_ask_for_focus();
}

// The pointer's position on the window, false when it is on another screen.
bool query_pointer(int* x, int* y) {
  Window root = 0;
  Window child = 0;
  int rootX = 0;
  int rootY = 0;
  unsigned mask = 0;
  return XQueryPointer(gFullscreen.display, gFullscreen.window, &root, &child, &rootX, &rootY, x, y, &mask) != 0;
}

// Reads the pointer rather than motion events: motion events queued before a warp would be
// measured from the wrong centre.
bool take_pointer_motion(int* dx, int* dy) {
  Display* display = gFullscreen.display;
  int x = 0;
  int y = 0;
  if (display == nullptr || !query_pointer(&x, &y)) {
    return false;
  }
  *dx = x - gFullscreen.centreX;
  *dy = y - gFullscreen.centreY;
  if (*dx == 0 && *dy == 0) {
    return false;
  }
  // Back towards the centre by exactly the movement read: a relative warp, so motion that arrives
  // between the query and the warp stays for the next poll instead of being lost.
  XWarpPointer(display, None, None, 0, 0, 0, 0, -*dx, -*dy);
  XFlush(display);
  return true;
}

}  // namespace

void fullscreen_process_events() {
  Display* display = gFullscreen.display;
  if (display == nullptr) {
    return;
  }
  while (XPending(display) > 0) {
    XEvent event{};
    XNextEvent(display, &event);
    handle_event(event);
  }
  ask_again_for_missing_focus();
}

void fullscreen_read_pointer() {
  int x = 0;
  int y = 0;
  if (gFullscreen.pointerByPosition || gFullscreen.pointerLeft) {
    // Read where it is: where warps cannot be trusted, and back from another window, where the
    // game's pointer comes back where the player's pointer now is, not where it was left.
    int gameX = 0;
    int gameY = 0;
    if (gFullscreen.display != nullptr && query_pointer(&x, &y)) {
      gl_window_to_game(x, y, &gameX, &gameY);
      input_mouse_placed(gameX, gameY);
    }
    if (gFullscreen.pointerLeft) {
      fullscreen_centre_pointer();
    }
  } else if (take_pointer_motion(&x, &y)) {
    const double scale = gl_screen_fit().scale;  // window pixels a game pixel
    const double moveX = x / scale + carryX;
    const double moveY = y / scale + carryY;
    carryX = moveX - std::trunc(moveX);
    carryY = moveY - std::trunc(moveY);
    input_mouse_moved(static_cast<int>(moveX), static_cast<int>(moveY));
  }
}

void fullscreen_centre_pointer() {
  gFullscreen.pointerLeft = false;
  if (gFullscreen.display != nullptr && !gFullscreen.pointerByPosition) {
    XWarpPointer(gFullscreen.display, None, gFullscreen.window, 0, 0, 0, 0, gFullscreen.centreX, gFullscreen.centreY);
    XFlush(gFullscreen.display);
  }
}

void fullscreen_window_resized(int width, int height) {
  gFullscreen.centreX = width / 2;
  gFullscreen.centreY = height / 2;
  gl_fit_to_window(width, height);
}
