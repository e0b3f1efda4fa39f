// Off-screen images: pictures from the data pack being cut and scaled, and the canvases the text
// drawing paints on before they are copied into sprites.
#include <algorithm>
#include <vector>
#include <cmath>

#include "platform/real/pictures/id_store.h"
#include "platform/real/pictures/pictures.h"

namespace {

IdStore<RgbaImage> images;
int gameImageDensity = 1;

// Where one output column (or row) samples the source: the two neighbouring source pixels around
// its centre and the weight of the second, in 1/256 steps. Worked out once per column and row, so
// the pixel loop is integer arithmetic only.
struct Tap {
  int first = 0;
  int second = 0;
  int weight = 0;
};

std::vector<Tap> bilinear_taps(int sourceSize, int size) {
  std::vector<Tap> taps(static_cast<size_t>(size));
  const double scale = static_cast<double>(sourceSize) / size;
  for (int i = 0; i < size; ++i) {
    const double at = (i + 0.5) * scale - 0.5;
    const int first = std::clamp(static_cast<int>(std::floor(at)), 0, sourceSize - 1);
    taps[static_cast<size_t>(i)] = {first, std::min(first + 1, sourceSize - 1),
                                    static_cast<int>(std::lround(std::clamp(at - first, 0.0, 1.0) * 256))};
  }
  return taps;
}

}  // namespace

RgbaImage* image_lookup(SpriteId image) { return images.find(image); }

void pictures_set_density(int density) { gameImageDensity = std::max(density, 1); }

int pictures_density() { return gameImageDensity; }

RgbaImage image_resampled(const RgbaImage& source, int width, int height, int density) {
  RgbaImage scaled;
  scaled.width = width;
  scaled.height = height;
  scaled.density = density;
  scaled.pixels.resize(static_cast<size_t>(width) * height * 4);
  const std::vector<Tap> columns = bilinear_taps(source.width, width);
  const std::vector<Tap> rows = bilinear_taps(source.height, height);
  const size_t stride = static_cast<size_t>(source.width) * 4;
  uint8_t* out = scaled.pixels.data();
  for (const Tap& row : rows) {
    const uint8_t* top = source.pixels.data() + static_cast<size_t>(row.first) * stride;
    const uint8_t* bottom = source.pixels.data() + static_cast<size_t>(row.second) * stride;
    for (const Tap& column : columns) {
      const size_t a = static_cast<size_t>(column.first) * 4, b = static_cast<size_t>(column.second) * 4;
      for (int channel = 0; channel < 4; ++channel) {
        const int upper = top[a + channel] * (256 - column.weight) + top[b + channel] * column.weight;
        const int lower = bottom[a + channel] * (256 - column.weight) + bottom[b + channel] * column.weight;
        *out++ = static_cast<uint8_t>((upper * (256 - row.weight) + lower * row.weight + 32768) >> 16);
      }
    }
  }
  return scaled;
}

SpriteId image_load_png(SpriteId number, const void* data, size_t size) {
  RgbaImage decoded;
  if (!picture_decode(data, size, &decoded, nullptr)) {
    return 0;
  }
  const SpriteId id = images.claim(number);
  return id == kNoId ? 0 : images.put(id, std::move(decoded));
}

SpriteId image_create(SpriteId number, int width, int height, int depth, uint32_t rgbFill) {
  const int density = gameImageDensity;
  if (!picture_size_valid(width, height, density)) {
    return 0;
  }
  const SpriteId id = images.claim(number);
  if (id == kNoId) {
    return 0;
  }
  RgbaImage image;
  image.width = width * density;
  image.height = height * density;
  image.density = density;
  image.pixels.resize(static_cast<size_t>(image.width) * image.height * 4);
  const uint8_t fill[4] = {static_cast<uint8_t>(rgbFill & 255), static_cast<uint8_t>(rgbFill >> 8 & 255),
                           static_cast<uint8_t>(rgbFill >> 16 & 255), 255};
  for (size_t i = 0; i < image.pixels.size(); i += 4) {
    std::copy(fill, fill + 4, image.pixels.begin() + static_cast<std::ptrdiff_t>(i));
  }
  return images.put(id, std::move(image));
}

int image_width(SpriteId image) {
  const RgbaImage* found = images.find(image);
  return found != nullptr ? image_game_width(*found) : 0;
}

int image_height(SpriteId image) {
  const RgbaImage* found = images.find(image);
  return found != nullptr ? image_game_height(*found) : 0;
}

// Resampled from all the pixels it has: a picture made for a screen of N times as many pixels keeps
// N times the detail.
int image_resize(SpriteId image, int width, int height, int mode) {
  RgbaImage* source = images.find(image);
  const int density = gameImageDensity;
  if (source == nullptr || !picture_size_valid(width, height, density)) {
    return 0;
  }
  *source = image_resampled(*source, width * density, height * density, density);
  return 1;
}

SpriteId image_copy_rect(SpriteId source, SpriteId target, int x, int y, int width, int height) {
  const RgbaImage* from = images.find(source);
  if (from == nullptr || x < 0 || y < 0 || width <= 0 || height <= 0 || x > image_game_width(*from) - width ||
      y > image_game_height(*from) - height) {
    return 0;
  }
  // In the source's pixels: its density a game pixel.
  const int density = from->density;
  x *= density, y *= density, width *= density, height *= density;
  RgbaImage part;
  part.width = width;
  part.height = height;
  part.density = density;
  part.pixels.resize(static_cast<size_t>(width) * height * 4);
  for (int row = 0; row < height; ++row) {
    const auto begin = from->pixels.begin() + static_cast<std::ptrdiff_t>((static_cast<size_t>(y + row) * from->width + x) * 4);
    std::copy(begin, begin + width * 4, part.pixels.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(row) * width * 4));
  }
  const SpriteId id = images.claim(target);
  return id == kNoId ? 0 : images.put(id, std::move(part));
}

void image_free(SpriteId image) { images.erase(image); }
