// X key symbols to the game's key codes. The keypad is numbered by position from its unshifted
// symbols (Insert = 0 ... Page Up = 9, Delete = "."), and ignored while Num Lock is on, except Enter.
// A key pressed while a layout of another script is active (Russian, Greek, Tifinagh, Kana) reads as
// the Latin letter the player's Latin layout puts on it.
#include <X11/keysym.h>

#include <array>
#include <span>

#include "platform/real/input/input.h"

namespace {

int keypad_code(unsigned long keysym) {
  switch (keysym) {
    case XK_KP_Insert: case XK_KP_0: return 256;
    case XK_KP_End: case XK_KP_1: return 257;
    case XK_KP_Down: case XK_KP_2: return 258;
    case XK_KP_Next: case XK_KP_3: return 259;
    case XK_KP_Left: case XK_KP_4: return 260;
    case XK_KP_Begin: case XK_KP_5: return 261;
    case XK_KP_Right: case XK_KP_6: return 262;
    case XK_KP_Home: case XK_KP_7: return 263;
    case XK_KP_Up: case XK_KP_8: return 264;
    case XK_KP_Prior: case XK_KP_9: return 265;
    case XK_KP_Delete: case XK_KP_Decimal: return 266;
    case XK_KP_Divide: return 267;
    case XK_KP_Multiply: return 268;
    case XK_KP_Subtract: return 269;
    case XK_KP_Add: return 270;
    case XK_KP_Enter: return 271;
    default: return -1;
  }
}

int special_code(unsigned long keysym) {
  switch (keysym) {
    case XK_BackSpace: return 8;
    case XK_Return: return 13;
    case XK_Pause: return 19;
    case XK_Escape: return 27;
    case XK_Delete: return 127;
    case XK_Up: return 273;
    case XK_Down: return 274;
    case XK_Right: return 275;
    case XK_Left: return 276;
    case XK_Insert: return 277;
    case XK_Home: return 278;
    case XK_End: return 279;
    case XK_Prior: return 280;
    case XK_Next: return 281;
    case XK_Num_Lock: return 300;
    case XK_Shift_R: return 303;
    case XK_Shift_L: return 304;
    case XK_Control_R: return 305;
    case XK_Control_L: return 306;
    case XK_Alt_R: return 307;
    case XK_Alt_L: return 308;
    default: break;
  }
  if (keysym >= XK_F1 && keysym <= XK_F12) {
    return 282 + static_cast<int>(keysym - XK_F1);
  }
  return -1;
}

}  // namespace

int key_code_from_keysym(unsigned long keysym, bool numLockOn) {
  if (keysym >= 32 && keysym <= 126) {
    return keysym >= 'A' && keysym <= 'Z' ? static_cast<int>(keysym - 'A' + 'a') : static_cast<int>(keysym);
  }
  const int keypad = keypad_code(keysym);
  if (keypad >= 0) {
    // Enter is the same key whatever Num Lock says: keyboard play takes it for Return.
    return numLockOn && keysym != XK_KP_Enter ? -1 : keypad;
  }
  return special_code(keysym);
}

