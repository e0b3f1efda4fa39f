// vesperine-look: the automated player's eyes (scripts/autoplay/player.sh). One process reads the
// screen once and writes the whole picture and any crops of it as binary PPM files, so a look at a
// few cards costs one X request instead of an ImageMagick start per card; the comparisons the
// player makes a hundred times a game run here too.
//   vesperine-look shot SOURCE OUT.ppm|- [X Y W H CROP.ppm]...   SOURCE: root, a window id, or a .ppm
//   vesperine-look hash SOURCE                   a checksum of the picture, to see a screen change
//   vesperine-look same A.ppm B.ppm              status 0 when the two show the same picture
//   vesperine-look pixel A.ppm X Y               prints r,g,b
//   vesperine-look diff A.ppm B.ppm [WxH+X+Y]    prints how many pixels differ (in the region)
//   vesperine-look saver                         whether the X server's screensaver has the screen:
//                                                prints On, Off or Disabled
//   vesperine-look owned SELECTION               status 0 when a client owns the selection

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/scrnsaver.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
  const unsigned char* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

[[noreturn]] void die(const std::string& message) {
  std::fprintf(stderr, "vesperine-look: %s\n", message.c_str());
  std::exit(2);
}

bool endsWith(const std::string& text, const char* end) {
  const size_t n = std::strlen(end);
  return text.size() >= n && text.compare(text.size() - n, n, end) == 0;
}

Picture readPpm(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) die("cannot read " + path);
  Picture picture;
  int maximum = 0;
  if (std::fscanf(file, "P6 %d %d %d", &picture.width, &picture.height, &maximum) != 3 || maximum != 255 ||
      std::fgetc(file) == EOF || picture.width <= 0 || picture.height <= 0)
    die("not a binary PPM: " + path);
  picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
  if (std::fread(picture.rgb.data(), 1, picture.rgb.size(), file) != picture.rgb.size()) die("short PPM: " + path);
  std::fclose(file);
  return picture;
}

// Written to a temporary name and renamed, so a reader never sees half a picture.
void writePpm(const Picture& picture, int x, int y, int w, int h, const std::string& path) {
  if (x < 0 || y < 0 || w <= 0 || h <= 0 || x + w > picture.width || y + h > picture.height)
    die("crop outside the picture: " + path);
  const std::string part = path + ".part";
  FILE* file = std::fopen(part.c_str(), "wb");
  if (!file) die("cannot write " + path);
  std::fprintf(file, "P6\n%d %d\n255\n", w, h);
  for (int row = y; row < y + h; ++row) std::fwrite(picture.at(x, row), 1, static_cast<size_t>(w) * 3, file);
  if (std::fclose(file) != 0 || std::rename(part.c_str(), path.c_str()) != 0) die("cannot write " + path);
}

int shift(unsigned long mask) {
  int n = 0;
  while (mask && !(mask & 1)) { mask >>= 1; ++n; }
  return n;
}

// The window's area as the screen shows it: read from the root window, so a GL child window of
// another visual comes out as drawn.
Picture grab(const std::string& source) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) die("no X display");
  const Window root = DefaultRootWindow(display);
  int x = 0, y = 0;
  unsigned width = 0, height = 0;
  if (source == "root") {
    width = DisplayWidth(display, DefaultScreen(display));
    height = DisplayHeight(display, DefaultScreen(display));
  } else {
    const Window window = std::strtoul(source.c_str(), nullptr, 0);
    XWindowAttributes attributes;
    Window child;
    if (!XGetWindowAttributes(display, window, &attributes) ||
        !XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &child))
      die("no window " + source);
    width = attributes.width;
    height = attributes.height;
  }
  XImage* image = XGetImage(display, root, x, y, width, height, AllPlanes, ZPixmap);
  if (!image) die("the screen could not be read");
  Picture picture;
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.rgb.resize(static_cast<size_t>(width) * height * 3);
  const int rs = shift(image->red_mask), gs = shift(image->green_mask), bs = shift(image->blue_mask);
  unsigned char* out = picture.rgb.data();
  // 32-bit pixels in the machine's order (Xvfb's and Xorg's depth 24) are read in place.
  const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
  for (unsigned row = 0; row < height; ++row) {
    const auto* line = reinterpret_cast<const uint32_t*>(image->data + static_cast<size_t>(row) * image->bytes_per_line);
    for (unsigned column = 0; column < width; ++column) {
      const unsigned long p = direct ? line[column] : XGetPixel(image, static_cast<int>(column), static_cast<int>(row));
      *out++ = static_cast<unsigned char>((p & image->red_mask) >> rs);
      *out++ = static_cast<unsigned char>((p & image->green_mask) >> gs);
      *out++ = static_cast<unsigned char>((p & image->blue_mask) >> bs);
    }
  }
  XDestroyImage(image);
  XCloseDisplay(display);
  return picture;
}

