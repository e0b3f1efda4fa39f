// Sound: the mixing arithmetic and channel table without a device, the operations the game calls on
// SDL's dummy driver, and what the device really receives (SDL's disk driver writes the mixed
// output, raw S16LE stereo at 44,100 Hz and real-time pace, to a file the test examines).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/platform.h"
#include "platform/real/real_internal.h"
#include "platform/real/sound_mixer.h"
#include "sound_test_signals.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kMusic = 0, kOther = 5;

Bytes Mix(ChannelTable& channels, size_t frames) {
  Bytes out(frames * kOutputFrameBytes, 0);
  mix_channels(channels, out.data(), out.size());
  return out;
}

TEST(SoundMixer, VolumeSumSaturationAndShortSounds) {
  EXPECT_EQ(std::vector<int>({mixer_volume(100), mixer_volume(50), mixer_volume(10), mixer_volume(0)}),
            std::vector<int>({128, 64, 12, 0}));
  const Bytes loud = constant_pcm(30000, -30000, 4), quiet = constant_pcm(10000, -100, 3);
  ChannelTable channels;
  channel_play(channels, kMusic, quiet.data(), quiet.size(), 100, 0);
  channel_play(channels, kOther, quiet.data(), quiet.size(), 100, 0);
  Bytes out = Mix(channels, 4);
  EXPECT_EQ(sample_at(out, 0), 20000);
  EXPECT_EQ(sample_at(out, 5), -200);
  EXPECT_EQ(sample_at(out, 6), 0);  // past the end of both
  EXPECT_EQ(channel_status(channels, kMusic), ChannelFree);
  channel_play(channels, kMusic, loud.data(), loud.size(), 100, 0);
  channel_play(channels, kOther, loud.data(), loud.size(), 100, 0);
  out = Mix(channels, 1);
  EXPECT_EQ(std::make_pair(sample_at(out, 0), sample_at(out, 1)), std::make_pair(int16_t{32767}, int16_t{-32768}));
  channel_set_volume(channels, kMusic, 10);
  channel_stop(channels, kOther);
  out = Mix(channels, 1);
  EXPECT_EQ(sample_at(out, 0), 30000 * 12 / 128);
  channel_set_volume(channels, kMusic, 150);
  EXPECT_EQ(channels[0].volume, 100);
  channel_set_volume(channels, kMusic, -5);
  EXPECT_EQ(channels[0].volume, 0);
}

TEST(SoundMixer, LoopsPausesAndChannels) {
  Bytes pcm = constant_pcm(10, 10, 1);
  for (const int16_t v : {20, 30}) {
    const Bytes more = constant_pcm(v, v, 1);
    pcm.insert(pcm.end(), more.begin(), more.end());
  }
  ChannelTable channels;
  channel_play(channels, kMusic, pcm.data(), pcm.size(), 100, kSoundLoop);
  Bytes out = Mix(channels, 8);  // 10 20 30 10 20 30 10 20, then 30 next time
  for (int frame = 0; frame < 8; ++frame) EXPECT_EQ(sample_at(out, frame * 2), (frame % 3 + 1) * 10) << frame;
  channel_pause(channels, kMusic);
  EXPECT_EQ(Mix(channels, 2), Bytes(8, 0));
  channel_resume(channels, kMusic);
  EXPECT_EQ(sample_at(Mix(channels, 1), 0), 30);
  channel_play(channels, kMusic, pcm.data(), pcm.size(), 100, kSoundLoop);  // playing again restarts
  EXPECT_EQ(channels[0].position, 0u);
  EXPECT_EQ(channels[1].remaining, 0u);
  channel_play(channels, kMusic, pcm.data(), pcm.size(), 100, kSoundNoRestart);  // or takes a second channel
  EXPECT_GT(channels[1].remaining, 0u);
  channel_play(channels, kOther, pcm.data(), pcm.size(), 100, 0);
  channel_pause(channels, kMusic);
  EXPECT_EQ(channel_status(channels, kOther), ChannelPlaying);
  for (int sound = 10; sound < 10 + kMixChannels; ++sound) channel_play(channels, sound, pcm.data(), pcm.size(), 100, 0);
  EXPECT_EQ(channel_status(channels, 10 + kMixChannels - 4), ChannelPlaying);
  EXPECT_EQ(channel_status(channels, 10 + kMixChannels - 3), ChannelFree) << "every channel was busy";
}

