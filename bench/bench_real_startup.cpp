// Start-up cost of the real game against its floor.
//   vesperine-bench-real-startup game  GAMEDIR   start-up up to the first drawn frame on screen
//   vesperine-bench-real-startup floor GAMEDIR   only unpacking and decoding every picture and the music
//   vesperine-bench-real-startup frames GAMEDIR  steady frames of the menu over a full board, unpaced,
//                                                against frames that draw only the background
//   vesperine-bench-real-startup screens GAMEDIR OUTDIR KIND [PASSES]
//                                                every screen of the game in screen kind KIND (0 full,
//                                                1 window, 2 borderless) as OUTDIR/NN-name.png, to compare
//                                                pixel for pixel before and after a change of the drawing,
//                                                after PASSES passes in each (1 unless given)
//   vesperine-bench-real-startup still GAMEDIR KIND [WxH]  CPU share of one core and CPU a frame that
//                                                each screen with nothing moving costs, paced at 60 frames
//                                                a second, in screen kind KIND; beside them the pointer
//                                                moving over the menu and the board, a card turning, a
//                                                wrong pair turning back and a pair fading. With WxH the
//                                                window is resized to that (as a tiling window manager
//                                                does, by xdotool) and shows the picture fitted to it.
//                                                The desktop's scale is GDK's (GDK_SCALE): bench/scale.sh
// Each prints the wall time since the process started and the peak resident memory; run both in
// one go with bench/startup.sh, which compares them.
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "display/data_pack.h"
#include "game/board.h"
#include "game/game_state.h"
#include "game/main_loop.h"
#include "game/random.h"
#include "game/sprite_numbers.h"
#include "game/text_sprites.h"
#include "game/startup.h"
#include "platform/platform.h"
#include "platform/real/draw/draw.h"

