// The GLX context of the game screen, its fixed 2D set-up and the buffer swap.
#include <algorithm>
#include <cstring>

#include "platform/real/screen/screen.h"

namespace {

Display* glDisplay = nullptr;
Window glDrawable = 0;
GLXContext glContext = nullptr;
int framesPresented = 0;  // the first ends the launcher's startup notification; the tests count them
int64_t pixelsPresented = 0;
int partsComposed = 0;
using CopySubBuffer = void (*)(Display*, GLXDrawable, int, int, int, int);
CopySubBuffer copySubBuffer = nullptr;  // offered by the driver of the current context
bool wholeFramesOnly = false;           // for the tests
Window lastDrawable = 0;                // the window of the last context, also once it is given up
bool errorsTaken = false;
XErrorHandler otherErrors = nullptr;    // where X errors went before gl_start took them

// Another client may destroy the window under the screen at any time, and a frame drawn before the
// game hears of it reaches a window that is no more: such an error ends nothing (the game hears of
// the window's end and ends itself; GTK would end the process on it). Every other error goes on.
int on_x_error(Display* display, XErrorEvent* error) {
  const bool windowGone = error->error_code == BadDrawable || error->error_code == BadWindow ||
                          error->error_code == BadMatch;
  if (windowGone && lastDrawable != 0 && error->resourceid == lastDrawable) {
    return 0;
  }
  return otherErrors != nullptr ? otherErrors(display, error) : 0;
}

bool has_extension(const char* list, const char* name) {
  if (list == nullptr) {
    return false;
  }
  const size_t length = std::strlen(name);
  for (const char* at = std::strstr(list, name); at != nullptr; at = std::strstr(at + 1, name)) {
    if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) {
      return true;
    }
  }
  return false;
}

// Swap interval 1 makes each swap wait for the vertical retrace; llvmpipe on Xvfb offers none and
// the frame-rate limit does the pacing there.
void set_swap_interval(Display* display, int screen, Window drawable, int interval) {
  const char* extensions = glXQueryExtensionsString(display, screen);
  if (has_extension(extensions, "GLX_EXT_swap_control")) {
    using SwapIntervalExt = void (*)(Display*, GLXDrawable, int);
    auto setInterval = reinterpret_cast<SwapIntervalExt>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalEXT")));
    if (setInterval != nullptr) {
      setInterval(display, drawable, interval);
      return;
    }
  }
  if (has_extension(extensions, "GLX_MESA_swap_control")) {
    using SwapIntervalMesa = int (*)(unsigned);
    auto setInterval = reinterpret_cast<SwapIntervalMesa>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA")));
    if (setInterval != nullptr) {
      setInterval(static_cast<unsigned>(interval));
    }
  }
}

bool gl_can_show(int width, int height) {
  int widest = 0, tallest = 0;
  gl_largest_screen(&widest, &tallest);
  return width <= widest && height <= tallest;
}

}  // namespace

// The viewport limits what GL draws, and the copy of a whole frame the drawing keeps is one texture.
// Beyond them the screen shows a part, or sends X more than a request can hold (an abort in Xlib).
void gl_largest_screen(int* width, int* height) {
  GLint viewport[2] = {0, 0};
  GLint texture = 0;
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
  *width = std::min(viewport[0], texture);
  *height = std::min(viewport[1], texture);
}

XVisualInfo* gl_choose_visual(Display* display, int screen) {
  int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, None};
  return glXChooseVisual(display, screen, attributes);
}

bool gl_start(Display* display, Window drawable, XVisualInfo* visual, int width, int height, int scale,
              int flipMode) {
  gl_stop();
  if (!errorsTaken) {
    otherErrors = XSetErrorHandler(on_x_error);
    errorsTaken = true;
  }
  GLXContext context = glXCreateContext(display, visual, nullptr, True);
  if (context == nullptr) {
    return false;
  }
  if (!glXMakeCurrent(display, drawable, context) || !gl_can_show(width * scale, height * scale)) {
    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, context);
    return false;
  }
  glDisplay = display;
  glDrawable = lastDrawable = drawable;
  glContext = context;
  gScreen.scale = scale;
  if (gScreen.listener.contextMade != nullptr) {
    gScreen.listener.contextMade();
  }
  set_swap_interval(display, visual->screen, drawable, flipMode == 2 ? 1 : 0);
  copySubBuffer = has_extension(glXQueryExtensionsString(display, visual->screen), "GLX_MESA_copy_sub_buffer")
                      ? reinterpret_cast<CopySubBuffer>(glXGetProcAddressARB(
                            reinterpret_cast<const GLubyte*>("glXCopySubBufferMESA")))
                      : nullptr;
  gl_put_start(display, drawable, visual);

  glViewport(0, 0, width * scale, height * scale);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DITHER);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  // Sprites are uploaded premultiplied: "over" is ONE, ONE_MINUS_SRC_ALPHA.
  glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glXSwapBuffers(display, drawable);
  glClear(GL_COLOR_BUFFER_BIT);
  return true;
}

void gl_stop() {
  if (glContext == nullptr) {
    return;
  }
  gl_fit_forget();
  gl_put_stop();
  glXMakeCurrent(glDisplay, None, nullptr);
  glXDestroyContext(glDisplay, glContext);
  glContext = nullptr;
  glDisplay = nullptr;
  glDrawable = 0;
}

// Never made current elsewhere nor destroyed: llvmpipe, asked to, fits its buffers to the window
// that is no more while its threads still draw the last frame into them, and crashes. The context
// goes with the process, which is ending.
void gl_abandon() {
  glContext = nullptr;
  glDisplay = nullptr;
  glDrawable = 0;
  gl_fit_forget();
  gl_put_stop();
}

bool gl_ready() { return glContext != nullptr; }

// Not while the picture is drawn off-screen and shown scaled: each frame is then shown whole.
bool gl_shows_parts() {
  return glContext != nullptr && copySubBuffer != nullptr && gScreen.kind == ScreenKind::Fullscreen &&
         !gl_fitted() && !wholeFramesOnly;
}

void gl_swap() {
  ScreenChange change;
  const bool changed = gScreen.listener.frameDone == nullptr || gScreen.listener.frameDone(&change);
  if (!changed || glContext == nullptr) {
    return;
  }
  ++framesPresented;
  // A whole frame is swapped, at the vertical retrace where asked; the parts of a frame are copied
  // to the window, which leaves the back buffer holding it, or put there as composed.
  const int scale = gScreen.scale;  // the screen's pixels a game pixel
  if (!gl_shows_parts() || change.count == 0) {
    gl_fit_show();
    glXSwapBuffers(glDisplay, glDrawable);
    pixelsPresented += int64_t(gScreen.width) * gScreen.height * scale * scale;
    return;
  }
  for (int i = 0; i < change.count; ++i) {
    const ScreenChange::Rect& rect = change.rects[i];
    if ((change.composed >> i & 1) == 0) {  // GL counts rows from the bottom of the screen
      copySubBuffer(glDisplay, glDrawable, rect.x * scale, (gScreen.height - rect.y - rect.height) * scale,
                    rect.width * scale, rect.height * scale);
    }
    pixelsPresented += int64_t(rect.width) * rect.height * scale * scale;
    partsComposed += change.composed >> i & 1;
  }
  gl_put_parts(change);
}

int platform_frames_presented() { return framesPresented; }

int64_t platform_pixels_presented() { return pixelsPresented; }

int platform_parts_composed() { return partsComposed; }

void platform_show_whole_frames(bool whole) { wholeFramesOnly = whole; }
