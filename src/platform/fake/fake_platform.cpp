// Recording fake of every platform operation (see fake_platform.h).
#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "platform/layout_density.h"

namespace fake {

namespace {
State g_state;

template <typename... Args>
void record(const char* name, const Args&... args) {
  std::ostringstream line;
  line << name;
  ((line << ' ' << args), ...);
  g_state.calls.push_back(line.str());
}

// Only the size is read from a picture: the IHDR chunk that follows the PNG signature.
bool pngSize(const void* data, size_t size, int* width, int* height) {
  static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  const auto* bytes = static_cast<const unsigned char*>(data);
  if (!data || size < 24 || std::memcmp(bytes, signature, 8) != 0 || std::memcmp(bytes + 12, "IHDR", 4) != 0)
    return false;
  auto be32 = [&](size_t at) {
    return static_cast<int>(uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8 |
                            uint32_t(bytes[at + 3]));
  };
  *width = be32(16);
  *height = be32(20);
  return *width > 0 && *height > 0;
}

Picture makePicture(int width, int height, int flags) {
  Picture p;
  p.width = width;
  p.height = height;
  p.clipWidth = p.shownWidth = width;
  p.clipHeight = p.shownHeight = height;
  p.flags = flags;
  return p;
}

SpriteId store(std::map<SpriteId, Picture>& table, SpriteId number, const Picture& picture) {
  const SpriteId id = number == kNewSprite ? g_state.nextHandle++ : number;
  table[id] = picture;
  return id == 0 ? 1 : id;  // a fixed number 0 still reports success
}

Picture* find(std::map<SpriteId, Picture>& table, SpriteId id) {
  auto it = table.find(id);
  return it == table.end() ? nullptr : &it->second;
}
}  // namespace

State& state() { return g_state; }

void reset() { g_state = State(); }

std::vector<std::string> callsStartingWith(const std::string& prefix) {
  std::vector<std::string> out;
  for (const auto& c : g_state.calls)
    if (c.rfind(prefix, 0) == 0) out.push_back(c);
  return out;
}

void clearCalls() { g_state.calls.clear(); }

}  // namespace fake

using fake::g_state;
using fake::record;

// The fake knows no display options: every parameter is the program's.
std::vector<std::string> platform_program_parameters(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}
void platform_init(int, char**) { record("platform_init"); }
void platform_shutdown() {
  record("platform_shutdown");
  if (g_state.screenOpen) screen_close();
}
int platform_quit_requested() { return g_state.quitAsked ? 1 : 0; }
void platform_on_display_lost(void (*lastWords)()) { g_state.lastWords = lastWords; }
void wait_ms(int ms) {
  g_state.waits.push_back(ms);
  g_state.clockMs += ms;
  record("wait_ms", ms);
}
int64_t platform_clock_ms() { return g_state.clockMs; }

int sprite_init() { record("sprite_init"); return g_state.failSpriteInit ? 0 : 1; }
int keyboard_init() { record("keyboard_init"); return g_state.failKeyboardInit ? 0 : 1; }
int mouse_init() { record("mouse_init"); return g_state.failMouseInit ? 0 : 1; }

int desktop_size(int desktop, int* width, int* height) {
  if (g_state.displayMissing || desktop != 0) {
    *width = *height = 0;
    return 0;
  }
  const int density = layout_density(g_state.desktopWidth, g_state.desktopHeight, g_state.desktopScale);
  *width = g_state.desktopWidth / density;
  *height = g_state.desktopHeight / density;
  return 1;
}
int desktop_count() { return g_state.displayMissing ? 0 : g_state.monitors; }
int screen_largest_side() { return g_state.displayMissing ? 0 : g_state.largestScreenSide; }

namespace {
int openScreen(int width, int height) {
  g_state.screenOpen = true;
  g_state.screenWidth = width;
  g_state.screenHeight = height;
  g_state.active = 1;
  return 1;
}
}  // namespace

