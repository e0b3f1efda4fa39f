// Off-screen images and the PNG codec: formats, sizes, bad input. No display needed.
#include <signal.h>
#include <sys/resource.h>
#include <zlib.h>

#include "gfx_support.h"

namespace {

// A grey picture of one bit a pixel, all black: a few kilobytes for millions of pixels. `damaged`:
// a byte in the middle of its compressed rows changed (their chunk's checksum then fails).
std::vector<uint8_t> one_bit_png(int side, bool damaged) {
  std::vector<uint8_t> bytes = png_of_rows(side, 1, PNG_COLOR_TYPE_GRAY, std::vector(side, std::vector<uint8_t>((side + 7) / 8)));
  if (damaged) bytes[bytes.size() / 2] ^= 0x55;
  return bytes;
}

TEST(PngCodec, EveryFormatComesOutAsEightBitRgbaAndBadDataIsRefused) {
  const RgbaImage picture = solid_image(3, 2, Rgba{10, 20, 30, 255}, {{2, 1, Rgba{200, 150, 100, 77}}});
  const std::tuple<int, int, Rgba, bool> cases[] = {  // colour type, bits, the odd pixel decoded, alpha
      {2, 8, {200, 150, 100, 255}, false}, {2, 16, {200, 150, 100, 255}, false}, {3, 8, {200, 150, 100, 255}, false},
      {0, 8, {200, 200, 200, 255}, false}, {6, 8, {200, 150, 100, 77}, true},    {6, 16, {200, 150, 100, 77}, true},
      {4, 8, {200, 200, 200, 77}, true}};
  for (const auto& [colourType, bitDepth, odd, hasAlpha] : cases) {
    const std::vector<uint8_t> png = encode_png(picture, colourType, bitDepth);
    RgbaImage decoded;
    bool alpha = !hasAlpha;
    ASSERT_TRUE(png_decode_rgba(png.data(), png.size(), &decoded, &alpha));
    EXPECT_EQ(std::tuple(decoded.width, decoded.height, pixel_at(decoded, 2, 1), pixel_at(decoded, 0, 0).g, alpha),
              std::tuple(3, 2, odd, colourType & 2 ? 20 : 10, hasAlpha))
        << "colour type " << colourType << ", " << bitDepth << " bits";
  }
  // Cut and oversized data is refused; random damage is left to the PNG fuzz target.
  RgbaImage out;
  const std::vector<uint8_t> good = encode_png(solid_image(40, 40, kRed));
  EXPECT_FALSE(png_decode_rgba(nullptr, 100, &out, nullptr));
  for (const size_t cut : {size_t{7}, size_t{8}, size_t{20}, size_t{33}, good.size() - 13})
    EXPECT_FALSE(png_decode_rgba(good.data(), cut, &out, nullptr)) << cut;
  std::vector<uint8_t> huge = good, longChunk = good, cutLongChunk(good.begin(), good.begin() + 41);
  huge[16] = 0x7f;  // a width refused before anything is allocated
  longChunk[33] = cutLongChunk[33] = 0x7f;  // the chunk after IHDR claims 2 GB: refused, not allocated,
  std::memcpy(&cutLongChunk[37], "sPLT", 4);  // even when the data ends right after its type
  for (const std::vector<uint8_t>* bad : {&huge, &longChunk, &cutLongChunk}) EXPECT_FALSE(png_decode_rgba(bad->data(), bad->size(), &out, nullptr));
  // Every picture the stores take, up to 16384 pixels a side (8193 was refused once); a header may
  // ask only for as much memory as its compressed rows can unpack to.
  for (const auto& [width, height, colourType, decodes] : {std::tuple{8193, 16, 2, true}, {16, kMaxPictureSide, 6, true}, {kMaxPictureSide + 1, 1, 2, false}}) {
    const std::vector<uint8_t> png = encode_png(solid_image(width, height, kBlue), colourType);
    EXPECT_EQ(png_decode_rgba(png.data(), png.size(), &out, nullptr) && pixel_at(out, width - 1, height - 1) == kBlue, decodes) << width << "x" << height;
  }
  std::vector<uint8_t> tall = encode_png(solid_image(8193, 16, kBlue), 2);
  tall[22] = 0x40;  // 8193 x 16384 in a few hundred bytes, with the header's checksum made right
  const uint32_t crc = static_cast<uint32_t>(::crc32(0, tall.data() + 12, 17));
  for (int i = 0; i < 4; ++i) tall[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
  // A header that asks for more than its rows can unpack to, and one over damaged rows at one bit a
  // pixel (32 times smaller than its RGBA), take no more than a picture that is there.
  std::vector<uint8_t> oneBit = one_bit_png(kMaxPictureSide, true), small = one_bit_png(2048, false);
  for (const std::vector<uint8_t>* bad : {&tall, &oneBit}) {
    rusage before{}, after{};
    EXPECT_FALSE((getrusage(RUSAGE_SELF, &before), png_decode_rgba(bad->data(), bad->size(), &out, nullptr)));
    EXPECT_LT((getrusage(RUSAGE_SELF, &after), after.ru_maxrss - before.ru_maxrss), 100 << 10) << "KiB taken for a picture that is not there";
  }
  EXPECT_TRUE(png_decode_rgba(small.data(), small.size(), &out, nullptr) && pixel_at(out, 2047, 2047) == kBlack) << small.size();
}

// A write that fails at any step (a full disk: a file size limit here) leaves no file behind: at
// the first byte, at the close that writes out a small picture's only buffer, inside the rows.
TEST(PngCodec, AWriteThatFailsAtAnyStepLeavesNoFile) {
  RgbaImage noise = solid_image(256, 256, kClear), small = solid_image(40, 40, kGreen);
  for (uint32_t seed = 1; uint8_t& byte : noise.pixels) byte = static_cast<uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
  const std::string path = testing::TempDir() + "written-" + std::to_string(getpid()) + ".png";
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const sighandler_t oldHandler = signal(SIGXFSZ, SIG_IGN);
  for (const auto& [picture, limit] : {std::pair{&small, rlim_t{0}}, {&small, 64}, {&noise, 16384}, {&noise, RLIM_INFINITY}}) {
    rlimit now{std::min(limit, old.rlim_max), old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &now), 0);
    const bool result = png_write_rgba(path.c_str(), *picture), written = limit == RLIM_INFINITY;
    setrlimit(RLIMIT_FSIZE, &old);
    const std::vector<uint8_t> bytes = file_bytes(path);
    RgbaImage back;
    const bool readsBack = png_decode_rgba(bytes.data(), bytes.size(), &back, nullptr) && back.pixels == picture->pixels;
    EXPECT_EQ(std::tuple(result, access(path.c_str(), F_OK) == 0, readsBack), std::tuple(written, written, written)) << "limit " << limit;
    unlink(path.c_str());
  }
  signal(SIGXFSZ, oldHandler);
}

TEST(Images, CreateLoadResizeCopyAndFree) {
  const SpriteId made = image_create(kNewSprite, 3, 2, 32, rgb(7, 8, 9));
  ASSERT_GE(made, kFirstSpriteHandle);
  EXPECT_EQ(pixel_at(*image_lookup(made), 2, 1), (Rgba{7, 8, 9, 255}));
  EXPECT_EQ(image_create(26, 0, 5, 32, 0), 0);
  EXPECT_NE(image_create(26, 4, 5, 32, 0), 0);
  for (const SpriteId id : {made, SpriteId{26}}) image_free(id);
  EXPECT_TRUE(image_lookup(made) == nullptr && image_width(26) == 0);
  const char garbage[] = "GIF89a";
  EXPECT_EQ(image_load_png(29, garbage, sizeof garbage), 0);
  std::vector<uint8_t> png = encode_png(solid_image(2, 1, kBlack, {{1, 0, Rgba{200, 100, 40, 255}}}));
  const SpriteId image = image_load_png(kNewSprite, png.data(), png.size());
  ASSERT_EQ(image_resize(image, 4, 2, 0), 1);  // bilinear
  const RgbaImage& scaled = *image_lookup(image);
  ASSERT_EQ(scaled.width * 10 + scaled.height, 42);
  EXPECT_EQ(std::vector<Rgba>({pixel_at(scaled, 0, 0), pixel_at(scaled, 1, 0), pixel_at(scaled, 2, 1), pixel_at(scaled, 3, 1)}),
            std::vector<Rgba>({kBlack, {50, 25, 10, 255}, {150, 75, 30, 255}, {200, 100, 40, 255}}));
  EXPECT_EQ(image_resize(image, 0, 2, 0) + image_resize(999, 2, 2, 0), 0);
  png = encode_png(solid_image(4, 4, kRed, {{3, 3, kBlue}}));
  const SpriteId source = image_load_png(kNewSprite, png.data(), png.size());
  const SpriteId part = image_copy_rect(source, kNewSprite, 2, 2, 2, 2);
  ASSERT_NE(part, 0);
  EXPECT_EQ(std::pair(pixel_at(*image_lookup(part), 1, 1), pixel_at(*image_lookup(part), 0, 0)), std::pair(kBlue, kRed));
  for (const auto& [x, y, w] : {std::tuple{3, 3, 2}, {-1, 0, 2}, {0, 0, 0}}) EXPECT_EQ(image_copy_rect(source, 40, x, y, w, 2), 0);
  EXPECT_EQ(image_copy_rect(12345, 40, 0, 0, 1, 1), 0);
  for (const SpriteId id : {image, source, part}) image_free(id);
}

}  // namespace
