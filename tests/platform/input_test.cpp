// Rules of the input and window layer fed directly: key codes, keys out of range, and which
// window-state changes become Minimized, Maximized or Restored events.
#include <gtest/gtest.h>
// gtest before X11, whose macros (None, Bool) clash with its names.
#include <X11/keysym.h>

#include "platform/platform.h"
#include "platform/real/game_window.h"
#include "platform/real/input_state.h"

namespace {

TEST(KeyCodes, FromKeySymbols) {
  const std::tuple<unsigned long, bool, int> cases[] = {
      {XK_space, false, kKeySpace}, {XK_m, false, kKeyM},      {XK_S, false, kKeyS},        {XK_asciitilde, false, 126},
      {XK_0, false, '0'},           {XK_Escape, false, kKeyEscape}, {XK_BackSpace, false, 8}, {XK_Return, false, 13},
      {XK_Pause, false, 19},        {XK_Delete, false, 127},   {XK_Up, false, 273},         {XK_Left, false, 276},
      {XK_Next, false, 281},        {XK_F1, false, 282},       {XK_F12, false, 293},        {XK_Num_Lock, false, 300},
      {XK_Shift_R, false, 303},     {XK_Alt_L, false, 308},    {XK_Tab, false, -1},         {XK_eacute, false, -1},
      {XK_KP_Insert, false, 256},   {XK_KP_7, false, 263},     {XK_KP_Home, false, 263},    {XK_KP_Up, false, 264},
      {XK_KP_Prior, false, 265},    {XK_KP_Delete, false, 266}, {XK_KP_Add, false, 270},    {XK_KP_Enter, false, 271},
      {XK_KP_Insert, true, -1},     {XK_KP_Enter, true, 271},  // the keypad counts only without Num Lock, but Enter
  };
  for (const auto& [keysym, numLock, code] : cases) EXPECT_EQ(key_code_from_keysym(keysym, numLock), code) << keysym;
}

// The released-key rule is played through the X server (Fullscreen, WindowKind); here the keys it never sends.
TEST(KeyRelease, CodesOutsideTheTableAreIgnored) {
  ASSERT_EQ(keyboard_init(), 1);
  input_key_changed(600, true);
  input_key_changed(-1, true);
  input_all_keys_up();
  EXPECT_EQ(key_released(600) + key_released(-1), 0);
}

TEST(WindowStateEvents, ChangesAndNewStates) {
  constexpr unsigned kMin = GDK_WINDOW_STATE_ICONIFIED, kMax = GDK_WINDOW_STATE_MAXIMIZED, kFocus = GDK_WINDOW_STATE_FOCUSED;
  const std::tuple<unsigned, unsigned, int> cases[] = {
      {kMin, kMin, EventMinimized},           {kMin, kMin | kMax, EventMinimized}, {kMin, kMax, EventMaximized},
      {kMax, kMax, EventMaximized},           {kMin, 0, EventRestored},            {kMax, 0, EventRestored},
      {kMin | kMax, kFocus, EventRestored},   {kMax, kMin, EventRestored},         {kFocus, kFocus, EventNone},
      {kFocus, kMin, EventNone},              {0, 0, EventNone},
  };
  for (const auto& [changed, state, event] : cases) EXPECT_EQ(window_state_event_code(changed, state), event) << changed << " " << state;
}

}  // namespace