int screen_open_fullscreen(int width, int height, int depth, const std::string& title, int flipMode) {
  record("screen_open_fullscreen", width, height, depth, title, flipMode);
  if (g_state.displayMissing || g_state.failFullScreen || width <= 0 || height <= 0) return 0;
  int desktopWidth = 0, desktopHeight = 0;
  desktop_size(0, &desktopWidth, &desktopHeight);
  const bool desktopMode = width == desktopWidth && height == desktopHeight;
  if (!desktopMode && !g_state.videoModes.count(width * 100000 + height)) return 0;
  g_state.screenDensity = layout_density(g_state.desktopWidth, g_state.desktopHeight, g_state.desktopScale);
  return openScreen(width, height);
}
int window_open(int window, int x, int y, int width, int height, const std::string& title, int style) {
  record("window_open", window, x, y, width, height, title, style);
  if (g_state.displayMissing || g_state.failWindowOpen || width <= 0 || height <= 0) return 0;
  g_state.windowOpen = true;
  g_state.windowWidth = width;
  g_state.windowHeight = height;
  return 1;
}
uintptr_t window_handle(int window) { return g_state.windowOpen && window == 0 ? 0x5000 : 0; }
int screen_open_in_window(uintptr_t handle, int x, int y, int width, int height, int autoStretch, int rightOffset,
                          int bottomOffset, int flipMode) {
  record("screen_open_in_window", handle, x, y, width, height, autoStretch, rightOffset, bottomOffset, flipMode);
  if (!handle || width <= 0 || height <= 0) return 0;
  return openScreen(width, height);
}
void window_show(int window) { record("window_show", window); }
void window_activate(int window) { record("window_activate", window); }
void window_minimize(int window) { record("window_minimize", window); }
void window_close(int window) {
  record("window_close", window);
  g_state.windowOpen = false;
}
int window_size(int window, int* width, int* height) {
  const bool open = g_state.windowOpen && window == 0;
  *width = open ? g_state.windowWidth : 0;
  *height = open ? g_state.windowHeight : 0;
  return open ? 1 : 0;
}
void screen_set_frame_rate(int fps) { record("screen_set_frame_rate", fps); }
int screen_flip() {
  record("screen_flip");
  ++g_state.flips;
  g_state.clockMs += 17;
  return 1;
}
int screen_is_active() { return g_state.active; }
void screen_close() {
  record("screen_close");
  g_state.screenOpen = false;
  g_state.screenDensity = 0;
  g_state.sprites.clear();
}
void screen_set_sprite_quality(int quality) { record("screen_set_sprite_quality", quality); }

int window_event() {
  if (g_state.windowEvents.empty()) return EventNone;
  const int code = g_state.windowEvents.front();
  g_state.windowEvents.pop_front();
  return code;
}
int window_mouse_x(int) { return g_state.windowMouseX; }
int window_mouse_y(int) { return g_state.windowMouseY; }

void message_box(const std::string& title, const std::string& text, int flags) {
  record("message_box", title, text, flags);
  g_state.messageBoxes.emplace_back(title, text);
}

