#include "gfx_support.h"

#include <png.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <ostream>
#include <thread>

#include "platform/real/platform_testing.h"

namespace gfx {

std::ostream& operator<<(std::ostream& out, const Rgba& c) {
  return out << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << "," << int(c.a) << ")";
}

RgbaImage solid_image(int width, int height, Rgba colour) {
  RgbaImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      set_pixel(image, x, y, colour);
    }
  }
  return image;
}

void set_pixel(RgbaImage& image, int x, int y, Rgba colour) {
  uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
  p[0] = colour.r;
  p[1] = colour.g;
  p[2] = colour.b;
  p[3] = colour.a;
}

Rgba pixel_at(const RgbaImage& image, int x, int y) {
  const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
  return Rgba{p[0], p[1], p[2], p[3]};
}

namespace {

void append_bytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void no_flush(png_structp) {}

}  // namespace

std::vector<uint8_t> encode_png(const RgbaImage& image, int colourType, int bitDepth) {
  std::vector<uint8_t> bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &bytes, append_bytes, no_flush);
  png_set_IHDR(png, info, image.width, image.height, bitDepth, colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::map<uint32_t, int> paletteIndex;
  std::vector<png_color> palette;
  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        const Rgba c = pixel_at(image, x, y);
        const uint32_t key = c.r | c.g << 8 | c.b << 16;
        if (paletteIndex.emplace(key, static_cast<int>(palette.size())).second) {
          palette.push_back(png_color{c.r, c.g, c.b});
        }
      }
    }
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  }
  png_write_info(png, info);
  const int channels = colourType == PNG_COLOR_TYPE_RGBA ? 4 : colourType == PNG_COLOR_TYPE_RGB ? 3
                       : colourType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2 : 1;
  const int bytesPerSample = bitDepth == 16 ? 2 : 1;
  std::vector<uint8_t> row(static_cast<size_t>(image.width) * channels * bytesPerSample);
  for (int y = 0; y < image.height; ++y) {
    size_t at = 0;
    for (int x = 0; x < image.width; ++x) {
      const Rgba c = pixel_at(image, x, y);
      uint8_t samples[4] = {c.r, c.g, c.b, c.a};
      if (colourType == PNG_COLOR_TYPE_PALETTE) {
        row[at++] = static_cast<uint8_t>(paletteIndex[c.r | c.g << 8 | c.b << 16]);
        continue;
      }
      if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        samples[1] = c.a;
      }
      for (int channel = 0; channel < channels; ++channel) {
        row[at++] = samples[channel];
        if (bytesPerSample == 2) {
          row[at++] = samples[channel];  // 16-bit sample v * 257
        }
      }
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return bytes;
}

Rgba screen_pixel(int x, int y) {
  RgbaImage one;
  if (!platform_read_pixels(x, y, 1, 1, &one)) {
    return Rgba{1, 2, 3, 4};
  }
  return pixel_at(one, 0, 0);
}

int run(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
      text.append(buffer, got);
    }
    pclose(pipe);
  }
  return text;
}

std::vector<int> pump_window_events(int ms) {
  std::vector<int> events;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    for (int code = window_event(); code != EventNone; code = window_event()) {
      if (code != EventNothing) {
        events.push_back(code);
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return events;
}

bool contains(const std::vector<int>& events, int code) {
  for (const int event : events) {
    if (event == code) {
      return true;
    }
  }
  return false;
}

bool wait_until(const std::function<void()>& poll, const std::function<bool()>& done) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    poll();
    if (done()) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

int desktop_width() {
  int width = 0;
  int height = 0;
  desktop_size(0, &width, &height);
  return width;
}

int desktop_height() {
  int width = 0;
  int height = 0;
  desktop_size(0, &width, &height);
  return height;
}

}  // namespace gfx
