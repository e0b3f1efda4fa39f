#include "display/asset_loading.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "display/data_pack.h"
#include "services/log.h"

namespace {
constexpr SpriteId kDecodedImage = 0;  // the picture as decoded
constexpr SpriteId kFittedImage = 1;   // the screen-sized crop

void logLoaded(const std::string& name) { WriteLogLine("Load asset (" + name + "):" + Tabs(2) + "OK"); }

// The crop rectangle of a fitted picture, within the resized picture of rw x rh.
struct Crop {
  int resizeWidth = 0, resizeHeight = 0, x = 0, y = 0;
};

// Covers the screen keeping the proportions and crops the centre.
Crop coverScreen(int iw, int ih, int w, int h) {
  Crop c;
  const double scale = std::max(double(w) / iw, double(h) / ih);
  c.resizeWidth = std::max(w, static_cast<int>(iw * scale + 0.999));
  c.resizeHeight = std::max(h, static_cast<int>(ih * scale + 0.999));
  c.x = (c.resizeWidth - w) / 2;
  c.y = (c.resizeHeight - h) / 2;
  return c;
}

// The fit keeps the proportions by comparing whole-hundred steps of the picture's size. A picture
// under 100 pixels on a side has no whole hundreds to divide by, and a crop that would reach
// outside the resized picture cannot be cut: both cover the screen and crop the centre instead.
Crop fitPicture(int iw, int ih, int w, int h) {
  if (iw < 100 || ih < 100) return coverScreen(iw, ih, w, h);
  Crop c;
  const int fittedHeight = (ih / 100) * (w / (iw / 100));
  if (fittedHeight > ih) {
    c.resizeWidth = (iw / 100) * (h / (ih / 100));
    c.resizeHeight = h;
    c.x = (c.resizeWidth - w) / 2;
  } else {
    c.resizeWidth = w;
    c.resizeHeight = fittedHeight;
    c.y = (fittedHeight - h) / 2;
  }
  const bool inside = c.x >= 0 && c.y >= 0 && c.x + w <= c.resizeWidth && c.y + h <= c.resizeHeight;
  return inside ? c : coverScreen(iw, ih, w, h);
}

bool prepareFittedImage(const void* png, size_t size, int w, int h) {
  if (!image_load_png(kDecodedImage, png, size)) return false;
  const int iw = image_width(kDecodedImage), ih = image_height(kDecodedImage);
  bool made = false;
  if (iw == w && ih == h) {
    made = image_copy_rect(kDecodedImage, kFittedImage, 0, 0, w, h) != 0;
  } else if (ih > 0 && iw / ih == w / h) {
    made = image_resize(kDecodedImage, w, h, 0) && image_copy_rect(kDecodedImage, kFittedImage, 0, 0, w, h);
  } else if (iw > 0 && ih > 0) {
    const Crop c = fitPicture(iw, ih, w, h);
    made = image_resize(kDecodedImage, c.resizeWidth, c.resizeHeight, 0) &&
           image_copy_rect(kDecodedImage, kFittedImage, c.x, c.y, w, h);
  }
  image_free(kDecodedImage);
  return made;
}

// Reads pictures from the pack into one reusable block.
class AssetReader {
 public:
  explicit AssetReader(DataPack& pack)
      : pack_(pack), block_(std::make_unique_for_overwrite<unsigned char[]>(kScreenPictureBlock)) {}
  // Bytes unpacked, or 0 or less on failure (also for an entry larger than blockSize).
  int64_t read(const std::string& name, size_t blockSize) {
    return pack_.unpack(name, block_.get(), std::min(blockSize, kScreenPictureBlock));
  }
  const void* data() const { return block_.get(); }

