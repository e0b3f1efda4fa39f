#include "gfx_support.h"

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <thread>

namespace gfx {

RgbaImage solid_image(int width, int height, Rgba colour) {
  RgbaImage image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 4)};
  for (size_t i = 0; i < image.pixels.size(); i += 4) std::memcpy(&image.pixels[i], &colour, 4);
  return image;
}

void set_pixel(RgbaImage& image, int x, int y, Rgba c) {
  std::memcpy(&image.pixels[(static_cast<size_t>(y) * image.width + x) * 4], &c, 4);
}

Rgba pixel_at(const RgbaImage& image, int x, int y) {
  Rgba c;
  std::memcpy(&c, &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4], 4);
  return c;
}

std::vector<uint8_t> encode_png(const RgbaImage& image, int colourType, int bitDepth) {
  std::vector<uint8_t> bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &bytes, [](png_structp p, png_bytep data, png_size_t length) {
    static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p))->insert(
        static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p))->end(), data, data + length);
  }, nullptr);
  png_set_IHDR(png, info, image.width, image.height, bitDepth, colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  const bool palette = colourType == PNG_COLOR_TYPE_PALETTE;
  std::map<uint32_t, uint8_t> index;
  std::vector<png_color> colours;
  for (int i = 0; palette && i < image.width * image.height; ++i) {
    const Rgba c = pixel_at(image, i % image.width, i / image.width);
    if (index.emplace(c.r | c.g << 8 | c.b << 16, colours.size()).second) colours.push_back({c.r, c.g, c.b});
  }
  if (palette) png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
  png_write_info(png, info);
  const bool grey = colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA;
  const int channels = colourType == 6 ? 4 : colourType == 2 ? 3 : colourType == 4 ? 2 : 1;
  for (int y = 0; y < image.height; ++y) {
    std::vector<uint8_t> row;
    for (int x = 0; x < image.width; ++x) {
      const Rgba c = pixel_at(image, x, y);
      const uint8_t samples[4] = {c.r, grey ? c.a : c.g, c.b, c.a};
      if (palette) row.push_back(index[c.r | c.g << 8 | c.b << 16]);
      for (int k = 0; !palette && k < channels; ++k) row.insert(row.end(), bitDepth / 8, samples[k]);  // 16 bits: v * 257
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

SpriteId load_sprite(const RgbaImage& picture, int flags, int colourType) {
  const std::vector<uint8_t> png = encode_png(picture, colourType);
  return sprite_load_png(kNewSprite, png.data(), png.size(), flags);
}

RgbaImage saved_pixels(SpriteId sprite) {
  const std::string path = testing::TempDir() + "sprite.png";
  RgbaImage image;
  if (sprite_save_png(sprite, path, kPng) != 1) return image;
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  png_decode_rgba(bytes.data(), bytes.size(), &image, nullptr);
  return image;
}

Rgba screen_pixel(int x, int y) {
  RgbaImage one;
  return platform_read_pixels(x, y, 1, 1, &one) ? pixel_at(one, 0, 0) : Rgba{1, 2, 3, 4};
}

InkBox ink_box(const RgbaImage& image) {
  InkBox box{image.width, image.height, -1, -1};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (pixel_at(image, x, y) != pixel_at(image, 0, 0))
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
  return box.right < 0 ? InkBox{} : box;
}

int run(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, got);
    pclose(pipe);
  }
  return text;
}

std::string own_executable() {
  char path[PATH_MAX] = {};
  return readlink("/proc/self/exe", path, sizeof path - 1) > 0 ? path : "";
}

std::vector<int> pump_window_events(int ms) {
  std::vector<int> events;
  for (const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms); std::chrono::steady_clock::now() < end;) {
    for (int code = window_event(); code != EventNone; code = window_event())
      if (code != EventNothing) events.push_back(code);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return events;
}

bool wait_until(const std::function<void()>& poll, const std::function<bool()>& done) {
  for (int attempt = 0; attempt < 500; ++attempt, std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
    poll();
    if (done()) return true;
  }
  return false;
}

bool wait_for_event(std::vector<int>& events, int code) {
  return wait_until([&] { std::ranges::copy(pump_window_events(20), std::back_inserter(events)); },
                    [&] { return contains(events, code); });
}

}  // namespace gfx
