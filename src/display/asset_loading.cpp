#include "display/asset_loading.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

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

// A handle that did not load stays an invalid sprite rather than 0, which is the pointer's number.
SpriteId handleOrInvalid(SpriteId handle) { return handle ? handle : kNewSprite; }

// One picture of the load order: its entry, its block, and what it becomes.
struct PictureStep {
  enum Kind { Background, CardBack, CardFace, NamedSprite, NamedImage, ScreenPicture } kind;
  std::string entry;
  SpriteId number = 0;  // of a named picture
  int flags = 0;
  const char* logName = nullptr;  // the log names one picture without brackets
  int set = 0;                    // background 0-3, or card set 0-1
  int face = 0;                   // 1-24
};

const std::vector<PictureStep>& loadOrder() {
  static const std::vector<PictureStep> order = [] {
    std::vector<PictureStep> steps;
    for (int n = 1; n <= 4; ++n)
      steps.push_back({PictureStep::Background, "background " + std::to_string(n) + ".png", 0, 0, nullptr, n - 1});
    for (int n = 1; n <= 2; ++n)
      steps.push_back({PictureStep::CardBack, std::to_string(n) + "-back.png", 0, kSpriteKeepAlpha, nullptr, n - 1});
    for (int n = 1; n <= 2; ++n)
      for (int m = 1; m <= kFacesPerSet; ++m) {
        char name[32];
        std::snprintf(name, sizeof name, "%d-card%02d.png", n, m);
        steps.push_back({PictureStep::CardFace, name, 0, kSpriteKeepAlpha, nullptr, n - 1, m});
      }
    const auto named = [&](PictureStep::Kind kind, const char* entry, SpriteId number, int flags,
                           const char* logName = nullptr) { steps.push_back({kind, entry, number, flags, logName}); };
    named(PictureStep::NamedSprite, "shadow.png", 1, kSpriteKeepAlpha);
    named(PictureStep::NamedSprite, "menu.png", 5, kSpriteKeepAlpha);
    named(PictureStep::NamedSprite, "menushadow.png", 6, kSpriteKeepAlpha);
    named(PictureStep::NamedSprite, "well done shadow.png", 8, kSpriteKeepAlpha);
    named(PictureStep::NamedSprite, "well done.png", 7, kSpriteKeepAlpha);
    named(PictureStep::NamedSprite, "gradient.png", 9, kSpritePlain);
    named(PictureStep::NamedSprite, "pointer.png", 0, kSpriteKeepAlpha);
    named(PictureStep::NamedImage, "left.png", 26, 0);
    named(PictureStep::NamedSprite, "left off.png", 27, kSpritePlain, "Load asset left off.png:");
    named(PictureStep::NamedImage, "right.png", 28, 0);
    named(PictureStep::NamedSprite, "right off.png", 29, kSpritePlain);
    named(PictureStep::NamedSprite, "box.png", 30, kSpritePlain);
    named(PictureStep::NamedSprite, "boxx.png", 31, kSpritePlain);
    named(PictureStep::ScreenPicture, "title.png", 10, 0);
    named(PictureStep::ScreenPicture, "zelt.png", 11, 0);
    return steps;
  }();
  return order;
}

bool screenSized(const PictureStep& step) {
  return step.kind == PictureStep::Background || step.kind == PictureStep::ScreenPicture;
}
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

UnpackedPictures UnpackPictures(const std::string& packPath) {
  UnpackedPictures unpacked;
  DataPack pack;
  unpacked.packOpened = pack.open(packPath);
  if (!unpacked.packOpened) return unpacked;
  for (const PictureStep& step : loadOrder()) {
    UnpackedPicture& picture = unpacked.pictures.emplace_back();
    const int64_t size = pack.entrySize(step.entry);
    const size_t blockSize = screenSized(step) ? kScreenPictureBlock : kPictureBlock;
    if (size > 0 && size_t(size) <= blockSize) {
      picture.block = std::make_unique_for_overwrite<unsigned char[]>(size_t(size));
      picture.size = pack.unpack(step.entry, picture.block.get(), size_t(size));
    }
    if (picture.size <= 0) break;  // nothing after a failed picture is loaded
  }
  // Handed on small pictures first: they wait for their turn in little memory, while a decoded
  // screen-sized picture is twice the size of its fitted sprite. The loading thread decodes the
  // screen-sized ones the other core has not started yet.
  const std::vector<PictureStep>& order = loadOrder();
  for (const bool screenSizedOnes : {false, true})
    for (size_t i = 0; i < unpacked.pictures.size(); ++i) {
      const UnpackedPicture& picture = unpacked.pictures[i];
      if (picture.size > 0 && screenSized(order[i]) == screenSizedOnes)
        picture_decode_ahead(picture.block.get(), size_t(picture.size));
    }
  return unpacked;
}

bool LoadAssets(UnpackedPictures& unpacked, int width, int height, LoadedAssets* out, std::string* failedName) {
  if (!unpacked.packOpened) {
    *failedName = "";
    return false;
  }
  const std::vector<PictureStep>& order = loadOrder();
  for (size_t i = 0; i < order.size(); ++i) {
    const PictureStep& step = order[i];
    if (i >= unpacked.pictures.size() || unpacked.pictures[i].size <= 0) {
      *failedName = step.entry;
      return false;
    }
    UnpackedPicture& picture = unpacked.pictures[i];
    const void* png = picture.block.get();
    const size_t size = size_t(picture.size);
    switch (step.kind) {
      case PictureStep::Background:
        out->backgrounds[step.set] = handleOrInvalid(MakeScreenFillingSprite(kNewSprite, png, size, width, height));
        break;
      case PictureStep::CardBack:
        out->cardSets[step.set].back = handleOrInvalid(sprite_load_png(kNewSprite, png, size, step.flags));
        break;
      case PictureStep::CardFace:
        out->cardSets[step.set].faces[step.face] = handleOrInvalid(sprite_load_png(kNewSprite, png, size, step.flags));
        break;
      case PictureStep::NamedSprite: sprite_load_png(step.number, png, size, step.flags); break;
      case PictureStep::NamedImage: image_load_png(step.number, png, size); break;
      case PictureStep::ScreenPicture: MakeScreenFillingSprite(step.number, png, size, width, height); break;
    }
    picture.block.reset();
    if (step.logName)
      WriteLogLine(step.logName + Tabs(2) + "OK");
    else
      logLoaded(step.entry);
  }
  return true;
}
