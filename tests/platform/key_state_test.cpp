// Key codes and the released-key rule, fed directly with key changes.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "platform/platform.h"
#include "platform/real/input_state.h"

namespace {

TEST(KeyCodes, PrintableKeysUseTheirLowerCaseCharacter) {
  EXPECT_EQ(key_code_from_keysym(XK_space, false), kKeySpace);
  EXPECT_EQ(key_code_from_keysym(XK_m, false), kKeyM);
  EXPECT_EQ(key_code_from_keysym(XK_S, false), kKeyS);
  EXPECT_EQ(key_code_from_keysym(XK_asciitilde, false), 126);
  EXPECT_EQ(key_code_from_keysym(XK_0, false), '0');
}

TEST(KeyCodes, SpecialKeysHaveTheirNumbers) {
  EXPECT_EQ(key_code_from_keysym(XK_Escape, false), kKeyEscape);
  EXPECT_EQ(key_code_from_keysym(XK_BackSpace, false), 8);
  EXPECT_EQ(key_code_from_keysym(XK_Return, false), 13);
  EXPECT_EQ(key_code_from_keysym(XK_Pause, false), 19);
  EXPECT_EQ(key_code_from_keysym(XK_Delete, false), 127);
  EXPECT_EQ(key_code_from_keysym(XK_Up, false), 273);
  EXPECT_EQ(key_code_from_keysym(XK_Left, false), 276);
  EXPECT_EQ(key_code_from_keysym(XK_Next, false), 281);
  EXPECT_EQ(key_code_from_keysym(XK_F1, false), 282);
  EXPECT_EQ(key_code_from_keysym(XK_F12, false), 293);
  EXPECT_EQ(key_code_from_keysym(XK_Num_Lock, false), 300);
  EXPECT_EQ(key_code_from_keysym(XK_Shift_R, false), 303);
  EXPECT_EQ(key_code_from_keysym(XK_Alt_L, false), 308);
  EXPECT_EQ(key_code_from_keysym(XK_Tab, false), -1);
  EXPECT_EQ(key_code_from_keysym(XK_eacute, false), -1);
}

TEST(KeyCodes, KeypadCountsOnlyWithoutNumLockButEnter) {
  EXPECT_EQ(key_code_from_keysym(XK_KP_Insert, false), 256);
  EXPECT_EQ(key_code_from_keysym(XK_KP_Prior, false), 265);
  EXPECT_EQ(key_code_from_keysym(XK_KP_Delete, false), 266);
  EXPECT_EQ(key_code_from_keysym(XK_KP_Enter, false), 271);
  EXPECT_EQ(key_code_from_keysym(XK_KP_Add, false), 270);
  EXPECT_EQ(key_code_from_keysym(XK_KP_Insert, true), -1);
  EXPECT_EQ(key_code_from_keysym(XK_KP_Enter, true), 271);  // Enter reads the same under Num Lock
}

class KeyRelease : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(keyboard_init(), 1); }
};

TEST_F(KeyRelease, HeldKeyGivesOneReleaseAfterItGoesUp) {
  input_key_changed(kKeyS, true);
  for (int frame = 0; frame < 5; ++frame) {
    EXPECT_EQ(key_released(kKeyS), 0);
  }
  input_key_changed(kKeyS, false);
  EXPECT_EQ(key_released(kKeyS), 1);
  EXPECT_EQ(key_released(kKeyS), 0);
}

TEST_F(KeyRelease, KeyNeverSeenDownGivesNothing) {
  input_key_changed(kKeyM, true);
  input_key_changed(kKeyM, false);
  EXPECT_EQ(key_released(kKeyM), 0);
}

TEST_F(KeyRelease, LosingTheFocusLiftsEveryKey) {
  input_key_changed(kKeyEscape, true);
  EXPECT_EQ(key_released(kKeyEscape), 0);
  input_all_keys_up();
  EXPECT_EQ(key_released(kKeyEscape), 1);
}

TEST_F(KeyRelease, CodesOutsideTheTableAreIgnored) {
  input_key_changed(-1, true);
  input_key_changed(600, true);
  EXPECT_EQ(key_released(-1), 0);
  EXPECT_EQ(key_released(600), 0);
}

}  // namespace
