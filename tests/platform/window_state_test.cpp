// Which window-state changes become Minimized, Maximized or Restored events.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/real/game_window.h"

namespace {

constexpr unsigned kMinimised = GDK_WINDOW_STATE_ICONIFIED;
constexpr unsigned kMaximised = GDK_WINDOW_STATE_MAXIMIZED;
constexpr unsigned kFocused = GDK_WINDOW_STATE_FOCUSED;

TEST(WindowStateEvents, MinimisingIsMinimized) {
  EXPECT_EQ(window_state_event_code(kMinimised, kMinimised), EventMinimized);
  EXPECT_EQ(window_state_event_code(kMinimised, kMinimised | kMaximised), EventMinimized);
}

TEST(WindowStateEvents, RestoringAMaximisedWindowIsMaximized) {
  EXPECT_EQ(window_state_event_code(kMinimised, kMaximised), EventMaximized);
  EXPECT_EQ(window_state_event_code(kMaximised, kMaximised), EventMaximized);
}

TEST(WindowStateEvents, EveryOtherMinimiseOrMaximiseChangeIsRestored) {
  EXPECT_EQ(window_state_event_code(kMinimised, 0), EventRestored);
  EXPECT_EQ(window_state_event_code(kMaximised, 0), EventRestored);
  EXPECT_EQ(window_state_event_code(kMinimised | kMaximised, kFocused), EventRestored);
}

TEST(WindowStateEvents, OtherChangesAreNoEvent) {
  EXPECT_EQ(window_state_event_code(kFocused, kFocused), EventNone);
  EXPECT_EQ(window_state_event_code(kFocused, kMinimised), EventNone);
  EXPECT_EQ(window_state_event_code(0, 0), EventNone);
}

}  // namespace
