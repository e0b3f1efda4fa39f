// The sound operations the game calls, on a running device (SDL's dummy driver, real-time pace).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/platform.h"
#include "platform/real/real_internal.h"
#include "sound_test_signals.h"

namespace {

constexpr int kMusic = 0;

class SoundService : public testing::Test {
 protected:
  void SetUp() override {
    sound_shutdown();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  void TearDown() override { sound_shutdown(); }

  // Waits until the sound has the status or a second passed; gives the last status seen.
  static int wait_for_status(int sound, int wanted) {
    for (int i = 0; i < 100 && sound_status(sound) != wanted; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return sound_status(sound);
  }
};

TEST_F(SoundService, NothingWorksBeforeInit) {
  const std::vector<uint8_t> wav = sine_wav(440, 0.1, 44100, 2);
  EXPECT_EQ(sound_load_ogg(kMusic, wav.data(), wav.size()), 0);
  sound_play(kMusic, kSoundLoop);
  EXPECT_EQ(sound_status(kMusic), SoundMissing);
}

TEST_F(SoundService, SecondInitGivesTheFirstResult) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_EQ(sound_init(), 0);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  EXPECT_EQ(sound_init(), 0);
  sound_shutdown();
  EXPECT_EQ(sound_init(), 1);
  EXPECT_EQ(sound_init(), 1);
}

TEST_F(SoundService, LoadsOggOfAnyRateAndChannelCount) {
  ASSERT_EQ(sound_init(), 1);
  const std::vector<uint8_t> mono = sine_ogg(440, 0.3, 22050, 1);
  EXPECT_NE(sound_load_ogg(kMusic, mono.data(), mono.size()), 0);
  EXPECT_EQ(sound_status(kMusic), SoundIdle);
  const std::vector<uint8_t> stereo = sine_ogg(440, 0.3, 48000, 2);
  EXPECT_NE(sound_load_ogg(1, stereo.data(), stereo.size()), 0);
  EXPECT_EQ(sound_status(1), SoundIdle);
}

TEST_F(SoundService, LoadsWav) {
  ASSERT_EQ(sound_init(), 1);
  const std::vector<uint8_t> wav = sine_wav(440, 0.2, 11025, 1);
  EXPECT_NE(sound_load_ogg(kMusic, wav.data(), wav.size()), 0);
  EXPECT_EQ(sound_status(kMusic), SoundIdle);
}

TEST_F(SoundService, GarbageLoadsNothing) {
  ASSERT_EQ(sound_init(), 1);
  std::vector<uint8_t> garbage(5000);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
  EXPECT_EQ(sound_load_ogg(kMusic, garbage.data(), garbage.size()), 0);
  EXPECT_EQ(sound_status(kMusic), SoundMissing);
  EXPECT_EQ(sound_load_ogg(kMusic, garbage.data(), 0), 0);
  const char riffOnly[] = "RIFF\x10\0\0\0WAVEjunk";
  EXPECT_EQ(sound_load_ogg(kMusic, riffOnly, sizeof riffOnly), 0);
  EXPECT_EQ(sound_status(kMusic), SoundMissing);
}

TEST_F(SoundService, CutOggFailsAndRemovesTheOldSound) {
  ASSERT_EQ(sound_init(), 1);
  const std::vector<uint8_t> ogg = sine_ogg(440, 1.0, 44100, 2);
  ASSERT_NE(sound_load_ogg(kMusic, ogg.data(), ogg.size()), 0);
  sound_play(kMusic, kSoundLoop);
  EXPECT_EQ(sound_load_ogg(kMusic, ogg.data(), ogg.size() * 6 / 10), 0);
  EXPECT_EQ(sound_status(kMusic), SoundMissing);
  EXPECT_EQ(sound_load_ogg(kMusic, ogg.data(), 100), 0);  // cut inside the headers
  EXPECT_EQ(sound_status(kMusic), SoundMissing);
}

TEST_F(SoundService, PlayPauseResumeStop) {
  ASSERT_EQ(sound_init(), 1);
  const std::vector<uint8_t> wav = sine_wav(440, 0.5, 44100, 2);
  ASSERT_NE(sound_load_ogg(kMusic, wav.data(), wav.size()), 0);
  sound_play(kMusic, kSoundLoop);
  EXPECT_EQ(sound_status(kMusic), SoundPlaying);
  sound_pause(kMusic);
  EXPECT_EQ(sound_status(kMusic), SoundPaused);
  sound_volume(kMusic, 150);
  sound_resume(kMusic);
  EXPECT_EQ(sound_status(kMusic), SoundPlaying);
  sound_stop(kMusic);
  EXPECT_EQ(sound_status(kMusic), SoundIdle);
}

TEST_F(SoundService, SoundWithoutLoopEndsIdle) {
  ASSERT_EQ(sound_init(), 1);
  const std::vector<uint8_t> wav = sine_wav(440, 0.05, 44100, 2);
  ASSERT_NE(sound_load_ogg(kMusic, wav.data(), wav.size()), 0);
  sound_play(kMusic, 0);
  EXPECT_EQ(wait_for_status(kMusic, SoundIdle), SoundIdle);
}

TEST_F(SoundService, LoopingSoundKeepsPlaying) {
  ASSERT_EQ(sound_init(), 1);
  const std::vector<uint8_t> wav = sine_wav(440, 0.05, 44100, 2);
  ASSERT_NE(sound_load_ogg(kMusic, wav.data(), wav.size()), 0);
  sound_play(kMusic, kSoundLoop);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(sound_status(kMusic), SoundPlaying);
}

TEST_F(SoundService, UnknownSoundStaysMissing) {
  ASSERT_EQ(sound_init(), 1);
  sound_play(7, kSoundLoop);
  sound_volume(7, 50);
  sound_stop(7);
  EXPECT_EQ(sound_status(7), SoundMissing);
}

}  // namespace
