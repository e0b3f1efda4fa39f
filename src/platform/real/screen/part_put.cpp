// Parts of a frame composed on the CPU, put into the window as X images. Where GL rasterises on the
// CPU (llvmpipe), each frame it shows in part costs it a fixed round of work (its threads woken, the
// scene flushed, the part copied and waited for) whatever the part's size; a moving pointer is
// cheaper laid over the pixels under it here.
#include <X11/Xutil.h>

#include <cstdint>
#include <string_view>

#include "platform/real/screen/screen.h"

namespace {

struct PartPut {
  Display* display = nullptr;
  Window window = 0;
  GC gc = nullptr;
  XImage image{};  // the form of every part put: 32-bit words as they lie in this process's memory
};

PartPut put;

// The renderer of the current context is Mesa's llvmpipe: it rasterises on the CPU, and the
// composing repeats its blending exactly. Another (a GPU, softpipe's other rounding) draws it all.
bool renderer_is_llvmpipe() {
  const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  return renderer != nullptr && std::string_view(renderer).starts_with("llvmpipe");
}

}  // namespace

void gl_put_start(Display* display, Window window, const XVisualInfo* visual) {
  gl_put_stop();
  // The composed pixels are 0xAARRGGBB words: a visual of 8 bits a colour in that order takes them.
  if (visual->c_class != TrueColor || visual->red_mask != 0xff0000 || visual->green_mask != 0xff00 ||
      visual->blue_mask != 0xff || (visual->depth != 24 && visual->depth != 32) ||
      !renderer_is_llvmpipe()) {
    return;
  }
  put = PartPut{display, window, XCreateGC(display, window, 0, nullptr)};
  XImage& image = put.image;
  image.format = ZPixmap;
  const uint32_t one = 1;
  image.byte_order = *reinterpret_cast<const uint8_t*>(&one) == 1 ? LSBFirst : MSBFirst;
  image.bitmap_unit = 32;
  image.bitmap_bit_order = image.byte_order;
  image.bitmap_pad = 32;
  image.depth = visual->depth;
  image.bits_per_pixel = 32;
  image.red_mask = 0xff0000;
  image.green_mask = 0xff00;
  image.blue_mask = 0xff;
}

void gl_put_stop() {
  if (put.gc != nullptr) {
    XFreeGC(put.display, put.gc);
  }
  put = PartPut{};
}

// The composing lays a sprite's texels 1:1 over the screen's pixels: on a scaled desktop the pointer
// is drawn N times its size, by GL.
bool gl_composes_parts() { return put.gc != nullptr && gScreen.scale == 1 && gl_shows_parts(); }

void gl_put_parts(const ScreenChange& change) {
  if (change.composed == 0 || put.gc == nullptr) {
    return;
  }
  const uint32_t* pixels = change.pixels;
  for (int i = 0; i < change.count; ++i) {
    const ScreenChange::Rect& rect = change.rects[i];
    if ((change.composed >> i & 1) == 0) continue;
    XImage image = put.image;
    image.width = rect.width;
    image.height = rect.height;
    image.data = reinterpret_cast<char*>(const_cast<uint32_t*>(pixels));
    image.bytes_per_line = rect.width * 4;
    XInitImage(&image);
    XPutImage(put.display, put.window, put.gc, &image, 0, 0, rect.x, rect.y, rect.width, rect.height);
    pixels += static_cast<size_t>(rect.width) * rect.height;
  }
  XFlush(put.display);
}
