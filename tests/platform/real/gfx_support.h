// Helpers of the platform tests: pictures, the X server driven from outside, waits, the full-screen fixture.
#pragma once

#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/platform.h"
#include "platform/real/draw/draw.h"
#include "platform/real/fullscreen/fullscreen.h"
#include "platform/real/screen/screen.h"
#include "platform/real/window/window.h"
// After gtest, whose names X11's macros (None, Bool) would clash with.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace gfx {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, Rgba c) { return out << "(" << +c.r << "," << +c.g << "," << +c.b << "," << +c.a << ")"; }
constexpr Rgba kWhite{255, 255, 255, 255}, kBlack{0, 0, 0, 255}, kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255}, kClear{0, 0, 0, 0};

inline Rgba pixel_at(const RgbaImage& image, int x, int y) {
  Rgba c;
  return std::memcpy(&c, &image.pixels[(size_t(y) * image.width + x) * 4], 4), c;
}
inline void set_pixel(RgbaImage& image, int x, int y, Rgba c) { std::memcpy(&image.pixels[(size_t(y) * image.width + x) * 4], &c, 4); }
// A picture of sample(x, y); a solid one with the odd pixels listed.
inline RgbaImage image_of(int width, int height, const std::function<Rgba(int, int)>& sample) {
  RgbaImage image{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 4)};
  for (int i = 0; i < width * height; ++i) set_pixel(image, i % width, i / width, sample(i % width, i / width));
  return image;
}
inline RgbaImage solid_image(int width, int height, Rgba colour, std::initializer_list<std::tuple<int, int, Rgba>> odd = {}) {
  RgbaImage image = image_of(width, height, [=](int, int) { return colour; });
  for (const auto& [x, y, c] : odd) set_pixel(image, x, y, c);
  return image;
}

// A PNG of `rows` (each row's bytes as libpng takes them) with colourType and bitDepth as libpng names them.
inline std::vector<uint8_t> png_of_rows(int width, int bitDepth, int colourType, const std::vector<std::vector<uint8_t>>& rows,
                                        const std::vector<png_color>& palette = {}) {
  std::vector<uint8_t> bytes;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(png, &bytes, [](png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
  }, nullptr);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(rows.size()), bitDepth, colourType, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  png_write_info(png, info);
  for (const std::vector<uint8_t>& row : rows) png_write_row(png, row.data());
  png_write_end(png, nullptr), png_destroy_write_struct(&png, &info);
  return bytes;
}
// Grey comes from the red channel, a palette holds each distinct colour.
inline std::vector<uint8_t> encode_png(const RgbaImage& image, int colourType = 6, int bitDepth = 8) {
  const int channels = colourType == 6 ? 4 : colourType == 2 ? 3 : colourType == 4 ? 2 : 1;
  std::vector<std::vector<uint8_t>> rows(image.height);
  std::vector<png_color> palette;
  for (int i = 0; i < image.width * image.height; ++i) {
    const Rgba c = pixel_at(image, i % image.width, i / image.width);
    std::vector<uint8_t>& row = rows[i / image.width];
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
      const auto same = std::ranges::find_if(palette, [&](png_color p) { return p.red == c.r && p.green == c.g && p.blue == c.b; });
      row.push_back(static_cast<uint8_t>(same - palette.begin()));
      if (same == palette.end()) palette.push_back({c.r, c.g, c.b});
      continue;
    }
    const uint8_t samples[4] = {c.r, channels == 2 ? c.a : c.g, c.b, c.a};
    for (int k = 0; k < channels; ++k) row.insert(row.end(), bitDepth / 8, samples[k]);  // 16 bits: v * 257
  }
  return png_of_rows(image.width, bitDepth, colourType, rows, palette);
}