SpriteId sprite_create(SpriteId number, int width, int height, int flags) {
  record("sprite_create", number, width, height, flags);
  if (!g_state.screenOpen || width < 0 || height < 0) return 0;
  return fake::store(g_state.sprites, number, fake::makePicture(width, height, flags));
}
SpriteId sprite_load_png(SpriteId number, const void* data, size_t size, int flags) {
  int width = 0, height = 0;
  if (!g_state.screenOpen || !fake::pngSize(data, size, &width, &height)) {
    record("sprite_load_png", number, "FAILED");
    return 0;
  }
  const SpriteId id = fake::store(g_state.sprites, number, fake::makePicture(width, height, flags));
  record("sprite_load_png", number, width, height, flags, "->", id);
  return id;
}
void sprite_draw(SpriteId sprite, int x, int y) {
  if (fake::find(g_state.sprites, sprite)) record("sprite_draw", sprite, x, y);
}
void sprite_draw_blended(SpriteId sprite, int x, int y, int intensity) {
  if (fake::find(g_state.sprites, sprite)) record("sprite_draw_blended", sprite, x, y, intensity);
}
void sprite_set_color_key(SpriteId sprite, uint32_t key) {
  record("sprite_set_color_key", sprite, key);
  if (auto* p = fake::find(g_state.sprites, sprite)) p->colourKey = key;
}
void sprite_clip(SpriteId sprite, int x, int y, int width, int height) {
  record("sprite_clip", sprite, x, y, width, height);
  auto* p = fake::find(g_state.sprites, sprite);
  if (!p) return;
  if (x == -1 && y == -1 && width == -1 && height == -1) {
    x = y = 0;
    width = p->width;
    height = p->height;
  }
  p->clipX = x;
  p->clipY = y;
  p->clipWidth = std::max(0, std::min(width, p->width - x));
  p->clipHeight = std::max(0, std::min(height, p->height - y));
  p->shownWidth = p->clipWidth;
  p->shownHeight = p->clipHeight;
}
void sprite_scale(SpriteId sprite, int width, int height) {
  record("sprite_scale", sprite, width, height);
  auto* p = fake::find(g_state.sprites, sprite);
  if (!p) return;
  p->shownWidth = width < 0 ? p->clipWidth : width;
  p->shownHeight = height < 0 ? p->clipHeight : height;
}
int sprite_width(SpriteId sprite) {
  auto* p = fake::find(g_state.sprites, sprite);
  return p ? p->shownWidth : 0;
}
int sprite_height(SpriteId sprite) {
  auto* p = fake::find(g_state.sprites, sprite);
  return p ? p->shownHeight : 0;
}
int sprite_grab_screen(SpriteId number, int x, int y, int width, int height) {
  record("sprite_grab_screen", number, x, y, width, height);
  if (!g_state.screenOpen) return 0;
  return fake::store(g_state.sprites, number, fake::makePicture(width, height, 0)) ? 1 : 0;
}
int sprite_save_png(SpriteId sprite, const std::string& path, int format) {
  record("sprite_save_png", sprite, path, format);
  return fake::find(g_state.sprites, sprite) && !path.empty() && !g_state.failPngSave ? 1 : 0;
}
int sprite_begin_drawing(SpriteId sprite) {
  record("sprite_begin_drawing", sprite);
  if (!fake::find(g_state.sprites, sprite)) return 0;
  g_state.drawingTarget = sprite;
  return 1;
}
void drawing_end() {
  record("drawing_end", g_state.drawingTarget);
  g_state.drawingTarget = 0;
}
void draw_box(int x, int y, int width, int height, uint32_t colour) { record("draw_box", x, y, width, height, colour); }

// Nothing runs ahead in the fake: every load decodes when it is called.
void picture_decode_ahead(const void*, size_t) {}
void picture_decode_ahead_stop() {}

SpriteId image_load_png(SpriteId number, const void* data, size_t size) {
  int width = 0, height = 0;
  if (!fake::pngSize(data, size, &width, &height)) {
    record("image_load_png", number, "FAILED");
    return 0;
  }
  const SpriteId id = fake::store(g_state.images, number, fake::makePicture(width, height, 8));
  record("image_load_png", number, width, height, "->", id);
  return id;
}
SpriteId image_create(SpriteId number, int width, int height, int depth, uint32_t fill) {
  record("image_create", number, width, height, depth, fill);
  if (g_state.failImageCreateAfter == 0 || width < 0 || height < 0) return 0;
  if (g_state.failImageCreateAfter > 0) --g_state.failImageCreateAfter;
  return fake::store(g_state.images, number, fake::makePicture(width, height, 8));
}
int image_width(SpriteId image) {
  auto* p = fake::find(g_state.images, image);
  return p ? p->width : 0;
}
int image_height(SpriteId image) {
  auto* p = fake::find(g_state.images, image);
  return p ? p->height : 0;
}
int image_resize(SpriteId image, int width, int height, int mode) {
  record("image_resize", image, width, height, mode);
  auto* p = fake::find(g_state.images, image);
  if (!p || width <= 0 || height <= 0) return 0;
  *p = fake::makePicture(width, height, p->flags);
  return 1;
}
SpriteId image_copy_rect(SpriteId source, SpriteId target, int x, int y, int width, int height) {
  record("image_copy_rect", source, target, x, y, width, height);
  auto* p = fake::find(g_state.images, source);
  if (!p || x < 0 || y < 0 || width <= 0 || height <= 0 || x + width > p->width || y + height > p->height) return 0;
  return fake::store(g_state.images, target, fake::makePicture(width, height, 8));
}
void image_draw(SpriteId image, int x, int y) {
  if (fake::find(g_state.images, image)) record("image_draw", image, x, y);
}
void image_free(SpriteId image) {
  record("image_free", image);
  g_state.images.erase(image);
}

