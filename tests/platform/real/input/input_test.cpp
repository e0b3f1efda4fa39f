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

// A letter of a script without Latin letters, from X's own keysyms or from Unicode, is read as the
// key's Latin letter in another group: the ends of the Latin blocks next to Greek and Cherokee
// included. A Latin layout's own letters with marks, and symbols and dead keys of any layout, stay
// keys of their own (Ö of de,fr is not the M of fr).
TEST(KeyCodes, ALetterOutsideLatinIsReadAsTheLatinLetterOfAnotherGroup) {
  constexpr unsigned long kTifinaghYam = 0x1002d4e, kCopticMi = 0x1002c99, kJavaneseSa = 0x100a9b1, kEthiopicMe = 0x1001218, kCherokeeSmallA = 0x100ab70,
                          kDevanagariMa = 0x100092e, kCjkOne = 0x1004e00, kGreekExtended = 0x1001f00, kHebrewVav = 0x10005d5, kVietnameseDotA = 0x1001ea1,
                          kLatinLastY = 0x1001eff, kLatinExtendedE = 0x100ab30, kEnDash = 0x1002013, kCombiningAcute = 0x1000301;
  const std::tuple<unsigned long, unsigned long, int, int> cases[] = {
      {XK_Cyrillic_softsign, XK_m, 0, kKeyM}, {XK_m, XK_Cyrillic_softsign, 1, kKeyM}, {XK_Greek_sigma, XK_s, 0, kKeyS}, {kHebrewVav, XK_s, 0, kKeyS},
      {kTifinaghYam, XK_m, 0, kKeyM},         {XK_m, kCopticMi, 1, kKeyM},            {kJavaneseSa, XK_s, 0, kKeyS},    {kEthiopicMe, XK_m, 0, kKeyM},
      {kCherokeeSmallA, XK_s, 0, kKeyS},      {kDevanagariMa, XK_m, 0, kKeyM},        {XK_kana_MO, XK_m, 0, kKeyM},     {XK_Hangul_Mieum, XK_m, 0, kKeyM},
      {kCjkOne, XK_s, 0, kKeyS},              {kGreekExtended, XK_m, 0, kKeyM},       {XK_Armenian_men, XK_M, 0, kKeyM}, {XK_Thai_moma, XK_m, 0, kKeyM},
      {0, XK_s, 0, kKeyS},                    {XK_Cyrillic_em, XK_semicolon, 0, -1},  {XK_odiaeresis, XK_m, 0, -1},     {XK_scedilla, XK_m, 0, -1},
      {XK_idotless, XK_m, 0, -1},             {XK_ssharp, XK_s, 0, -1},               {XK_odoubleacute, XK_m, 0, -1},   {XK_lstroke, XK_m, 0, -1},
      {XK_ntilde, XK_m, 0, -1},               {XK_eng, XK_m, 0, -1},                  {XK_oe, XK_m, 0, -1},             {XK_wcircumflex, XK_m, 0, -1},
      {XK_ohorn, XK_m, 0, -1},                {kVietnameseDotA, XK_m, 0, -1},         {kLatinLastY, XK_m, 0, -1},       {XK_schwa, XK_m, 0, -1},
      {kLatinExtendedE, XK_m, 0, -1},         {XK_dead_acute, XK_m, 0, -1},           {XK_caron, XK_m, 0, -1},          {XK_section, XK_m, 0, -1},
      {XK_EuroSign, XK_m, 0, -1},             {kEnDash, XK_m, 0, -1},                 {kCombiningAcute, XK_m, 0, -1}};
  for (const auto& [first, second, active, code] : cases) {
    const unsigned long symbols[] = {first, second};
    EXPECT_EQ(key_code_from_groups(symbols, 2, active, true, false), code) << std::hex << first << " " << second << " group " << active;
  }
}

}  // namespace