inline SpriteId load_sprite(const RgbaImage& picture, int flags, int colourType = 6) {
  const std::vector<uint8_t> png = encode_png(picture, colourType);
  return sprite_load_png(kNewSprite, png.data(), png.size(), flags);
}
inline SpriteId solid_sprite(int width, int height, Rgba colour) { return load_sprite(solid_image(width, height, colour), kSpriteKeepAlpha); }
// A sprite of `picture` drawn at width x height.
inline SpriteId scaled_sprite(const RgbaImage& picture, int width, int height) {
  const SpriteId sprite = load_sprite(picture, kSpriteKeepAlpha);
  return sprite_scale(sprite, width, height), sprite;
}

inline std::vector<uint8_t> file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A sprite's whole pixel area, read back through the PNG it saves; empty when it saves none. The
// file is the process's own: two runs of the tests at once must not read each other's sprite.
inline RgbaImage saved_pixels(SpriteId sprite) {
  const std::string path = testing::TempDir() + "sprite-" + std::to_string(getpid()) + ".png";
  RgbaImage image;
  if (sprite_save_png(sprite, path, kPng) != 1) return image;
  const std::vector<uint8_t> bytes = file_bytes(path);
  png_decode_rgba(bytes.data(), bytes.size(), &image, nullptr);
  return image;
}

// One pixel of the frame being drawn.
inline Rgba screen_pixel(int x, int y) {
  RgbaImage one;
  return platform_read_pixels(x, y, 1, 1, &one) ? pixel_at(one, 0, 0) : Rgba{1, 2, 3, 4};
}

inline bool near(Rgba actual, Rgba expected, int tolerance = 2) {
  return std::abs(actual.r - expected.r) <= tolerance && std::abs(actual.g - expected.g) <= tolerance &&
         std::abs(actual.b - expected.b) <= tolerance;
}

// Rectangle of the pixels that differ from the top-left one; right < left when none does.
struct InkBox {
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  bool empty() const { return right < left; }
};
inline InkBox ink_box(const RgbaImage& image) {
  InkBox box;
  for (int i = 0; i < image.width * image.height; ++i)
    if (const int x = i % image.width, y = i / image.width; pixel_at(image, x, y) != pixel_at(image, 0, 0))
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
  return box;
}

