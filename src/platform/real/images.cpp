// Off-screen images: pictures from the data pack being cut and scaled, and the canvases the text
// drawing paints on before they are copied into sprites.
#include <algorithm>
#include <cmath>

#include "platform/real/id_store.h"
#include "platform/real/real_internal.h"

namespace {

IdStore<RgbaImage> images;

bool valid_size(int width, int height) { return width > 0 && height > 0 && width <= 16384 && height <= 16384; }

// One channel of the picture sampled between pixel centres.
uint8_t sample_bilinear(const RgbaImage& image, double x, double y, int channel) {
  const int x0 = std::clamp(static_cast<int>(std::floor(x)), 0, image.width - 1);
  const int y0 = std::clamp(static_cast<int>(std::floor(y)), 0, image.height - 1);
  const int x1 = std::min(x0 + 1, image.width - 1);
  const int y1 = std::min(y0 + 1, image.height - 1);
  const double fx = std::clamp(x - x0, 0.0, 1.0);
  const double fy = std::clamp(y - y0, 0.0, 1.0);
  auto at = [&](int px, int py) { return image.pixels[(static_cast<size_t>(py) * image.width + px) * 4 + channel]; };
  const double top = at(x0, y0) * (1 - fx) + at(x1, y0) * fx;
  const double bottom = at(x0, y1) * (1 - fx) + at(x1, y1) * fx;
  return static_cast<uint8_t>(std::lround(top * (1 - fy) + bottom * fy));
}

}  // namespace

RgbaImage* image_lookup(SpriteId image) { return images.find(image); }

SpriteId image_load_png(SpriteId number, const void* data, size_t size) {
  RgbaImage decoded;
  if (!png_decode_rgba(data, size, &decoded, nullptr)) {
    return 0;
  }
  const SpriteId id = images.claim(number);
  return id == kNoId ? 0 : images.put(id, std::move(decoded));
}

SpriteId image_create(SpriteId number, int width, int height, int depth, uint32_t rgbFill) {
  if (!valid_size(width, height)) {
    return 0;
  }
  const SpriteId id = images.claim(number);
  if (id == kNoId) {
    return 0;
  }
  RgbaImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<size_t>(width) * height * 4);
  const uint8_t fill[4] = {static_cast<uint8_t>(rgbFill & 255), static_cast<uint8_t>(rgbFill >> 8 & 255),
                           static_cast<uint8_t>(rgbFill >> 16 & 255), 255};
  for (size_t i = 0; i < image.pixels.size(); i += 4) {
    std::copy(fill, fill + 4, image.pixels.begin() + static_cast<std::ptrdiff_t>(i));
  }
  return images.put(id, std::move(image));
}

int image_width(SpriteId image) {
  const RgbaImage* found = images.find(image);
  return found != nullptr ? found->width : 0;
}

int image_height(SpriteId image) {
  const RgbaImage* found = images.find(image);
  return found != nullptr ? found->height : 0;
}

int image_resize(SpriteId image, int width, int height, int mode) {
  RgbaImage* source = images.find(image);
  if (source == nullptr || !valid_size(width, height)) {
    return 0;
  }
  RgbaImage scaled;
  scaled.width = width;
  scaled.height = height;
  scaled.pixels.resize(static_cast<size_t>(width) * height * 4);
  const double scaleX = static_cast<double>(source->width) / width;
  const double scaleY = static_cast<double>(source->height) / height;
  for (int y = 0; y < height; ++y) {
    const double sourceY = (y + 0.5) * scaleY - 0.5;
    for (int x = 0; x < width; ++x) {
      const double sourceX = (x + 0.5) * scaleX - 0.5;
      uint8_t* out = &scaled.pixels[(static_cast<size_t>(y) * width + x) * 4];
      for (int channel = 0; channel < 4; ++channel) {
        out[channel] = sample_bilinear(*source, sourceX, sourceY, channel);
      }
    }
  }
  *source = std::move(scaled);
  return 1;
}

SpriteId image_copy_rect(SpriteId source, SpriteId target, int x, int y, int width, int height) {
  const RgbaImage* from = images.find(source);
  if (from == nullptr || x < 0 || y < 0 || width <= 0 || height <= 0 || x > from->width - width ||
      y > from->height - height) {
    return 0;
  }
  RgbaImage part;
  part.width = width;
  part.height = height;
  part.pixels.resize(static_cast<size_t>(width) * height * 4);
  for (int row = 0; row < height; ++row) {
    const auto begin = from->pixels.begin() + static_cast<std::ptrdiff_t>((static_cast<size_t>(y + row) * from->width + x) * 4);
    std::copy(begin, begin + width * 4, part.pixels.begin() + static_cast<std::ptrdiff_t>(static_cast<size_t>(row) * width * 4));
  }
  const SpriteId id = images.claim(target);
  return id == kNoId ? 0 : images.put(id, std::move(part));
}

void image_free(SpriteId image) { images.erase(image); }