namespace {
// Seconds since this process started (its start tick from /proc, the boot clock now).
double secondsSinceProcessStart() {
  std::ifstream statFile("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
  const size_t afterName = stat.rfind(')');
  unsigned long long startTicks = 0;
  const char* p = stat.c_str() + afterName + 2;
  for (int field = 3; field < 22; ++field) p = std::strchr(p, ' ') + 1;
  std::sscanf(p, "%llu", &startTicks);
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return now.tv_sec + now.tv_nsec / 1e9 - double(startTicks) / double(sysconf(_SC_CLK_TCK));
}

long peakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

int runGame(const std::string& gameDir) {
  char name[] = "vesperine";
  char* argv[] = {name, nullptr};
  if (!StartUp(1, argv, CommandLine{}, gameDir) || !SetUpDisplay()) return 1;
  RunOnePass();  // flips the empty screen, then draws the logo
  RunOnePass();  // the flip that shows it
  std::printf("first frame %.3f s, peak memory %ld KiB\n", secondsSinceProcessStart(), peakKilobytes());
  platform_shutdown();
  return 0;
}

double secondsNow() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec + now.tv_nsec / 1e9;
}

// Milliseconds a frame of the menu over a dealt board takes to draw and flip, against a frame
// with the background alone, both without the 60-frame pacing.
int runFrames(const std::string& gameDir) {
  char name[] = "vesperine";
  char* argv[] = {name, nullptr};
  if (!StartUp(1, argv, CommandLine{}, gameDir) || !SetUpDisplay()) return 1;
  screen_set_frame_rate(0);
  constexpr int kFrames = 300;
  const SpriteId background = game.backgroundSprites[0];
  double start = secondsNow();
  for (int i = 0; i < kFrames; ++i) {
    sprite_draw(background, 0, 0);
    screen_flip();
  }
  const double baseline = (secondsNow() - start) * 1000 / kFrames;
  game.gameState = Menu;
  start = secondsNow();
  for (int i = 0; i < kFrames; ++i) RunOnePass();
  const double menu = (secondsNow() - start) * 1000 / kFrames;
  std::printf("menu frame %.3f ms, background-only frame %.3f ms, ratio %.2fx\n", menu, baseline, menu / baseline);
  platform_shutdown();
  return 0;
}

// PASSES passes of the main loop in each screen, then the frame the last drew (what the next flip
// shows); from the third pass on, frames alike draw what they keep of the one before. The deal is
// seeded, so every run draws the same cards in the same places.
int runScreens(const std::string& gameDir, const std::string& outDir, int kind, int passes) {
  char name[] = "vesperine";
  char* argv[] = {name, nullptr};
  if (!StartUp(1, argv, CommandLine{}, gameDir)) return 1;
  game.prefs.screenKind = kind;
  if (!SetUpDisplay()) return 1;
  int shot = 0;
  auto capture = [&](const char* label, int64_t state) {
    game.gameState = state;
    for (int pass = 0; pass < passes; ++pass) RunOnePass();
    RgbaImage frame;
    platform_read_pixels(0, 0, int(game.screenWidth), int(game.screenHeight), &frame);
    char file[64];
    std::snprintf(file, sizeof file, "/%02d-%s.png", shot++, label);
    png_write_rgba((outDir + file).c_str(), frame);
  };
  auto cell = [](int c, int r) -> BoardCell& { return game.board[c][r]; };
  capture("logo", Logo);
  capture("title", Title);
  capture("menu-full-board", Menu);
  SeedRandom(12);
  for (int deal = 0; deal < 4; ++deal) {
    dealNewGame();
    game.backgroundIndex = deal;  // every background, each card set twice
    cell(0, 0).state = FaceUp;
    cell(7, 5).state = FaceUp;
    cell(3, 2).state = Removed;
    cell(4, 2).state = Removed;
    cell(5, 4).state = Vanishing;
    cell(6, 4).state = Vanishing;
    game.pairFade = 255 - 36 * deal - deal;  // odd and even fades
    capture(deal % 2 ? "playing-set1" : "playing-set0", Playing);
  }
  game.pairFade = 130;
  capture("menu-fading-pair", Menu);
  capture("menu-running", Menu);
  capture("ask-new-game", AskNewGame);
  capture("ask-quit", AskQuit);
  capture("credits", Credits);
  const int64_t last = int64_t(game.languageList.size()) - 1;
  for (const int64_t index : {int64_t(0), last / 2, last}) {
    game.setLangIdx = index;
    game.setMusic = index % 2;
    ClipLanguageStrip(index);
    capture("settings", Settings);
  }
  game.gameRunning = 0;
  capture("menu-finished", Menu);
  for (int r = 0; r < kBoardRows; ++r)
    for (int c = 0; c < kBoardColumns; ++c) cell(c, r).state = Removed;
  for (const int64_t fade : {0, 60, 124, 128}) {
    game.wellDoneFade = fade;
    capture("well-done", WellDone);
  }
  platform_shutdown();
  return 0;
}

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
}