Picture load(const std::string& source) { return endsWith(source, ".ppm") ? readPpm(source) : grab(source); }

int number(const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (*text == '\0' || *end != '\0') die(std::string("not a number: ") + text);
  return static_cast<int>(value);
}

// Pixels that differ in the region; with a fuzz, only those further apart than it (the colour
// distance ImageMagick's -fuzz measures, as a share of the full range).
long differing(const Picture& a, const Picture& b, int x, int y, int w, int h, double fuzz) {
  if (a.width != b.width || a.height != b.height) return static_cast<long>(w) * h;
  if (x < 0 || y < 0 || x + w > a.width || y + h > a.height) die("region outside the pictures");
  const double limit = fuzz * 255.0;
  long count = 0;
  for (int row = y; row < y + h; ++row) {
    const unsigned char* p = a.at(x, row);
    const unsigned char* q = b.at(x, row);
    for (int i = 0; i < w; ++i, p += 3, q += 3) {
      if (fuzz == 0.0) {
        count += std::memcmp(p, q, 3) != 0;
      } else {
        const double dr = p[0] - q[0], dg = p[1] - q[1], db = p[2] - q[2];
        count += std::sqrt((dr * dr + dg * dg + db * db) / 3.0) > limit;
      }
    }
  }
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const std::string command = args.empty() ? "" : args[0];
  if (command == "shot" && args.size() >= 3 && (args.size() - 3) % 5 == 0) {
    const Picture picture = load(args[1]);
    if (args[2] != "-") writePpm(picture, 0, 0, picture.width, picture.height, args[2]);
    for (size_t i = 3; i < args.size(); i += 5)
      writePpm(picture, number(argv[i + 1]), number(argv[i + 2]), number(argv[i + 3]), number(argv[i + 4]), args[i + 4]);
    return 0;
  }
  if (command == "hash" && args.size() == 2) {
    const Picture picture = load(args[1]);
    uint64_t hash = 1469598103934665603ull;
    for (const unsigned char byte : picture.rgb) hash = (hash ^ byte) * 1099511628211ull;
    std::printf("%dx%d-%016llx\n", picture.width, picture.height, static_cast<unsigned long long>(hash));
    return 0;
  }
  if (command == "same" && args.size() == 3) {
    // The sprite scaling may round a pixel or two differently by row: a little leeway.
    const Picture a = readPpm(args[1]), b = readPpm(args[2]);
    return differing(a, b, 0, 0, a.width, a.height, 0.08) < 40 ? 0 : 1;
  }
  if (command == "pixel" && args.size() == 4) {
    const Picture picture = readPpm(args[1]);
    const int x = number(argv[3]), y = number(argv[4]);
    if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) die("pixel outside the picture");
    const unsigned char* p = picture.at(x, y);
    std::printf("%d,%d,%d\n", p[0], p[1], p[2]);
    return 0;
  }
  if (command == "diff" && (args.size() == 3 || args.size() == 4)) {
    const Picture a = readPpm(args[1]), b = readPpm(args[2]);
    int x = 0, y = 0, w = a.width, h = a.height;
    if (args.size() == 4 && std::sscanf(argv[4], "%dx%d+%d+%d", &w, &h, &x, &y) != 4) die("region WxH+X+Y");
    std::printf("%ld\n", differing(a, b, x, y, w, h, 0.0));
    return 0;
  }
  if (command == "saver" && args.size() == 1) {
    Display* display = XOpenDisplay(nullptr);
    XScreenSaverInfo info{};
    if (display == nullptr || !XScreenSaverQueryInfo(display, DefaultRootWindow(display), &info)) die("no screensaver to ask");
    std::printf("%s\n", info.state == ScreenSaverOn ? "On" : info.state == ScreenSaverOff ? "Off" : "Disabled");
    return 0;
  }
  if (command == "owned" && args.size() == 2) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) die("no X display");
    return XGetSelectionOwner(display, XInternAtom(display, argv[2], False)) != None ? 0 : 1;
  }
  std::fputs("usage: vesperine-look shot SOURCE OUT.ppm|- [X Y W H CROP.ppm]... | hash SOURCE | same A B | "
             "pixel A X Y | diff A B [WxH+X+Y] | saver | owned SELECTION\n", stderr);
  return 2;
}
