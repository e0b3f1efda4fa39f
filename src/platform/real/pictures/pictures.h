// The pictures room: off-screen images (pictures cut and scaled, canvases for text), PNG decoding
// and encoding, the pointer drawn for the screen's density, and the pictures decoded ahead on the
// other core while the game starts. Owns the image table (images.cpp), the density of the images
// the game makes, and the decode-ahead worker with its queue (picture_ahead.cpp). It uses no other
// room: the drawing and text rooms take their pixels from here.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"
#include "platform/real/pictures/id_store.h"

// An off-screen image: straight (not premultiplied) RGBA, 4 bytes a pixel, rows top to bottom.
// width and height count its pixels; the game measures it in its own pixels, `density` of them a
// side to each (1 for a decoded picture, the desktop's scale for the images the game makes).
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
  int density = 1;
};

// Image pixels a game pixel, on each side, of the images the game makes (image_create, image_resize,
// image_copy_rect of them) and of the sprites it makes (sprite_create, sprite_grab_screen): the
// desktop's scale, so that at scale N they hold N times the detail of the game's own pixels and are
// drawn sharp on a screen of N times as many. Set at platform_init; 1 until then.
void pictures_set_density(int density);
int pictures_density();
// The image's size in game pixels.
inline int image_game_width(const RgbaImage& image) { return image.width / image.density; }
inline int image_game_height(const RgbaImage& image) { return image.height / image.density; }
// The image resampled (bilinear) to width x height pixels of the given density.
RgbaImage image_resampled(const RgbaImage& source, int width, int height, int density);

// A picture decoded from `data` that is the designed 32-pixel pointer becomes, on a screen of
// `density` pixels a game pixel (2 or more), the pointer drawn for that density, or for the finest
// one drawn below it: the same 32 x 32 game pixels, sharp where the 32-pixel one would be magnified
// (pointer_density.cpp). Every other picture stays as decoded.
void picture_drawn_for_density(const void* data, size_t size, int density, RgbaImage* picture);

// Largest side of a sprite or an image, and of a picture decoded into one.
constexpr int kMaxPictureSide = 16384;
inline bool picture_size_valid(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}
// The same for width x height game pixels of `density` pixels a side.
inline bool picture_size_valid(int width, int height, int density) {
  return picture_size_valid(width, height) && picture_size_valid(width * density, height * density);
}

// The image with that number or handle, nullptr when there is none. Owned by the image store
// (images.cpp); valid until image_free or the next image_* call that replaces it.
RgbaImage* image_lookup(SpriteId image);

// Decoding and encoding PNG (png_codec.cpp). Palette, grey and 16-bit pictures come out as 8-bit RGBA.
// hasAlpha tells whether the file carried an alpha channel (or a tRNS chunk).
bool png_decode_rgba(const void* data, size_t size, RgbaImage* out, bool* hasAlpha);
// A PNG's 32-bit big-endian number (chunk lengths, the header's width and height).
inline size_t png_u32(const uint8_t* at) {
  return size_t{at[0]} << 24 | size_t{at[1]} << 16 | size_t{at[2]} << 8 | at[3];
}
// Writes the picture as an 8-bit RGBA PNG; false, with no file left at `path`, when any step of
// the writing fails.
bool png_write_rgba(const char* path, const RgbaImage& image);
// png_decode_rgba, or the picture decoded ahead from the same block (picture_ahead.cpp).
bool picture_decode(const void* data, size_t size, RgbaImage* out, bool* hasAlpha);

// For the platform tests: how many loads so far took a picture decoded ahead, and whether the
// decoding ahead waits for decoded pictures to be taken (the next would pass the budget).
int platform_pictures_taken_ahead();
bool platform_decoding_ahead_held_back();
