// Helpers of the platform tests: PNG files made in memory, pixels read back, the X server driven
// from outside with xdotool, and waits that hold on a loaded machine.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/real/platform_testing.h"
#include "platform/real/real_internal.h"

namespace gfx {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgba& colour);

RgbaImage solid_image(int width, int height, Rgba colour);
void set_pixel(RgbaImage& image, int x, int y, Rgba colour);
Rgba pixel_at(const RgbaImage& image, int x, int y);
// colourType and bitDepth as libpng names them (grey from the red channel, palette of the colours).
std::vector<uint8_t> encode_png(const RgbaImage& image, int colourType = 6, int bitDepth = 8);
// Loads the picture as a sprite.
SpriteId load_sprite(const RgbaImage& picture, int flags, int colourType = 6);
// A sprite's whole pixel area, read back through the PNG it saves.
RgbaImage saved_pixels(SpriteId sprite);
// One pixel of the frame being drawn.
Rgba screen_pixel(int x, int y);
// Rectangle of the pixels that differ from the top-left one; right < left when none does.
struct InkBox {
  int left = 0, top = 0, right = -1, bottom = -1;
  bool empty() const { return right < left; }
};
InkBox ink_box(const RgbaImage& image);

// A shell command's exit status, or its standard output.
int run(const std::string& command);
std::string output(const std::string& command);
std::string own_executable();
// Lets GTK handle what the X server sent for about `ms` milliseconds, collecting window events.
std::vector<int> pump_window_events(int ms);
bool contains(const std::vector<int>& events, int code);
// Calls `poll` then tests `done` until it holds or five seconds passed.
bool wait_until(const std::function<void()>& poll, const std::function<bool()>& done);
// Collects window events into `events` until `code` is among them or five seconds passed.
bool wait_for_event(std::vector<int>& events, int code);
int desktop_width();
int desktop_height();

}  // namespace gfx

using namespace gfx;
