// The modal information box of fatal errors. Works before any screen exists; without a display
// the message goes to standard error so a failed start is never silent.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/real/fullscreen/fullscreen.h"
#include "platform/real/screen/screen.h"
#include "platform/real/session/session.h"

namespace {
// A session ending while the box is up closes it: the game is on its way out anyway.
gboolean close_when_quit_requested(gpointer dialog) {
  if (platform_quit_requested() != 0) {
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_DELETE_EVENT);
  }
  return G_SOURCE_CONTINUE;
}
}  // namespace

void message_box(const std::string& title, const std::string& text, int flags) {
  if (!platform_has_display()) {
    // Without a display every later failure follows from that one: say so first, naming the one asked
    // for (--display's, else DISPLAY's).
    const char* const display = gdk_get_display_arg_name() != nullptr ? gdk_get_display_arg_name() : std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
      std::fprintf(stderr, "vesperine: no X display (DISPLAY is not set); the game needs an X11 desktop\n");
    } else {
      std::fprintf(stderr, "vesperine: cannot open the X display \"%s\"\n", display);
    }
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    return;
  }
  // A full-screen game holds keyboard and pointer; the box needs them while it is up.
  fullscreen_release_input();
  GtkWidget* dialog =
      gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_INFO, GTK_BUTTONS_OK, "%s", text.c_str());
  gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  session_startup_complete();  // the launcher's busy pointer stops for the box
  const guint watch = g_timeout_add(100, close_when_quit_requested, dialog);
  gtk_dialog_run(GTK_DIALOG(dialog));
  g_source_remove(watch);
  gtk_widget_destroy(dialog);
  // Let the window system take the window down; bounded, a busy event source must not hold us.
  for (int round = 0; round < 100 && gtk_events_pending(); ++round) {
    gtk_main_iteration_do(FALSE);
  }
  fullscreen_grab_input();
}
