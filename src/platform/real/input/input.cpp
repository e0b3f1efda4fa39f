// Key and mouse states read by the game once per frame. The full-screen event pump and the GTK
// window's key handlers write them; keyboard_poll and mouse_poll bring them up to date.
#include <algorithm>
#include <array>

#include "platform/platform.h"
#include "platform/real/input/input.h"

namespace {

constexpr int kKeyCount = 512;
std::array<bool, kKeyCount> keyDown{};
std::array<bool, kKeyCount> keySeenDown{};
std::array<bool, 4> buttonDown{};  // indexed by the game's button number 1 left, 2 right, 3 middle
// A press and release that both fall between two polls would never be seen as a level: the press
// is latched and reads as held until the next poll. A press that does not count (the click that
// gave the focus back) leaves the button up until it is released, however long it is held.
std::array<bool, 4> buttonPressedSincePoll{};
std::array<bool, 4> buttonLatched{};
int mouseX = 0;
int mouseY = 0;
int mouseLimitX = 0;  // last valid x and y of the open screen
int mouseLimitY = 0;
InputSource source;

}  // namespace

void input_set_source(const InputSource& from) { source = from; }

void input_take_events() {
  if (source.takeEvents != nullptr) {
    source.takeEvents();
  }
}

void input_key_changed(int code, bool down) {
  if (code >= 0 && code < kKeyCount) {
    keyDown[code] = down;
  }
}

void input_all_keys_up() { keyDown.fill(false); }

void input_x_button_changed(unsigned xButton, bool down, bool counts) {
  // X numbers the right button 3 and the middle one 2; the game the other way round.
  static constexpr int kGameButton[4] = {0, 1, 3, 2};
  if (xButton >= 1 && xButton <= 3 && (counts || !down)) {
    buttonDown[kGameButton[xButton]] = down;
    if (down) buttonPressedSincePoll[kGameButton[xButton]] = true;
  }
}

void input_clamp_mouse(int width, int height) {
  mouseLimitX = std::max(width - 1, 0);
  mouseLimitY = std::max(height - 1, 0);
  mouseX = std::clamp(mouseX, 0, mouseLimitX);
  mouseY = std::clamp(mouseY, 0, mouseLimitY);
}

void input_mouse_moved(int dx, int dy) { input_mouse_placed(mouseX + dx, mouseY + dy); }

void input_mouse_placed(int x, int y) {
  mouseX = std::clamp(x, 0, mouseLimitX);
  mouseY = std::clamp(y, 0, mouseLimitY);
}

int keyboard_init() {
  keyDown.fill(false);
  keySeenDown.fill(false);
  return 1;
}

int mouse_init() {
  buttonDown.fill(false);
  buttonPressedSincePoll.fill(false);
  buttonLatched.fill(false);
  mouseX = mouseY = 0;
  return 1;
}

void keyboard_poll() { input_take_events(); }

int key_released(int code) {
  if (code < 0 || code >= kKeyCount) {
    return 0;
  }
  if (keyDown[code]) {
    keySeenDown[code] = true;
    return 0;
  }
  if (keySeenDown[code]) {
    keySeenDown[code] = false;
    return 1;
  }
  return 0;
}

int key_down(int code) { return code >= 0 && code < kKeyCount && keyDown[code] ? 1 : 0; }

void mouse_poll() {
  input_take_events();
  if (source.readPointer != nullptr) {
    source.readPointer();
  }
  buttonLatched = buttonPressedSincePoll;
  buttonPressedSincePoll.fill(false);
}

int mouse_x() { return mouseX; }
int mouse_y() { return mouseY; }

int mouse_button(int button) {
  return button >= 1 && button <= 3 && (buttonDown[button] || buttonLatched[button]) ? 1 : 0;
}