// Each screen left standing: a second of passes to settle, then the process's CPU time (every
// thread, the music's too) over three seconds of passes, as a share of one core and per frame. Then
// what moves on them: the pointer over the menu and over the board (drawn as full screen does, in
// every kind), a card turning up or down, a wrong pair turning back, a pair fading; each changes
// every frame, so its figure is the cost of one such frame.
int runStill(const std::string& gameDir, int kind, const std::string& windowSize) {
  char name[] = "vesperine";
  char* argv[] = {name, nullptr};
  if (!StartUp(1, argv, CommandLine{}, gameDir)) return 1;
  game.prefs.screenKind = kind;
  if (!SetUpDisplay()) return 1;
  int windowWidth = 0, windowHeight = 0;
  if (std::sscanf(windowSize.c_str(), "%dx%d", &windowWidth, &windowHeight) == 2) {
    const std::string resize = "xdotool search --name '^Vesperine 1' windowsize %@ " + std::to_string(windowWidth) + " " +
                               std::to_string(windowHeight);
    if (std::system(resize.c_str()) != 0) return 1;
  }
  auto measure = [&](const char* label, int64_t state, const std::function<void(int)>& motion = nullptr) {
    game.gameState = state;
    auto pass = [&](int index) {
      RunOnePass();
      if (motion) motion(index);
    };
    for (int index = 0; index < 60; ++index) pass(index);
    const double wallStart = secondsNow(), cpuStart = cpuSeconds();
    constexpr int kPasses = 180;
    for (int index = 0; index < kPasses; ++index) pass(index);
    const double cpu = cpuSeconds() - cpuStart;
    std::printf("%-30s %s %5.1f %% of a core, %6.3f ms CPU a frame%s\n", label,
                kind == 0 ? "full screen" : "window     ", cpu / (secondsNow() - wallStart) * 100, cpu * 1000 / kPasses,
                screen_is_active() ? "" : " (screen inactive)");
  };
  const auto pointer = [](int index) { sprite_draw_blended(kSpritePointer, 100 + index * 7 % 1200, 300 + index % 400, 255); };
  const auto turn = [](std::initializer_list<BoardCell*> cells) {
    return [cells](int) {
      for (BoardCell* cell : cells) cell->state = cell->state == FaceUp ? FaceDown : FaceUp;
    };
  };
  measure("still menu", Menu);
  measure("moving pointer over the menu", Menu, pointer);
  SeedRandom(12);
  dealNewGame();
  measure("still board", Playing);
  measure("moving pointer over the board", Playing, pointer);
  measure("moving: a card turning", Playing, turn({&game.board[2][1]}));
  measure("moving: wrong pair turning", Playing, turn({&game.board[3][2], &game.board[5][4]}));
  game.board[2][3].state = game.board[4][3].state = Vanishing;
  measure("moving: a pair fading", Playing, [](int) {
    if (game.pairFade < 8) game.pairFade = 255;
  });
  game.board[2][3].state = game.board[4][3].state = FaceDown;
  game.board[0][0].state = FaceUp;
  measure("still board, one card up", Playing);
  measure("still credits", Credits);
  measure("still settings", Settings);
  for (int r = 0; r < kBoardRows; ++r)
    for (int c = 0; c < kBoardColumns; ++c) game.board[c][r].state = Removed;
  game.gameRunning = 0;
  game.wellDoneFade = 128;
  measure("still well done, faded in", WellDone);
  platform_shutdown();
  return 0;
}

int runFloor(const std::string& gameDir) {
  platform_init(0, nullptr);
  if (!sound_init()) return 1;
  DataPack pack;
  if (!pack.open(gameDir + "VesperineData.pack")) return 1;
  std::vector<unsigned char> block, music;  // the music is decoded from its block as it plays: kept
  size_t pictures = 0;
  for (const PackEntry& entry : pack.entries()) {
    std::vector<unsigned char>& into = entry.name.ends_with(".png") ? block : music;
    into.resize(entry.unpackedSize);
    const int64_t size = pack.unpack(entry.name, into.data(), into.size());
    if (size <= 0) return 1;
    if (entry.name.ends_with(".png")) {
      RgbaImage image;
      if (!png_decode_rgba(block.data(), size_t(size), &image, nullptr)) return 1;
      ++pictures;
    } else if (!sound_load_ogg(0, music.data(), size_t(size))) {
      return 1;
    }
  }
  std::printf("decoded %zu pictures and the music %.3f s, peak memory %ld KiB\n", pictures,
              secondsSinceProcessStart(), peakKilobytes());
  platform_shutdown();
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  if ((argc == 4 || argc == 5) && std::string(argv[1]) == "still") return runStill(argv[2], std::atoi(argv[3]), argc == 5 ? argv[4] : "");
  if ((argc == 5 || argc == 6) && std::string(argv[1]) == "screens")
    return runScreens(argv[2], argv[3], std::atoi(argv[4]), argc == 6 ? std::max(1, std::atoi(argv[5])) : 1);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s game|floor|frames GAMEDIR/  or  screens GAMEDIR/ OUTDIR KIND [PASSES]  or  still GAMEDIR/ KIND [WxH]\n", argv[0]);
    return 2;
  }
  const std::string mode = argv[1];
  std::string gameDir = argv[2];
  if (!gameDir.ends_with('/')) gameDir += '/';
  if (mode == "game") return runGame(gameDir);
  if (mode == "frames") return runFrames(gameDir);
  return runFloor(gameDir);
}
