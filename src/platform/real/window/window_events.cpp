// The window-event queue of the windowed and borderless kinds. GTK's signal handlers append the
// game's event codes; window_event hands them out oldest first and never waits.
#include <gtk/gtk.h>

#include <array>

#include "platform/platform.h"
#include "platform/real/input/input.h"
#include "platform/real/screen/screen.h"
#include "platform/real/session/session.h"
#include "platform/real/window/game_window.h"

namespace {

// A ring of codes; far more than one pass of the main loop ever collects.
constexpr int kQueueSize = 256;
std::array<int, kQueueSize> queue{};
int queueStart = 0;
int queueLength = 0;

// An event equal to the last one still waiting is not queued again (a burst of moves or repaints
// costs the game one handling).
void push_event(int code) {
  if (queueLength > 0 && queue[(queueStart + queueLength - 1) % kQueueSize] == code) {
    return;
  }
  if (queueLength == kQueueSize) {
    return;
  }
  queue[(queueStart + queueLength) % kQueueSize] = code;
  ++queueLength;
}

int pop_event() {
  const int code = queue[queueStart];
  queueStart = (queueStart + 1) % kQueueSize;
  --queueLength;
  return code;
}

gboolean on_delete(GtkWidget*, GdkEvent*, gpointer) {
  push_event(EventCloseRequest);
  return TRUE;  // the game decides; the window stays open
}

// Destroyed by another client (not closed through GTK): GTK destroys the widget after this. The
// screen on it goes first, without drawing into the window now gone, and the game ends as if asked
// to close.
gboolean on_destroyed_under_us(GtkWidget*, GdkEvent*, gpointer data) {
  if (static_cast<GameWindow*>(data)->drawingArea != nullptr) {
    screen_window_gone();
    screen_close();
  }
  session_request_quit();
  return FALSE;
}

gboolean on_configure(GtkWidget*, GdkEventConfigure* event, gpointer data) {
  auto* window = static_cast<GameWindow*>(data);
  GdkRectangle& last = window->lastFrame;
  if (event->width != last.width || event->height != last.height) {
    push_event(EventResized);
  } else if (event->x != last.x || event->y != last.y) {
    push_event(EventMoved);
  }
  last = GdkRectangle{event->x, event->y, event->width, event->height};
  window->configured = true;
  return FALSE;
}

gboolean on_focus_in(GtkWidget*, GdkEventFocus*, gpointer) {
  if (gScreen.kind == ScreenKind::InWindow) {
    gScreen.active = true;
  }
  push_event(EventFocusIn);
  return FALSE;
}

gboolean on_focus_out(GtkWidget*, GdkEventFocus*, gpointer) {
  if (gScreen.kind == ScreenKind::InWindow) {
    gScreen.active = false;
  }
  input_all_keys_up();
  push_event(EventFocusOut);
  return FALSE;
}

gboolean on_window_state(GtkWidget*, GdkEventWindowState* event, gpointer) {
  const int code = window_state_event_code(event->changed_mask, event->new_window_state);
  if (code != EventNone) {
    push_event(code);
  }
  return FALSE;
}

// Keys of the window feed the same states as the full-screen keys, from the unshifted symbols the
// key has in each layout group.
gboolean on_key(GtkWidget*, GdkEventKey* event, gpointer) {
  GdkKeymap* keymap = gdk_keymap_get_for_display(gdk_window_get_display(event->window));
  const int active = event->group % kLayoutGroups;
  const auto symbol = [&](int keycode, int group) {
    guint keyval = 0;
    gdk_keymap_translate_keyboard_state(keymap, static_cast<guint>(keycode), static_cast<GdkModifierType>(0), group,
                                        &keyval, nullptr, nullptr, nullptr);
    if (keyval == 0 && keycode == event->hardware_keycode && group == active) {
      keyval = event->keyval;
    }
    return static_cast<unsigned long>(keyval);
  };
  const bool numLock = (event->state & GDK_MOD2_MASK) != 0;
  input_key_changed(key_code_of_key(event->hardware_keycode, active, numLock, symbol), event->type == GDK_KEY_PRESS);
  return TRUE;
}

// Exposed: the screen lost what it showed, so the next frame is shown even if it is the same.
gboolean on_draw(GtkWidget*, cairo_t*, gpointer) {
  screen_damaged();
  push_event(EventRepaint);
  return TRUE;
}

gboolean on_button_press(GtkWidget*, GdkEventButton* event, gpointer) {
  if (event->type == GDK_2BUTTON_PRESS && event->button == 1) {
    push_event(EventLeftDoubleClick);
  }
  return TRUE;
}

gboolean on_button_release(GtkWidget*, GdkEventButton* event, gpointer) {
  if (event->button == 1) {
    push_event(EventLeftClick);
  } else if (event->button == 3) {
    push_event(EventRightClick);
  }
  return TRUE;
}

gboolean on_motion(GtkWidget*, GdkEventMotion*, gpointer) {
  push_event(EventMouseMove);
  return TRUE;
}

// The drawing area fills the window whatever size the window manager gives it (a tiling manager, a
// maximise that ignores the fixed size): the picture is fitted to it from the next frame on. GTK
// sizes it in the desktop's scaled pixels, the picture is fitted in the window's own.
void on_area_allocated(GtkWidget* area, GdkRectangle* allocation, gpointer) {
  if (gScreen.kind == ScreenKind::InWindow) {
    const int scale = gtk_widget_get_scale_factor(area);
    gl_fit_to_window(allocation->width * scale, allocation->height * scale);
  }
}

}  // namespace

