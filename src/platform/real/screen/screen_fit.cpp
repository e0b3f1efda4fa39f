// A window of another size than the game screen (a window manager chose it, or the player resized
// it): the game still draws at the screen's own size, into an off-screen buffer, and each frame
// shown is that buffer scaled to fit the window and centred, black around it. On a scaled desktop
// the window kinds draw there at the screen's size too, the buffer copied 1:1: unlike the back
// buffer after a swap, it keeps the frame shown, so a frame of four times the pixels is drawn only
// where it changed. Not at scale 1, where the window keeps exactly its pixels: GL counts the rows
// of a buffer of its own from the bottom, and sprites sampled half-way between texels round a level
// differently at a few hundred pixels of a screen. Reads of the screen
// read the buffer: while it is bound, the drawing room's glReadBuffer(GL_BACK) is refused (a
// framebuffer object has no back buffer) and reads come from its one colour attachment.
#include <algorithm>
#include <cmath>

#include "platform/real/screen/screen.h"
// After GL/gl.h, which screen.h includes.
#include <GL/glext.h>

namespace {

struct FramebufferCalls {
  PFNGLGENFRAMEBUFFERSPROC gen;
  PFNGLDELETEFRAMEBUFFERSPROC remove;
  PFNGLBINDFRAMEBUFFERPROC bind;
  PFNGLFRAMEBUFFERTEXTURE2DPROC attach;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC check;
  PFNGLBLITFRAMEBUFFERPROC blit;
};

FramebufferCalls gl{};
GLuint framebuffer = 0;  // 0: the screen is drawn straight into the window
GLuint picture = 0;
ScreenFit fit;
int windowWidth = 0;
int windowHeight = 0;
// Frames to show once more after a resize: a software driver takes the window's new size only at
// the buffer swap after it, so the first frame shown is placed for the old size.
int showsAgain = 0;

template <typename Call>
bool look_up(Call* call, const char* name) {
  *call = reinterpret_cast<Call>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
  return *call != nullptr;
}

bool have_framebuffers() {
  return look_up(&gl.gen, "glGenFramebuffers") && look_up(&gl.remove, "glDeleteFramebuffers") &&
         look_up(&gl.bind, "glBindFramebuffer") && look_up(&gl.attach, "glFramebufferTexture2D") &&
         look_up(&gl.check, "glCheckFramebufferStatus") && look_up(&gl.blit, "glBlitFramebuffer");
}

// The buffer of the screen's size that every later drawing goes to; false when the driver has none.
bool draw_off_screen() {
  if (!have_framebuffers()) {
    return false;
  }
  // Of the window's kind of pixels, drawn into as the window would be: the same blending, to the
  // last bit (a deep visual, 10 bits a colour, kept in 16).
  GLint redBits = 0;
  GLint alphaBits = 0;
  glGetIntegerv(GL_RED_BITS, &redBits);
  glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
  const GLint format = redBits > 8 ? (alphaBits > 0 ? GL_RGBA16 : GL_RGB16) : (alphaBits > 0 ? GL_RGBA8 : GL_RGB8);
  glGenTextures(1, &picture);
  glBindTexture(GL_TEXTURE_2D, picture);
  glTexImage2D(GL_TEXTURE_2D, 0, format, gScreen.width * gScreen.scale,
               gScreen.height * gScreen.scale, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  gl.gen(1, &framebuffer);
  gl.bind(GL_FRAMEBUFFER, framebuffer);
  gl.attach(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, picture, 0);
  if (gl.check(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    gl_fit_forget();
    return false;
  }
  glClear(GL_COLOR_BUFFER_BIT);
  return true;
}

}  // namespace

void gl_fit_to_window(int width, int height) {
  if (!gl_ready() || (width == windowWidth && height == windowHeight)) {
    return;
  }
  const bool screenSize = width == gScreen.width * gScreen.scale && height == gScreen.height * gScreen.scale;
  if ((screenSize && (gScreen.kind != ScreenKind::InWindow || gScreen.scale == 1)) ||
      (framebuffer == 0 && !draw_off_screen())) {
    gl_fit_forget();
  } else {
    fit.scale = std::min(double(width) / gScreen.width, double(height) / gScreen.height);
    fit.width = std::max(int(gScreen.width * fit.scale + 0.5), 1);
    fit.height = std::max(int(gScreen.height * fit.scale + 0.5), 1);
    fit.left = (width - fit.width) / 2;
    fit.top = (height - fit.height) / 2;
  }
  windowWidth = width;
  windowHeight = height;
  showsAgain = 1;
  screen_damaged();
}

ScreenFit gl_screen_fit() {
  const int scale = gScreen.scale;
  return framebuffer != 0 ? fit : ScreenFit{double(scale), 0, 0, gScreen.width * scale, gScreen.height * scale};
}

bool gl_fitted() { return framebuffer != 0; }

void gl_window_to_game(double x, double y, int* gameX, int* gameY) {
  const ScreenFit shown = gl_screen_fit();
  *gameX = static_cast<int>(std::floor((x - shown.left) / shown.scale));
  *gameY = static_cast<int>(std::floor((y - shown.top) / shown.scale));
}

// The frame after a resize is shown once more in both directions, also once full screen is back at
// the screen's size and drawn into straight: drawn whole, with what a frame half drawn at the change
// lost.
void gl_fit_show() {
  if (showsAgain > 0) {
    --showsAgain;
    screen_damaged();
  }
  if (framebuffer == 0) {
    return;
  }
  gl.bind(GL_DRAW_FRAMEBUFFER, 0);
  const int width = gScreen.width * gScreen.scale;
  const int height = gScreen.height * gScreen.scale;
  if (fit.width != windowWidth || fit.height != windowHeight) {
    glClear(GL_COLOR_BUFFER_BIT);  // the black around the picture
  }
  const int bottom = windowHeight - fit.top - fit.height;  // GL counts rows from the bottom
  const bool copy = fit.width == width && fit.height == height;  // pixel for pixel
  gl.blit(0, 0, width, height, fit.left, bottom, fit.left + fit.width, bottom + fit.height, GL_COLOR_BUFFER_BIT,
          copy ? GL_NEAREST : GL_LINEAR);
  gl.bind(GL_FRAMEBUFFER, framebuffer);
}

void gl_fit_forget() {
  if (framebuffer != 0 && gl_ready()) {
    gl.bind(GL_FRAMEBUFFER, 0);
    gl.remove(1, &framebuffer);
    glDeleteTextures(1, &picture);
  }
  framebuffer = picture = 0;
  fit = ScreenFit{};
  windowWidth = windowHeight = showsAgain = 0;
}