// A shell command's exit status, or its standard output. A program of it not installed (the shell's
// status 127) fails the test, naming the program's Debian package.
inline int fail_when_missing(const std::string& command, int status) {
  std::string words = " " + command + " ", line, program, package;
  for (char& c : words) c = std::strchr(";|&()$'\"", c) ? ' ' : c;
  for (std::ifstream table(VESPERINE_SOURCE_DIR "/tests/programs/programs.txt"); status == 127 && std::getline(table, line);)
    if (std::istringstream(line) >> program >> package && words.find(" " + program + " ") != std::string::npos &&
        std::system(("command -v '" + program + "' >/dev/null").c_str()) != 0)
      ADD_FAILURE() << program << " is not installed: Debian package " << package << " (scripts/install-deps.sh --tests)";
  return status;
}
inline int run(const std::string& command) {
  const int status = std::system(command.c_str());
  return fail_when_missing(command, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
}
inline std::string output(const std::string& command) {
  std::string text(1 << 16, '\0');
  FILE* pipe = popen(command.c_str(), "r");
  text.resize(fread(text.data(), 1, text.size(), pipe));
  const int status = pclose(pipe);
  fail_when_missing(command, WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  return text;
}

// Lets GTK handle what the X server sent, adding the window events to `events`.
inline void take_window_events(std::vector<int>& events) {
  for (int code = window_event(); code != EventNone; code = window_event())
    if (code != EventNothing) events.push_back(code);
}
inline bool contains(const std::vector<int>& events, int code) { return std::ranges::count(events, code) > 0; }
// Calls `poll` then tests `done` until it holds, for 15 seconds at most with 10 ms between.
inline bool wait_until(const std::function<void()>& poll, const std::function<bool()>& done) {
  for (int attempt = 0; attempt < 1500; ++attempt, wait_ms(10)) {
    poll();
    if (done()) return true;
  }
  return false;
}
inline bool wait_for_event(std::vector<int>& events, int code) {
  return wait_until([&] { take_window_events(events); }, [&] { return contains(events, code); });
}
// openbox's process id once it manages windows (it has put a window into a frame: its start-up,
// keys included, is over), 0 if it does not come up.
inline int start_openbox() {
  const int windowManager = std::atoi(output("openbox --sm-disable >/dev/null 2>&1 & echo $!").c_str());
  Display* display = XOpenDisplay(nullptr);
  const Window probe = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  const bool managed = wait_until([&] { XMapWindow(display, probe), XFree(children), XSync(display, False); },
                                  [&] { return XQueryTree(display, probe, &root, &parent, &children, &count) && parent != root; });
  XCloseDisplay(display);
  return managed ? windowManager : 0;
}
// Stops a window manager (openbox, or one the test forked) and returns once it is gone: a window
// mapped while it is still going would wait for it forever.
inline void stop_window_manager(int windowManager) {
  kill(windowManager, SIGTERM);
  waitpid(windowManager, nullptr, 0);  // a forked one; openbox is the shell's
  wait_until([] {}, [] { return run("wmctrl -m >/dev/null 2>&1") != 0; });
}
inline Atom atom(Display* display, const char* name) { return XInternAtom(display, name, False); }
inline void set_items(Display* display, Window window, const char* name, Atom type, std::vector<unsigned long> items) {
  XChangeProperty(display, window, atom(display, name), type, 32, PropModeReplace, reinterpret_cast<unsigned char*>(items.data()), int(items.size()));
}
// A window's property: its 32-bit items, or its bytes; empty when it has none.
inline std::vector<unsigned long> items(Display* display, Window window, const char* name) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  XGetWindowProperty(display, window, atom(display, name), 0, 1 << 20, False, AnyPropertyType, &type, &format, &count, &after, &data);
  std::vector<unsigned long> values;
  for (unsigned long i = 0; data != nullptr && i < count; ++i)
    values.push_back(format == 32 ? reinterpret_cast<unsigned long*>(data)[i] & 0xffffffff : data[i]);
  if (data != nullptr) XFree(data);
  return values;
}
// Runs `test` on the bare X server, then under openbox, which it stops after.
inline void bare_then_under_openbox(const std::function<void(bool underOpenbox)>& test) {
  for (const bool underOpenbox : {false, true}) {
    SCOPED_TRACE(underOpenbox ? "under openbox" : "bare X server");
    const int openbox = underOpenbox ? start_openbox() : 0;
    ASSERT_EQ(openbox != 0, underOpenbox) << "openbox did not start";
    test(underOpenbox);
    if (openbox != 0) stop_window_manager(openbox);
  }
}
// How many of the keyboard and the pointer another client can grab now (and lets go again).
inline int grabs_granted(Display* display) {
  const Window root = DefaultRootWindow(display);
  const int granted = (XGrabKeyboard(display, root, False, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess) +
                      (XGrabPointer(display, root, False, 0, GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime) == GrabSuccess);
  XUngrabKeyboard(display, CurrentTime), XUngrabPointer(display, CurrentTime), XSync(display, False);
  return granted;
}
// The full-screen window as `display` sees it: place, size, state, override-redirect; none when none is open.
inline std::vector<int> fullscreen_geometry(Display* display) {
  XWindowAttributes a{};
  if (platform_fullscreen_window() == 0 || !XGetWindowAttributes(display, platform_fullscreen_window(), &a)) return {};
  return {a.x, a.y, a.width, a.height, a.map_state, a.override_redirect};
}
// A window's attributes, all zero when it is not there.
inline XWindowAttributes attributes_of(Display* display, Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, window, &attributes), attributes;
}
inline int desktop_width() { int w = 0, h = 0; desktop_size(0, &w, &h); return w; }
inline int desktop_height() { int w = 0, h = 0; desktop_size(0, &w, &h); return h; }
// Whether the game's pointer comes to (x, y) after `xdotool ARGS` moved the X pointer.
inline bool pointer_comes_to(const std::string& xdotoolArgs, int x, int y) {
  return run("xdotool " + xdotoolArgs) == 0 && wait_until([] { mouse_poll(); }, [&] { return mouse_x() == x && mouse_y() == y; });
}

// A white child window covers `target` and goes again; on return the server has sent `target` its
// expose, so the game's connection holds it.
inline void cover_and_uncover(Display* display, Window target) {
  const XWindowAttributes area = attributes_of(display, target);
  const Window cover = XCreateSimpleWindow(display, target, 0, 0, unsigned(area.width), unsigned(area.height), 0, 0,
                                           WhitePixel(display, DefaultScreen(display)));
  XMapRaised(display, cover), XSync(display, False);
  XDestroyWindow(display, cover), XSync(display, False);
}

// The words the server holds for the window's rectangle, row after row, when it keeps 32 bits a
// pixel (on a deep visual 10 bits a colour); none when the window is not there.
inline std::vector<uint32_t> shown_words(Display* display, Window window, int x, int y, int width, int height) {
  std::vector<uint32_t> words;
  XImage* image = XGetImage(display, window, x, y, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
  for (int row = 0; image != nullptr && image->bits_per_pixel == 32 && row < height; ++row) {
    const auto* pixels = reinterpret_cast<const uint32_t*>(image->data + static_cast<size_t>(row) * image->bytes_per_line);
    words.insert(words.end(), pixels, pixels + width);
  }
  if (image != nullptr) XDestroyImage(image);
  return words;
}
// What the server shows of the window's top-left width x height, opaque RGBA as the frame reads.
inline RgbaImage shown_pixels(Display* display, Window window, int width, int height) {
  const std::vector<uint32_t> words = shown_words(display, window, 0, 0, width, height);
  return image_of(width, height, [&](int x, int y) {
    const uint32_t word = words.empty() ? 0 : words[size_t(y) * width + x];
    return words.empty() ? kClear : Rgba{uint8_t(word >> 16), uint8_t(word >> 8), uint8_t(word), 255};
  });
}

// How many of every 7th pixel of `shown` (a window's picture) are not where a game screen of
// width x height, whose pixels `picture` gives, shows them when it is fitted at (left, top) at `scale`
// window pixels a game pixel, black around it; pixels within 2 game pixels of a change of colour are
// not looked at.
inline int misplaced_in_fit(const RgbaImage& shown, double left, double top, double scale, int width, int height,
                            const std::function<Rgba(int, int)>& picture) {
  const auto at = [&](double x, double y) { return x < 0 || y < 0 || x >= width || y >= height ? kBlack : picture(int(x), int(y)); };
  int wrong = 0;
  for (int i = 0; i < (shown.width / 7) * (shown.height / 7); ++i) {
    const int x = 3 + i % (shown.width / 7) * 7, y = 3 + i / (shown.width / 7) * 7;
    const double gameX = (x + 0.5 - left) / scale, gameY = (y + 0.5 - top) / scale;
    const Rgba expected = at(gameX, gameY);
    if (at(gameX - 2, gameY - 2) == expected && at(gameX + 2, gameY + 2) == expected && at(gameX - 2, gameY + 2) == expected &&
        at(gameX + 2, gameY - 2) == expected) wrong += !near(pixel_at(shown, x, y), expected);
  }
  return wrong;
}

// Players who also write another alphabet: their layouts in order, the group locked, the key pressed
// (named by what a US keyboard has there) and the code it must read as. In a layout of another script
// every letter key reads as the Latin layout's letter, whatever it carries: Tifinagh's comma where US
// has M, the French M where it has ⵎ, Hebrew's slash on Q; a Latin layout's keys are its own (AZERTY's
// comma where US has M, also beside a US layout; QWERTZ's Y and Z); the keys all layouts share as always.
struct LayoutKey { const char* layouts; int group; const char* usKey; int code; };
inline constexpr LayoutKey kLayoutKeys[] = {
    {"us,ma(tifinagh)", 1, "m", kKeyM}, {"us,ma(tifinagh)", 1, "s", kKeyS},       {"fr,ma(tifinagh)", 1, "semicolon", kKeyM},
    {"fr,ma(tifinagh)", 1, "m", ','},   {"fr,ma(tifinagh)", 0, "semicolon", kKeyM}, {"fr,ma(tifinagh)", 0, "m", ','},
    {"us,ru", 1, "m", kKeyM},           {"us,ru", 1, "s", kKeyS},                 {"ru,us", 0, "m", kKeyM},
    {"de,ru", 1, "z", 'y'},             {"de,ru", 0, "z", 'y'},                   {"de,ru", 0, "y", 'z'},
    {"fr,ara", 1, "semicolon", kKeyM},  {"fr,ara", 1, "s", kKeyS},                {"fr,ara", 1, "a", 'q'},
    {"us,il", 1, "m", kKeyM},           {"us,il", 1, "s", kKeyS},                 {"us,il", 1, "q", 'q'},
    {"us,gr", 1, "s", kKeyS},           {"us,eg", 1, "m", kKeyM},                 {"us,jv", 1, "s", kKeyS},
    {"us,ru", 1, "Escape", kKeyEscape}, {"us,il", 1, "space", kKeySpace},         {"fr,ara", 1, "Return", kKeyReturn},
    {"us,ru", 1, "Up", kKeyUp},         {"fr,us", 0, "m", ','}};
// Each key pressed, seen down and released as the keyboard sends it (XTest's raw key codes: xdotool
// would switch to a group holding the symbol), `take` bringing the key states up to date with all
// the X server sent: the keys not read as their code. The keyboard is a US one again after.
inline std::vector<std::string> keys_misread_in_layouts(const std::function<void()>& take) {
  std::vector<std::string> misread;
  run("setxkbmap -layout us");
  Display* display = XOpenDisplay(nullptr);
  std::vector<KeyCode> keys;
  for (const LayoutKey& k : kLayoutKeys) keys.push_back(XKeysymToKeycode(display, XStringToKeysym(k.usKey)));
  for (size_t i = 0; i < keys.size(); ++i) {
    const auto& [layouts, group, usKey, code] = kLayoutKeys[i];
    const KeyCode key = keys[i];
    run(std::string("setxkbmap -layout '") + layouts + "'");
    XkbLockGroup(display, XkbUseCoreKbd, unsigned(group));
    XTestFakeKeyEvent(display, key, True, CurrentTime), XSync(display, False), take();
    const int whileHeld = key_released(code);
    XTestFakeKeyEvent(display, key, False, CurrentTime), XSync(display, False), take();
    if (whileHeld != 0 || key_released(code) != 1) misread.push_back(std::string(layouts) + " group " + std::to_string(group) + " " + usKey);
  }
  run("setxkbmap -layout us"), XCloseDisplay(display);
  return misread;
}

// The full-screen game screen at the desktop's size, sprites, keys and buttons started afresh.
class FullScreen : public testing::Test {
 protected:
  void SetUp() override {
    platform_init(0, nullptr);
    ASSERT_EQ(sprite_init() + keyboard_init() + mouse_init(), 3);
    ASSERT_EQ(screen_open_fullscreen(desktop_width(), desktop_height(), 32, "Vesperine test", kFlipVsync), 1);
  }
  void TearDown() override {  // the settings a test changed go back for the next one, any fixture's
    screen_set_sprite_quality(0), platform_show_whole_frames(false), screen_set_frame_rate(0);
    screen_close();
  }
  static void fill_screen(Rgba colour) {
    sprite_draw(scaled_sprite(solid_image(1, 1, colour), desktop_width(), desktop_height()), 0, 0);
  }
};

}  // namespace gfx

using namespace gfx;