int window_state_event_code(unsigned changedMask, unsigned newState) {
  const bool minimisedChanged = (changedMask & GDK_WINDOW_STATE_ICONIFIED) != 0;
  const bool maximisedChanged = (changedMask & GDK_WINDOW_STATE_MAXIMIZED) != 0;
  const bool minimised = (newState & GDK_WINDOW_STATE_ICONIFIED) != 0;
  const bool maximised = (newState & GDK_WINDOW_STATE_MAXIMIZED) != 0;
  if (!minimisedChanged && !maximisedChanged) {
    return EventNone;  // focus, fullscreen, tiling: nothing the game hears of
  }
  if (minimisedChanged && minimised) {
    return EventMinimized;
  }
  return maximised ? EventMaximized : EventRestored;
}

void window_events_connect_toplevel(GameWindow& window) {
  GtkWidget* toplevel = window.toplevel;
  gtk_widget_add_events(toplevel, GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK | GDK_FOCUS_CHANGE_MASK |
                                      GDK_STRUCTURE_MASK);
  g_signal_connect(toplevel, "delete-event", G_CALLBACK(on_delete), nullptr);
  g_signal_connect(toplevel, "destroy-event", G_CALLBACK(on_destroyed_under_us), &window);
  g_signal_connect(toplevel, "configure-event", G_CALLBACK(on_configure), &window);
  g_signal_connect(toplevel, "focus-in-event", G_CALLBACK(on_focus_in), nullptr);
  g_signal_connect(toplevel, "focus-out-event", G_CALLBACK(on_focus_out), nullptr);
  g_signal_connect(toplevel, "window-state-event", G_CALLBACK(on_window_state), nullptr);
  g_signal_connect(toplevel, "key-press-event", G_CALLBACK(on_key), nullptr);
  g_signal_connect(toplevel, "key-release-event", G_CALLBACK(on_key), nullptr);
}

void window_events_connect_drawing_area(GtkWidget* area) {
  g_signal_connect(area, "draw", G_CALLBACK(on_draw), nullptr);
  g_signal_connect(area, "button-press-event", G_CALLBACK(on_button_press), nullptr);
  g_signal_connect(area, "button-release-event", G_CALLBACK(on_button_release), nullptr);
  g_signal_connect(area, "motion-notify-event", G_CALLBACK(on_motion), nullptr);
  g_signal_connect(area, "size-allocate", G_CALLBACK(on_area_allocated), nullptr);
}

void window_events_clear() { queueStart = queueLength = 0; }

int window_event() {
  if (queueLength > 0) {
    return pop_event();
  }
  if (!platform_has_display() || !gtk_events_pending()) {
    return EventNone;
  }
  gtk_main_iteration_do(FALSE);
  return queueLength > 0 ? pop_event() : EventNothing;
}