 private:
  DataPack& pack_;
  std::unique_ptr<unsigned char[]> block_;  // one block for every picture, reused
};

// A handle that did not load stays an invalid sprite rather than 0, which is the pointer's number.
SpriteId handleOrInvalid(SpriteId handle) { return handle ? handle : kNewSprite; }

struct NamedPicture {
  const char* entry;
  SpriteId number;
  enum Kind { Sprite, Image } kind;
  int flags;
  const char* logName;  // the log names one picture without brackets
};

const NamedPicture kNamedPictures[] = {
    {"shadow.png", 1, NamedPicture::Sprite, kSpriteKeepAlpha, nullptr},
    {"menu.png", 5, NamedPicture::Sprite, kSpriteKeepAlpha, nullptr},
    {"menushadow.png", 6, NamedPicture::Sprite, kSpriteKeepAlpha, nullptr},
    {"well done shadow.png", 8, NamedPicture::Sprite, kSpriteKeepAlpha, nullptr},
    {"well done.png", 7, NamedPicture::Sprite, kSpriteKeepAlpha, nullptr},
    {"gradient.png", 9, NamedPicture::Sprite, kSpritePlain, nullptr},
    {"pointer.png", 0, NamedPicture::Sprite, kSpriteKeepAlpha, nullptr},
    {"left.png", 26, NamedPicture::Image, 0, nullptr},
    {"left off.png", 27, NamedPicture::Sprite, kSpritePlain, "Load asset left off.png:"},
    {"right.png", 28, NamedPicture::Image, 0, nullptr},
    {"right off.png", 29, NamedPicture::Sprite, kSpritePlain, nullptr},
    {"box.png", 30, NamedPicture::Sprite, kSpritePlain, nullptr},
    {"boxx.png", 31, NamedPicture::Sprite, kSpritePlain, nullptr},
};
}  // namespace

SpriteId MakeScreenFillingSprite(SpriteId number, const void* png, size_t size, int width, int height) {
  const bool fitted = prepareFittedImage(png, size, width, height);
  const SpriteId sprite = sprite_create(number, width, height, kSpritePlain);
  if (sprite && fitted && sprite_begin_drawing(number == kNewSprite ? sprite : number)) {
    image_draw(kFittedImage, 0, 0);
    drawing_end();
  }
  if (fitted) image_free(kFittedImage);
  return sprite;
}

bool LoadAssets(const std::string& packPath, int width, int height, LoadedAssets* out, std::string* failedName) {
  DataPack pack;
  if (!pack.open(packPath)) {
    *failedName = "";
    return false;
  }
  AssetReader reader(pack);
  auto fail = [&](const std::string& name) {
    *failedName = name;
    return false;
  };

  for (int n = 1; n <= 4; ++n) {
    const std::string name = "background " + std::to_string(n) + ".png";
    const int64_t size = reader.read(name, kScreenPictureBlock);
    if (size <= 0) return fail(name);
    out->backgrounds[n - 1] =
        handleOrInvalid(MakeScreenFillingSprite(kNewSprite, reader.data(), size_t(size), width, height));
    logLoaded(name);
  }
  for (int n = 1; n <= 2; ++n) {
    const std::string name = std::to_string(n) + "-back.png";
    const int64_t size = reader.read(name, kPictureBlock);
    if (size <= 0) return fail(name);
    out->cardSets[n - 1].back = handleOrInvalid(sprite_load_png(kNewSprite, reader.data(), size_t(size), kSpriteKeepAlpha));
    logLoaded(name);
  }
  for (int n = 1; n <= 2; ++n)
    for (int m = 1; m <= kFacesPerSet; ++m) {
      char name[32];
      std::snprintf(name, sizeof name, "%d-card%02d.png", n, m);
      const int64_t size = reader.read(name, kPictureBlock);
      if (size <= 0) return fail(name);
      out->cardSets[n - 1].faces[m] =
          handleOrInvalid(sprite_load_png(kNewSprite, reader.data(), size_t(size), kSpriteKeepAlpha));
      logLoaded(name);
    }
  for (const NamedPicture& p : kNamedPictures) {
    const int64_t size = reader.read(p.entry, kPictureBlock);
    if (size <= 0) return fail(p.entry);
    if (p.kind == NamedPicture::Image)
      image_load_png(p.number, reader.data(), size_t(size));
    else
      sprite_load_png(p.number, reader.data(), size_t(size), p.flags);
    if (p.logName)
      WriteLogLine(p.logName + Tabs(2) + "OK");
    else
      logLoaded(p.entry);
  }
  const struct {
    const char* entry;
    SpriteId number;
  } screens[] = {{"title.png", 10}, {"zelt.png", 11}};
  for (const auto& s : screens) {
    const int64_t size = reader.read(s.entry, kScreenPictureBlock);
    if (size <= 0) return fail(s.entry);
    MakeScreenFillingSprite(s.number, reader.data(), size_t(size), width, height);
    logLoaded(s.entry);
  }
  pack.close();
  return true;
}
