// The GLX context of the game screen, its fixed 2D set-up and the buffer swap.
#include <cstring>

#include "platform/real/screen/screen.h"

namespace {

Display* glDisplay = nullptr;
Window glDrawable = 0;
GLXContext glContext = nullptr;
int framesPresented = 0;  // for the tests

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

}  // namespace

XVisualInfo* gl_choose_visual(Display* display, int screen) {
  int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, None};
  return glXChooseVisual(display, screen, attributes);
}

bool gl_start(Display* display, Window drawable, XVisualInfo* visual, int width, int height, int flipMode) {
  gl_stop();
  GLXContext context = glXCreateContext(display, visual, nullptr, True);
  if (context == nullptr) {
    return false;
  }
  if (!glXMakeCurrent(display, drawable, context)) {
    glXDestroyContext(display, context);
    return false;
  }
  glDisplay = display;
  glDrawable = drawable;
  glContext = context;
  if (gScreen.listener.contextMade != nullptr) {
    gScreen.listener.contextMade();
  }
  set_swap_interval(display, visual->screen, drawable, flipMode == 2 ? 1 : 0);

  glViewport(0, 0, width, height);
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
  glXMakeCurrent(glDisplay, None, nullptr);
  glXDestroyContext(glDisplay, glContext);
  glContext = nullptr;
  glDisplay = nullptr;
  glDrawable = 0;
}

bool gl_ready() { return glContext != nullptr; }

void gl_swap() {
  const bool changed = gScreen.listener.frameDone == nullptr || gScreen.listener.frameDone();
  if (changed && glContext != nullptr) {
    gl_fit_show();
    glXSwapBuffers(glDisplay, glDrawable);
    ++framesPresented;
  }
}

int platform_frames_presented() { return framesPresented; }
