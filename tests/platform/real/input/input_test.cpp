// Rules of the input room fed directly: key codes and keys out of range.
#include <gtest/gtest.h>
// gtest before X11, whose macros (None, Bool) clash with its names.
#include <X11/keysym.h>

#include "platform/platform.h"
#include "platform/real/input/input.h"

namespace {

TEST(KeyCodes, FromKeySymbolsAndOutOfTheTableIgnored) {
  // Letters in lower case, the ends of the ranges, the keypad by digit or key alike, keys without a code.
  const std::tuple<unsigned long, int> cases[] = {
      {XK_space, kKeySpace}, {XK_S, kKeyS},        {XK_asciitilde, 126}, {XK_Escape, kKeyEscape}, {XK_Delete, 127},     {XK_Up, 273},
      {XK_F12, 293},         {XK_Alt_L, 308},      {XK_Tab, -1},         {XK_eacute, -1},         {XK_KP_Insert, 256},  {XK_KP_7, 263},
      {XK_KP_Home, 263},     {XK_KP_Up, 264},      {XK_KP_Enter, 271}};
  for (const auto& [keysym, code] : cases) EXPECT_EQ(key_code_from_keysym(keysym, false), code) << keysym;
  // Under Num Lock the keypad gives digits, not keys of the game: all but its Enter.
  EXPECT_EQ(std::pair(key_code_from_keysym(XK_KP_Insert, true), key_code_from_keysym(XK_KP_Enter, true)), std::pair(-1, 271));
  // The released-key rule is played through the X server; here codes it never sends (-1: no game
  // key) beside a held key, polled while down and once up: only the held key is released.
  ASSERT_EQ(keyboard_init(), 1);
  for (const int code : {kKeyM, -1, -512, 512, 600, 1023}) input_key_changed(code, true);
  std::vector<int> released;
  for (const bool up : {false, true}) {
    if (up) input_all_keys_up();
    for (int code = -600; code < 1100; ++code) if (key_released(code)) released.push_back(code);
  }
  EXPECT_EQ(released, std::vector<int>({kKeyM}));
}

// A key of a Cyrillic or Greek layout is read as its Latin letter in another group; a Latin
// layout's own letters with marks stay keys of their own (Ö of de,fr is not the M of fr).
TEST(KeyCodes, ALetterOutsideLatinIsReadAsTheLatinLetterOfAnotherGroup) {
  const std::tuple<unsigned long, unsigned long, int, int> cases[] = {
      {XK_Cyrillic_softsign, XK_m, 0, kKeyM}, {XK_m, XK_Cyrillic_softsign, 1, kKeyM}, {XK_Greek_sigma, XK_s, 0, kKeyS},
      {0x10005d5, XK_s, 0, kKeyS},            {XK_odiaeresis, XK_m, 0, -1},         {XK_scedilla, XK_m, 0, -1},
      {XK_ssharp, XK_s, 0, -1},               {XK_dead_acute, XK_m, 0, -1},         {0x1001ea1, XK_m, 0, -1}};
  for (const auto& [first, second, active, code] : cases) {
    const unsigned long symbols[] = {first, second};
    EXPECT_EQ(key_code_from_groups(symbols, 2, active, false), code) << first << " " << second << " group " << active;
  }
}

}  // namespace
