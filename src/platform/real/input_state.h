// Key and button states, fed by the full-screen X events and the GTK window's events alike.
#pragma once

// The game's code for an unshifted X key symbol, -1 for keys it ignores (key_codes.cpp).
int key_code_from_keysym(unsigned long keysym, bool numLockOn);

void input_key_changed(int code, bool down);
// Losing the focus: every key counts as up.
void input_all_keys_up();
// X button numbers (1 left, 2 middle, 3 right).
void input_x_button_changed(unsigned xButton, bool down);
// Relative pointer motion in full screen, added to the position and clamped to the screen.
void input_mouse_moved(int dx, int dy);
// The mouse position goes back into the screen when a screen of that size opens.
void input_clamp_mouse(int width, int height);
