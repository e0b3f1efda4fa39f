// PNG decoding from memory and encoding to a file, through libpng. Used by the sprite and image
// stores (loading pictures from the data pack, screenshots) and by the text drawing.
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/real/pictures/pictures.h"

namespace {

struct MemoryReader {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t offset = 0;
};

void read_from_memory(png_structp png, png_bytep out, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (length > reader->size - reader->offset) {
    png_error(png, "truncated picture");
  }
  std::memcpy(out, reader->data + reader->offset, length);
  reader->offset += length;
}

// A picture that does not decode is an ordinary failure for the caller: nothing is printed.
[[noreturn]] void quiet_error(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void ignore_warning(png_structp, png_const_charp) {}

// Deflate turns one compressed byte into at most 1032 (two bits for a 258-byte match).
constexpr uint64_t kMaxDeflateRatio = 1032;

// libpng allocates some chunks at their announced length before reading them: a damaged length
// field would ask for gigabytes. Every chunk whose length and type are there (all libpng needs to
// allocate) must fit, with its checksum, in the bytes that are really there. Returns the bytes of
// compressed pixel data (IDAT), or -1 when a chunk does not fit.
int64_t pixel_data_bytes(const uint8_t* data, size_t size) {
  size_t at = 8;  // after the signature
  int64_t pixelData = 0;
  while (size - at >= 8) {
    const size_t length = png_u32(data + at);
    if (length + 12 > size - at) return -1;
    if (std::memcmp(data + at + 4, "IDAT", 4) == 0) pixelData += static_cast<int64_t>(length);
    if (std::memcmp(data + at + 4, "IEND", 4) == 0) break;
    at += length + 12;
  }
  return pixelData;  // a picture cut inside a chunk's length or type fails later, in libpng
}

// libpng's part, for a picture whose rows with their filter bytes come to at most maxFilteredBytes.
// Without `out`, a check: every row is decoded into the same one, and nothing is kept.
bool decode_png(const void* data, size_t size, uint64_t maxFilteredBytes, RgbaImage* out, bool* hasAlpha) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, quiet_error, ignore_warning);
  if (png == nullptr) {
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  MemoryReader reader{static_cast<const uint8_t*>(data), size, 0};
  // Declared before setjmp so a longjmp out of libpng never skips their construction.
  RgbaImage decoded;
  std::unique_ptr<png_bytep[]> rows;
  std::vector<uint8_t> row;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &reader, read_from_memory);
  // Any picture the sprite and image stores take. The memory it needs is what its header announces,
  // which must be no more than its compressed rows (each with a filter byte) can unpack to: a
  // damaged header cannot ask for gigabytes.
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  const int colourType = png_get_color_type(png, info);
  const bool withAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  const uint64_t filteredBytes = uint64_t{height} * (png_get_rowbytes(png, info) + 1);
  if (width == 0 || height == 0 || filteredBytes > maxFilteredBytes) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_expand(png);  // palette -> RGB, grey below 8 bits -> 8 bits, tRNS -> alpha
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  if (out == nullptr) {
    row.resize(static_cast<size_t>(width) * 4);
    for (int pass = 0; pass < passes; ++pass) {
      for (png_uint_32 y = 0; y < height; ++y) png_read_row(png, row.data(), nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
  }
  decoded.width = static_cast<int>(width);
  decoded.height = static_cast<int>(height);
  decoded.pixels.assign(static_cast<size_t>(width) * height * 4, 0);
  rows.reset(new png_bytep[height]);
  for (png_uint_32 y = 0; y < height; ++y) {
    rows[y] = decoded.pixels.data() + static_cast<size_t>(y) * width * 4;
  }
  png_read_image(png, rows.get());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  *out = std::move(decoded);
  if (hasAlpha != nullptr) {
    *hasAlpha = withAlpha;
  }
  return true;
}

}  // namespace

bool png_decode_rgba(const void* data, size_t size, RgbaImage* out, bool* hasAlpha) {
  if (data == nullptr || out == nullptr || size < 8 || png_sig_cmp(static_cast<png_const_bytep>(data), 0, 8) != 0) {
    return false;
  }
  const auto* bytes = static_cast<const uint8_t*>(data);
  const int64_t pixelData = pixel_data_bytes(bytes, size);
  if (pixelData < 0 || size < 24) return false;
  // The output is RGBA, up to 32 times what the rows unpack to (one bit a pixel): a header over a
  // few kilobytes may ask for a gigabyte. When the output is more than the compressed rows could
  // unpack to, every row is decoded once first, into a single row: damaged data fails there, before
  // the output is allocated.
  const uint64_t maxFilteredBytes = static_cast<uint64_t>(pixelData) * kMaxDeflateRatio;
  const uint64_t side = kMaxPictureSide + 1;  // larger is refused anyway
  const uint64_t outputBytes = std::min<uint64_t>(png_u32(bytes + 16), side) * std::min<uint64_t>(png_u32(bytes + 20), side) * 4;
  return (outputBytes <= maxFilteredBytes || decode_png(data, size, maxFilteredBytes, nullptr, nullptr)) &&
         decode_png(data, size, maxFilteredBytes, out, hasAlpha);
}

bool png_write_rgba(const char* path, const RgbaImage& image) {
  if (path == nullptr || path[0] == '\0' || image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<size_t>(image.width) * image.height * 4) {
    return false;
  }
  FILE* file = std::fopen(path, "wb");
  if (file == nullptr) {
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quiet_error, ignore_warning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  if (png == nullptr || info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    std::fclose(file);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    std::remove(path);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
               PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    png_write_row(png, image.pixels.data() + static_cast<size_t>(y) * image.width * 4);
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  // A full disk often shows only when the buffered bytes are flushed: a file cut short is removed.
  const bool flushed = std::fflush(file) == 0 && std::ferror(file) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!flushed || !closed) {
    std::remove(path);
    return false;
  }
  return true;
}