void font_load(int font, const std::string& family, int points, int style) {
  record("font_load", font, family, points, style);
}
int image_begin_text_drawing(SpriteId image) {
  g_state.textImageReady = fake::find(g_state.images, image) != nullptr;
  g_state.textImage = image;
  record("image_begin_text_drawing", image);
  return g_state.textImageReady ? 1 : 0;
}
void text_set_font(int font) {
  g_state.currentFont = font;
  record("text_set_font", font);
}
void text_set_color(uint32_t colour) { record("text_set_color", colour); }
void text_move_to(double x, double y) { record("text_move_to", x, y); }
void text_draw(const std::string& text) { record("text_draw", g_state.textImage, "[" + text + "]"); }
void text_draw_paragraph(const std::string& text, int flags, double width, double height) {
  record("text_draw_paragraph", g_state.textImage, "[" + text + "]", flags, width, height);
}
double text_width(const std::string& text) {
  if (g_state.textWidth) return g_state.textWidth(text, g_state.currentFont);
  return 10.0 * static_cast<double>(text.size());
}
void text_drawing_end() {
  record("text_drawing_end", g_state.textImage);
  g_state.textImage = 0;
}

void keyboard_poll() {}
int key_released(int code) { return g_state.releasedKeys.erase(code) ? 1 : 0; }
int key_down(int code) { return g_state.heldKeys.count(code) ? 1 : 0; }
void mouse_poll() {}
int mouse_x() { return g_state.mouseX; }
int mouse_y() { return g_state.mouseY; }
int mouse_button(int button) { return button >= 1 && button <= 3 && g_state.buttons[button] ? 1 : 0; }

int sound_init() {
  record("sound_init");
  g_state.soundStarted = !g_state.failSoundInit;
  return g_state.soundStarted ? 1 : 0;
}
int sound_load_ogg(int sound, const void* data, size_t size) {
  record("sound_load_ogg", sound, size);
  if (!g_state.soundStarted || g_state.failSoundLoad || !data || size == 0) {
    g_state.sounds.erase(sound);
    return 0;
  }
  g_state.sounds[sound] = SoundIdle;
  return 1;
}
// Data that begins with "OggS" decodes to its end; anything else is damaged.
int sound_load_ogg_decoded(int sound, const void* data, size_t size) {
  record("sound_load_ogg_decoded", sound, size);
  const bool decodes = size >= 4 && std::memcmp(data, "OggS", 4) == 0;
  if (!g_state.soundStarted || g_state.failSoundLoad || !decodes) {
    g_state.sounds.erase(sound);
    return 0;
  }
  g_state.sounds[sound] = SoundIdle;
  return 1;
}
namespace {
int* soundSlot(int sound) {
  auto it = g_state.sounds.find(sound);
  return it == g_state.sounds.end() ? nullptr : &it->second;
}
}  // namespace
void sound_play(int sound, int flags) {
  record("sound_play", sound, flags);
  if (int* s = soundSlot(sound)) *s = SoundPlaying;
}
void sound_pause(int sound) {
  record("sound_pause", sound);
  if (int* s = soundSlot(sound); s && *s == SoundPlaying) *s = SoundPaused;
}
void sound_resume(int sound) {
  record("sound_resume", sound);
  if (int* s = soundSlot(sound); s && *s == SoundPaused) *s = SoundPlaying;
}
void sound_stop(int sound) {
  record("sound_stop", sound);
  if (int* s = soundSlot(sound)) *s = SoundIdle;
}
void sound_volume(int sound, int volume) { record("sound_volume", sound, std::clamp(volume, 0, 100)); }
int sound_status(int sound) {
  const int* s = soundSlot(sound);
  return s ? *s : SoundMissing;
}
