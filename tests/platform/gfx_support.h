// Helpers of the sprite, screen, window and input tests: making PNG files in memory, reading
// pixels, driving the X server from outside with xdotool.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/real/real_internal.h"

// Namespaced: the text tests link into the same program with helpers of their own.
namespace gfx {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgba& colour);

// A picture of one colour; set() paints single pixels.
RgbaImage solid_image(int width, int height, Rgba colour);
void set_pixel(RgbaImage& image, int x, int y, Rgba colour);
Rgba pixel_at(const RgbaImage& image, int x, int y);

// PNG files in memory. colourType and bitDepth as libpng names them; the picture's RGBA is turned
// into that format (grey from the red channel, palette of the distinct colours).
std::vector<uint8_t> encode_png(const RgbaImage& image, int colourType = 6, int bitDepth = 8);

// One pixel of the frame being drawn.
Rgba screen_pixel(int x, int y);

// Runs a shell command, returns its exit status; output() returns its standard output.
int run(const std::string& command);
std::string output(const std::string& command);

// Lets GTK handle what the X server sent for about `ms` milliseconds, collecting window events.
std::vector<int> pump_window_events(int ms);
bool contains(const std::vector<int>& events, int code);

// Calls `poll` then tests `done` until it holds or about a second passed; the X server delivers
// injected input a little after xdotool returns.
bool wait_until(const std::function<void()>& poll, const std::function<bool()>& done);

// The desktop size as the platform reports it.
int desktop_width();
int desktop_height();

}  // namespace gfx

using namespace gfx;
