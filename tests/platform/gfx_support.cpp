#include "gfx_support.h"

#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <thread>

namespace gfx {

std::ostream& operator<<(std::ostream& out, const Rgba& c) {
  return out << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a) << ")";
}

RgbaImage solid_image(int width, int height, Rgba colour) {
  RgbaImage image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 4)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) set_pixel(image, x, y, colour);
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
  png_set_write_fn(
      png, &bytes,
      [](png_structp p, png_bytep data, png_size_t length) {
        auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
        out->insert(out->end(), data, data + length);
      },
      nullptr);
  png_set_IHDR(png, info, image.width, image.height, bitDepth, colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::map<uint32_t, int> index;
  std::vector<png_color> palette;
  for (int i = 0; colourType == PNG_COLOR_TYPE_PALETTE && i < image.width * image.height; ++i) {
    const Rgba c = pixel_at(image, i % image.width, i / image.width);
    if (index.emplace(c.r | c.g << 8 | c.b << 16, static_cast<int>(palette.size())).second) palette.push_back({c.r, c.g, c.b});
  }
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  png_write_info(png, info);
  const bool grey = colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA;
  const int channels = colourType == 6 ? 4 : colourType == 2 ? 3 : colourType == 4 ? 2 : 1;
  std::vector<uint8_t> row;
  for (int y = 0; y < image.height; ++y) {
    row.clear();
    for (int x = 0; x < image.width; ++x) {
      const Rgba c = pixel_at(image, x, y);
      const uint8_t samples[4] = {c.r, grey ? c.a : c.g, c.b, c.a};
      if (colourType == PNG_COLOR_TYPE_PALETTE) row.push_back(static_cast<uint8_t>(index[c.r | c.g << 8 | c.b << 16]));
      for (int k = 0; colourType != PNG_COLOR_TYPE_PALETTE && k < channels; ++k)
        row.insert(row.end(), bitDepth == 16 ? 2 : 1, samples[k]);  // a 16-bit sample is v * 257
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
    for (int x = 0; x < image.width; ++x) {
      if (pixel_at(image, x, y) == pixel_at(image, 0, 0)) continue;
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
    }
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
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

std::vector<int> pump_window_events(int ms) {
  std::vector<int> events;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    for (int code = window_event(); code != EventNone; code = window_event())
      if (code != EventNothing) events.push_back(code);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return events;
}

bool contains(const std::vector<int>& events, int code) {
  return std::find(events.begin(), events.end(), code) != events.end();
}

bool wait_until(const std::function<void()>& poll, const std::function<bool()>& done) {
  for (int attempt = 0; attempt < 500; ++attempt) {
    poll();
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

bool wait_for_event(std::vector<int>& events, int code) {
  return wait_until([&] { const auto more = pump_window_events(20); events.insert(events.end(), more.begin(), more.end()); },
                    [&] { return contains(events, code); });
}

int desktop_width() {
  int width = 0, height = 0;
  desktop_size(0, &width, &height);
  return width;
}

int desktop_height() {
  int width = 0, height = 0;
  desktop_size(0, &width, &height);
  return height;
}

}  // namespace gfx