namespace {

struct Range {
  unsigned long first, last;
};

bool in_ranges(unsigned long value, std::span<const Range> ranges) {
  for (const Range& range : ranges) {
    if (value >= range.first && value <= range.last) return true;
  }
  return false;
}

// Code points of Latin letters, those with marks (ö, ş, ı, ß, ł, ñ, Vietnamese ạ ế ơ) and of the
// phonetic alphabets included.
constexpr Range kLatinLetterPoints[] = {
    {'A', 'Z'},     {'a', 'z'},     {0xc0, 0xd6},   {0xd8, 0xf6},   {0xf8, 0x24f},  // Latin-1 to Latin Extended-B
    {0x250, 0x2af},  // IPA
    {0x1d00, 0x1dbf}, {0x1e00, 0x1eff},  // phonetic extensions, Latin Extended Additional
    {0x2c60, 0x2c7f}, {0xa720, 0xa7ff}, {0xab30, 0xab6f}};  // Latin Extended-C, -D and -E

// What a layout of any script may put on a key beside its letters: punctuation, currency and other
// symbols, spacing and combining marks, dead keys, function and modifier keys.
constexpr Range kSymbolPoints[] = {{0x20, 0xbf}, {0xd7, 0xd7}, {0xf7, 0xf7}, {0x2b0, 0x36f}, {0x2000, 0x2bff}, {0x2e00, 0x2e7f}};
constexpr Range kSymbolKeysyms[] = {
    {0x1a2, 0x1a2}, {0x1b2, 0x1b2}, {0x1b7, 0x1b7}, {0x1bd, 0x1bd}, {0x1ff, 0x1ff},  // Latin-2's marks
    {0x8a1, 0xbff},  // technical, special, publishing and APL symbols
    {0x20a0, 0x20ff}, {0xfe00, 0xffff}};
// X's own keysyms of the Latin-2, -3, -4 and -9 sets (the other Latin letters have Unicode ones).
constexpr Range kLatinKeysyms[] = {{0x1a1, 0x1ff}, {0x2a1, 0x2fe}, {0x3a2, 0x3fe}, {0x13bc, 0x13be}};

// The code point of a keysym made from one (plus 0x1000000) or of Latin-1, whose keysyms are their
// code points; -1 for X's own keysyms of other sets.
long code_point(unsigned long symbol) {
  if (symbol >= 0x1000000) return static_cast<long>(symbol - 0x1000000);
  return symbol <= 0xff ? static_cast<long>(symbol) : -1;
}

bool latin_letter(unsigned long symbol) {
  const long point = code_point(symbol);
  if (point >= 0) return in_ranges(static_cast<unsigned long>(point), kLatinLetterPoints);
  return in_ranges(symbol, kLatinKeysyms) && !in_ranges(symbol, kSymbolKeysyms);
}

bool symbol_key(unsigned long symbol) {
  const long point = code_point(symbol);
  return point >= 0 ? in_ranges(static_cast<unsigned long>(point), kSymbolPoints) : in_ranges(symbol, kSymbolKeysyms);
}

// Whether some key of the keyboard (X key codes run from 8 to 255) carries a Latin letter in the
// group unshifted: the whole keyboard is looked at only for a layout of another script, the first
// rows of a Latin one hold its letters.
bool group_writes_latin(int group, const KeySymbols& symbols) {
  for (int keycode = 8; keycode <= 255; ++keycode) {
    if (latin_letter(symbols(keycode, group))) return true;
  }
  return false;
}

}  // namespace

int key_code_from_groups(const unsigned long* symbols, int groupCount, int activeGroup, bool activeWritesLatin,
                         bool numLockOn) {
  const int code = key_code_from_keysym(symbols[activeGroup], numLockOn);
  // In a Latin layout a Latin letter with marks and a symbol (a dead key, punctuation) are keys of
  // their own; a letter of any other script (Cyrillic, Tifinagh, Kana...), or no symbol at all, is
  // read by the key's Latin letter in another group, as is every key of a layout of another script.
  if (activeWritesLatin && (code >= 0 || latin_letter(symbols[activeGroup]) || symbol_key(symbols[activeGroup]))) {
    return code;
  }
  for (int group = 0; group < groupCount; ++group) {
    const unsigned long symbol = symbols[group];
    if ((symbol >= 'a' && symbol <= 'z') || (symbol >= 'A' && symbol <= 'Z')) {
      return key_code_from_keysym(symbol, numLockOn);
    }
  }
  return code;
}

int key_code_of_key(int keycode, int activeGroup, bool numLockOn, const KeySymbols& symbols) {
  std::array<unsigned long, kLayoutGroups> onKey{};
  for (int group = 0; group < kLayoutGroups; ++group) {
    onKey[group] = symbols(keycode, group);
  }
  return key_code_from_groups(onKey.data(), kLayoutGroups, activeGroup, group_writes_latin(activeGroup, symbols),
                              numLockOn);
}
