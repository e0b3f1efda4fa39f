// X key symbols to the game's key codes. The keypad is numbered by position from its unshifted
// symbols (Insert = 0 ... Page Up = 9, Delete = "."), and ignored while Num Lock is on, except Enter.
// A letter key pressed while a layout of another alphabet is active (Russian, Greek) reads as the
// Latin letter the player's Latin layout puts on it.
#include <X11/keysym.h>

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

// A letter of a script with no Latin letters (Kana, Arabic, Cyrillic, Greek, Hebrew, Thai, Hangul,
// Armenian, Georgian), or no symbol at all. Latin letters with marks (ö, ş, ı, ß) are keys of their
// own, never read as another layout's letter.
bool outside_latin(unsigned long symbol) {
  if (symbol >= 0x1000000) {  // a keysym that is a Unicode code point plus 0x1000000
    const unsigned long point = symbol - 0x1000000;
    return point >= 0x370 && point < 0x1e00;
  }
  return symbol == 0 || (symbol >= 0x4a1 && symbol <= 0x7ff) || (symbol >= 0xcdf && symbol <= 0xeff) ||
         (symbol >= 0x14a1 && symbol <= 0x16ff);
}

}  // namespace

int key_code_from_groups(const unsigned long* symbols, int groupCount, int activeGroup, bool numLockOn) {
  const int code = key_code_from_keysym(symbols[activeGroup], numLockOn);
  if (code >= 0 || !outside_latin(symbols[activeGroup])) {
    return code;
  }
  for (int group = 0; group < groupCount; ++group) {
    const unsigned long symbol = symbols[group];
    if ((symbol >= 'a' && symbol <= 'z') || (symbol >= 'A' && symbol <= 'Z')) {
      return key_code_from_keysym(symbol, numLockOn);
    }
  }
  return -1;
}
