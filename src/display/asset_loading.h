// Turning the data pack's pictures into the game's sprites and images, once, right after the screen
// opened.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

constexpr int kFacesPerSet = 24;

struct CardSet {
  SpriteId back = kNewSprite;
  std::array<SpriteId, kFacesPerSet + 1> faces{};  // faces 1..24; 0 unused
};

// Memory block sizes: an entry larger than its block fails.
constexpr size_t kScreenPictureBlock = 4194304;
constexpr size_t kPictureBlock = 204800;

struct LoadedAssets {
  std::array<SpriteId, 4> backgrounds{};
  std::array<CardSet, 2> cardSets{};
};

// Every picture of the load order unpacked from the data pack into a block of its own, up to the first
// that cannot be unpacked; each is handed on to be decoded ahead while the screen is being opened.
struct UnpackedPicture {
  std::unique_ptr<unsigned char[]> block;
  int64_t size = 0;  // 0 or less: could not be unpacked
};
struct UnpackedPictures {
  bool packOpened = false;
  std::vector<UnpackedPicture> pictures;  // in load order
};
UnpackedPictures UnpackPictures(const std::string& packPath);

// Loads every picture in the fixed order, logging one line each. Returns true when all unpacked;
// otherwise false with the failed entry's name ("" when the pack itself could not be opened). What
// loaded before the failure stays loaded. Each block is released once its picture is made; the
// caller stops the decoding ahead afterwards (picture_decode_ahead_stop).
bool LoadAssets(UnpackedPictures& unpacked, int width, int height, LoadedAssets* out, std::string* failedName);

// Makes a screen-sized sprite (number, or a new handle for kNewSprite) from a PNG of any size:
// fitted by the width or the height and cropped centred. Returns the sprite, or 0 when it could not
// be created. A picture that does not decode, or is under 100 pixels wide or high, gives an empty
// (transparent black) sprite.
SpriteId MakeScreenFillingSprite(SpriteId number, const void* png, size_t size, int width, int height);
