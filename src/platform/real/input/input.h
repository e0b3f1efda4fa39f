// The input room: the key and button levels and the mouse position the game reads once per frame,
// and the game's key codes for X key symbols. Owns those states (input.cpp). It uses no other room:
// the full-screen window and the GTK windows feed it their events, and the full-screen window
// registers itself as the source the polls and the flip take pending events from.
#pragma once

#include <functional>

// Where the polls take pending events and the pointer's movement from; either may be null.
struct InputSource {
  void (*takeEvents)() = nullptr;
  void (*readPointer)() = nullptr;
};
void input_set_source(const InputSource& source);
// The source's pending events into the states (screen_flip, keyboard_poll, mouse_poll).
void input_take_events();

// The game's code for an unshifted X key symbol, -1 for keys it ignores (key_codes.cpp).
int key_code_from_keysym(unsigned long keysym, bool numLockOn);
// An X keyboard holds up to four layouts, its groups.
constexpr int kLayoutGroups = 4;
// A key's unshifted symbol in a layout group of the keyboard, 0 where it has none.
using KeySymbols = std::function<unsigned long(int keycode, int group)>;
// The game's code for key `keycode` pressed while `activeGroup` was active. In a Latin layout (French
// AZERTY, German QWERTZ) the keys are that layout's own; while a layout of another script is active
// (one where no key carries a Latin letter: Russian, Tifinagh, Arabic, Hebrew) a key reads as the
// Latin letter the first group with one has on it, whatever the active layout puts there (with
// us,ma(tifinagh) the US M, where Tifinagh has its comma). So M and S work by the keys marked M and S.
int key_code_of_key(int keycode, int activeGroup, bool numLockOn, const KeySymbols& symbols);
// The same from the key's symbol in each group (0 where it has none), the group active (below
// groupCount) and whether that group writes Latin: the active group's symbol, or where that is a
// letter of a script without Latin letters (Cyrillic, Tifinagh, Kana), or the active group is not
// Latin, the Latin letter of the first group that has one on the key.
int key_code_from_groups(const unsigned long* symbols, int groupCount, int activeGroup, bool activeWritesLatin,
                         bool numLockOn);

void input_key_changed(int code, bool down);
// Losing the focus: every key counts as up.
void input_all_keys_up();
// X button numbers (1 left, 2 middle, 3 right). A press that does not count (the click that gave the
// focus back) leaves the button up; its release too.
void input_x_button_changed(unsigned xButton, bool down, bool counts);
// Relative pointer motion in full screen, added to the position and clamped to the screen.
void input_mouse_moved(int dx, int dy);
// The pointer read where it is, clamped to the screen.
void input_mouse_placed(int x, int y);
// The mouse position goes back into the screen when a screen of that size opens.
void input_clamp_mouse(int width, int height);