class SoundService : public testing::Test {
 protected:
  void SetUp() override {
    sound_shutdown();
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  void TearDown() override { sound_shutdown(); }
};

TEST_F(SoundService, InitLoadAndStatuses) {
  const Bytes wav = sine_wav(440, 0.05, 11025, 1);
  EXPECT_EQ(sound_load_ogg(kMusic, wav.data(), wav.size()), 0);  // nothing works before init
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_EQ(sound_init(), 0);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  EXPECT_EQ(sound_init(), 0);  // a second init gives the first result
  sound_shutdown();
  ASSERT_EQ(sound_init(), 1);
  for (const Bytes& sound : {sine_ogg(440, 0.3, 22050, 1), sine_ogg(440, 0.3, 48000, 2), wav}) {
    EXPECT_NE(sound_load_ogg(kMusic, sound.data(), sound.size()), 0);
    EXPECT_EQ(sound_status(kMusic), SoundIdle);
  }
  sound_play(kMusic, 0);
  EXPECT_EQ(sound_status(kMusic), SoundPlaying);
  for (int i = 0; i < 500 && sound_status(kMusic) != SoundIdle; ++i) wait_ms(10);
  EXPECT_EQ(sound_status(kMusic), SoundIdle) << "a sound without loop ends";
  sound_play(kMusic, kSoundLoop);
  sound_pause(kMusic);
  EXPECT_EQ(sound_status(kMusic), SoundPaused);
  sound_resume(kMusic);
  wait_ms(200);
  EXPECT_EQ(sound_status(kMusic), SoundPlaying) << "a looping sound keeps playing";
  sound_stop(kMusic);
  EXPECT_EQ(sound_status(kMusic), SoundIdle);
  sound_play(7, kSoundLoop);
  EXPECT_EQ(sound_status(7), SoundMissing);
}

TEST_F(SoundService, BrokenDataLoadsNothingAndRemovesTheOldSound) {
  ASSERT_EQ(sound_init(), 1);
  const Bytes ogg = sine_ogg(440, 1.0, 44100, 2);
  Bytes garbage(5000);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
  const char riff[] = "RIFF\x10\0\0\0WAVEjunk";
  for (const Bytes& bad : {Bytes(ogg.begin(), ogg.begin() + ogg.size() * 6 / 10), Bytes(ogg.begin(), ogg.begin() + 100),
                           garbage, Bytes(riff, riff + sizeof riff), Bytes()}) {
    ASSERT_NE(sound_load_ogg(kMusic, ogg.data(), ogg.size()), 0);
    sound_play(kMusic, kSoundLoop);
    EXPECT_EQ(sound_load_ogg(kMusic, bad.data(), bad.size()), 0) << bad.size();
    EXPECT_EQ(sound_status(kMusic), SoundMissing);
  }
}

TEST(SoundDiskOutput, PlaysTheToneAtItsPitchOnBothSidesUntilStopped) {
  const std::string path = testing::TempDir() + "vesperine-sound-output.raw";
  std::remove(path.c_str());
  sound_shutdown();
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
  ASSERT_EQ(sound_init(), 1);
  // 48 kHz mono: played unconverted it would come out 9 % sharp and on one side only.
  const Bytes ogg = sine_ogg(440, 2.0, 48000, 1);
  ASSERT_NE(sound_load_ogg(0, ogg.data(), ogg.size()), 0);
  // The driver writes at real-time pace: wait for the frames themselves, not for the clock.
  const auto framesWritten = [&] { return std::filesystem::exists(path) ? std::filesystem::file_size(path) / 4 : 0; };
  const auto waitForFrames = [&](uintmax_t frames) {
    for (int i = 0; i < 2000 && framesWritten() < frames; ++i) wait_ms(10);
  };
  waitForFrames(4410);
  sound_play(0, kSoundLoop);
  waitForFrames(framesWritten() + 44100 / 2);
  sound_stop(0);
  waitForFrames(framesWritten() + 44100 / 4);
  sound_shutdown();
  unsetenv("SDL_DISKAUDIOFILE");
  std::ifstream in(path, std::ios::binary);
  const Bytes output{std::istreambuf_iterator<char>(in), {}};
  const size_t frames = output.size() / 4;
  size_t first = frames, last = 0;
  for (size_t frame = 0; frame < frames; ++frame)
    if (sample_at(output, frame * 2) != 0 || sample_at(output, frame * 2 + 1) != 0) {
      first = std::min(first, frame);
      last = frame;
    }
  ASSERT_LT(first, frames) << "all silent";
  const double seconds = static_cast<double>(last - first) / 44100;
  EXPECT_GT(seconds, 0.4);
  EXPECT_GT(frames - last, 44100u / 5) << "still sounding after the stop";
  int crossings = 0, peak = 0, sideDifference = 0;
  for (size_t frame = first + 1; frame <= last; ++frame) {
    const int left = sample_at(output, frame * 2);
    if (sample_at(output, frame * 2 - 2) < 0 && left >= 0) ++crossings;
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
