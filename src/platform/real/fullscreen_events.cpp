// The full-screen window's input: key, button and focus events, and the pointer kept at the
// centre so its movement can be read as relative motion.
#include <X11/XKBlib.h>
#include <X11/Xutil.h>

#include "platform/real/frame_cache.h"
#include "platform/real/fullscreen.h"
#include "platform/real/input_state.h"
#include "platform/real/screen_state.h"

namespace {

void handle_event(XEvent& event) {
  switch (event.type) {
    case KeyPress:
    case KeyRelease: {
      // Index 0: the unshifted symbol, so Shift+S is still the S key.
      const KeySym keysym = XLookupKeysym(&event.xkey, 0);
      const bool numLock = (event.xkey.state & Mod2Mask) != 0;
      input_key_changed(key_code_from_keysym(keysym, numLock), event.type == KeyPress);
      break;
    }
    case ButtonPress:
      input_x_button_changed(event.xbutton.button, true);
      if (!gScreen.active) {
        // A click brings the keyboard back to a screen that lost it.
        XSetInputFocus(gFullscreen.display, gFullscreen.window, RevertToParent, CurrentTime);
      }
      break;
    case ButtonRelease:
      input_x_button_changed(event.xbutton.button, false);
      break;
    case FocusIn:
      if (event.xfocus.detail != NotifyPointer) {
        gScreen.active = true;
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
    case Expose:
    case VisibilityNotify:
    case MapNotify:
      frame_cache_screen_damaged();  // the next frame is shown even if it is the same
      break;
    case MappingNotify:
      XRefreshKeyboardMapping(&event.xmapping);
      break;
    default:
      break;
  }
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
}

// Reads the pointer rather than motion events: motion events queued before a warp would be
// measured from the wrong centre.
bool fullscreen_take_pointer_motion(int* dx, int* dy) {
  Display* display = gFullscreen.display;
  if (display == nullptr) {
    return false;
  }
  Window root = 0;
  Window child = 0;
  int rootX = 0;
  int rootY = 0;
  int x = 0;
  int y = 0;
  unsigned mask = 0;
  if (!XQueryPointer(display, gFullscreen.window, &root, &child, &rootX, &rootY, &x, &y, &mask)) {
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
