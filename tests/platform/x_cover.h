// Another client's window laid over the game's and taken away, and what the X server then shows:
// the screen as the player sees it, not the frame the game drew.
#pragma once

#include "gfx_support.h"
// After gtest, whose names X11's macros (None, Bool) would clash with.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace gfx {

// A white window maps over `target` and goes again; on return the server has sent `target` its
// expose, so the game's connection holds it.
inline void cover_and_uncover(Display* display, Window target) {
  XWindowAttributes area{};
  XGetWindowAttributes(display, target, &area);
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(display, target, DefaultRootWindow(display), 0, 0, &x, &y, &child);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = WhitePixel(display, DefaultScreen(display));
  const Window cover = XCreateWindow(display, DefaultRootWindow(display), x, y, unsigned(area.width), unsigned(area.height), 0,
                                     CopyFromParent, InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &attributes);
  XMapRaised(display, cover);
  XSync(display, False);
  XDestroyWindow(display, cover);
  XSync(display, False);
}

// What the server shows of the window's top-left width x height, opaque RGBA.
inline RgbaImage shown_pixels(Display* display, Window window, int width, int height) {
  XImage* image = XGetImage(display, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
  RgbaImage shown = solid_image(width, height, kClear);
  for (int i = 0; image != nullptr && i < width * height; ++i) {
    const unsigned long pixel = XGetPixel(image, i % width, i / width);
    set_pixel(shown, i % width, i / width, Rgba{uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel), 255});
  }
  if (image != nullptr) XDestroyImage(image);
  return shown;
}

// The frame being drawn, opaque, as shown_pixels gives what is on screen.
inline RgbaImage drawn_pixels(int width, int height) {
  RgbaImage drawn;
  platform_read_pixels(0, 0, width, height, &drawn);
  for (size_t i = 3; i < drawn.pixels.size(); i += 4) drawn.pixels[i] = 255;
  return drawn;
}

}  // namespace gfx
