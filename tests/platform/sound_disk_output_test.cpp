// What the device really receives: SDL's disk driver writes the mixed output (raw S16LE stereo at
// 44,100 Hz, real-time pace) to a file, which the test then examines.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

#include "platform/platform.h"
#include "platform/real/real_internal.h"
#include "sound_test_signals.h"

namespace {

std::vector<uint8_t> read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(SoundDiskOutput, PlaysTheToneAtItsPitchUntilStopped) {
  const std::string path = testing::TempDir() + "vesperine-sound-output.raw";
  std::remove(path.c_str());
  sound_shutdown();
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
  ASSERT_EQ(sound_init(), 1);

  // 48 kHz mono: played unconverted it would come out 9 % sharp and on one side only.
  const std::vector<uint8_t> ogg = sine_ogg(440, 2.0, 48000, 1);
  ASSERT_NE(sound_load_ogg(0, ogg.data(), ogg.size()), 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  sound_play(0, kSoundLoop);
  std::this_thread::sleep_for(std::chrono::milliseconds(600));
  sound_stop(0);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  sound_shutdown();
  unsetenv("SDL_DISKAUDIOFILE");

  const std::vector<uint8_t> output = read_file(path);
  const size_t frames = output.size() / 4;
  ASSERT_GT(frames, 44100u * 8 / 10) << "the device wrote less than the time played";

  size_t first = frames;
  size_t last = 0;
  for (size_t frame = 0; frame < frames; ++frame) {
    if (sample_at(output, frame * 2) != 0 || sample_at(output, frame * 2 + 1) != 0) {
      first = std::min(first, frame);
      last = frame;
    }
  }
  ASSERT_LT(first, frames) << "all silent";
  const double seconds = static_cast<double>(last - first) / 44100;
  // Wall-clock pacing of the driver drifts on a busy machine; the sample counts below do not.
  EXPECT_GT(seconds, 0.3);
  EXPECT_LT(seconds, 0.9) << "still sounding after the stop";
  EXPECT_GT(frames - last, 44100u / 20) << "still sounding after the stop";

  int crossings = 0;
  int peak = 0;
  int sideDifference = 0;
  for (size_t frame = first + 1; frame <= last; ++frame) {
    const int left = sample_at(output, frame * 2);
    const int previous = sample_at(output, frame * 2 - 2);
    if (previous < 0 && left >= 0) ++crossings;
    peak = std::max(peak, std::abs(left));
    sideDifference = std::max(sideDifference, std::abs(left - sample_at(output, frame * 2 + 1)));
  }
  EXPECT_NEAR(crossings / seconds, 440.0, 12.0);
  EXPECT_GT(peak, 13000);  // the tone is at half scale
  EXPECT_LT(peak, 20000);
  EXPECT_LE(sideDifference, 1) << "mono must reach both sides alike";
  std::remove(path.c_str());
}

}  // namespace
