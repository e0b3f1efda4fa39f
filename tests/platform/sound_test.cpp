// Sound: the mixing arithmetic and channel table without a device, the operations the game calls on
// SDL's dummy driver, and what the device really receives (SDL's disk driver writes the mixed
// output, raw S16LE stereo at 44,100 Hz and real-time pace, to a file the test examines). WAV and OGG
// share the conversion to the output format: a WAV tone made here checks it, a short OGG tone (the
// OGG fuzz target's seed) checks the OGG decoding.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>

#include "platform/platform.h"
#include "platform/real/real_internal.h"
#include "platform/real/sound_mixer.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int kMusic = 0, kOther = 5;

float Sine(double frequency, int rate, long frame) {
  return static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * frequency * frame / rate));
}

void PutLe(Bytes& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

Bytes SineWav(double frequency, double seconds, int rate) {  // mono PCM at half scale
  const uint32_t frames = static_cast<uint32_t>(std::lround(seconds * rate));
  Bytes out = {'R', 'I', 'F', 'F'};
  PutLe(out, 36 + frames * 2, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0});
  PutLe(out, rate, 4);
  PutLe(out, rate * 2, 4);
  out.insert(out.end(), {2, 0, 16, 0, 'd', 'a', 't', 'a'});
  PutLe(out, frames * 2, 4);
  for (uint32_t frame = 0; frame < frames; ++frame) PutLe(out, static_cast<uint16_t>(std::lround(Sine(frequency, rate, frame) * 32767)), 2);
  return out;
}

Bytes ToneOgg() {  // 0.05 s of stereo at 44,100 Hz
  std::ifstream in(VESPERINE_SOURCE_DIR "/fuzz/corpus/fuzz_ogg/tone.ogg", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Output-format PCM (S16LE stereo): one frame of each (left, right) pair, `times` over.
Bytes Pcm(std::initializer_list<std::pair<int16_t, int16_t>> frames, int times = 1) {
  Bytes out;
  for (int i = 0; i < times; ++i)
    for (const auto& [left, right] : frames) PutLe(out, static_cast<uint16_t>(left) | static_cast<uint32_t>(static_cast<uint16_t>(right)) << 16, 4);
  return out;
}

// Sample `index` (counting left and right separately) of S16LE bytes.
int16_t SampleAt(const Bytes& pcm, size_t index) { return static_cast<int16_t>(pcm[index * 2] | pcm[index * 2 + 1] << 8); }

Bytes Mix(ChannelTable& channels, size_t frames) {
  Bytes out(frames * kOutputFrameBytes, 0);
  mix_channels(channels, out.data(), out.size());
  return out;
}

TEST(SoundMixer, VolumeSumSaturationAndShortSounds) {
  EXPECT_EQ(std::vector<int>({mixer_volume(100), mixer_volume(50), mixer_volume(10), mixer_volume(0)}),
            std::vector<int>({128, 64, 12, 0}));
  const Bytes loud = Pcm({{30000, -30000}}, 4), quiet = Pcm({{10000, -100}}, 3);
  ChannelTable channels;
  channel_play(channels, kMusic, quiet.data(), quiet.size(), 100, 0);
  channel_play(channels, kOther, quiet.data(), quiet.size(), 100, 0);
  Bytes out = Mix(channels, 4);
  EXPECT_EQ(std::vector<int>({SampleAt(out, 0), SampleAt(out, 5), SampleAt(out, 6)}), std::vector<int>({20000, -200, 0}));
  EXPECT_EQ(channel_status(channels, kMusic), ChannelFree);  // past the end of both
  channel_play(channels, kMusic, loud.data(), loud.size(), 100, 0);
  channel_play(channels, kOther, loud.data(), loud.size(), 100, 0);
  out = Mix(channels, 1);
  EXPECT_EQ(std::make_pair(SampleAt(out, 0), SampleAt(out, 1)), std::make_pair(int16_t{32767}, int16_t{-32768}));
  channel_set_volume(channels, kMusic, 10);
  channel_stop(channels, kOther);
  EXPECT_EQ(SampleAt(Mix(channels, 1), 0), 30000 * 12 / 128);
  channel_set_volume(channels, kMusic, 150);
  EXPECT_EQ(channels[0].volume, 100);
  channel_set_volume(channels, kMusic, -5);
  EXPECT_EQ(channels[0].volume, 0);
}

TEST(SoundMixer, LoopsPausesAndChannels) {
  const Bytes pcm = Pcm({{10, 10}, {20, 20}, {30, 30}});
  ChannelTable channels;
  channel_play(channels, kMusic, pcm.data(), pcm.size(), 100, kSoundLoop);
  Bytes out = Mix(channels, 8);  // 10 20 30 10 20 30 10 20, then 30 next time
  for (int frame = 0; frame < 8; ++frame) EXPECT_EQ(SampleAt(out, frame * 2), (frame % 3 + 1) * 10) << frame;
  channel_pause(channels, kMusic);
  EXPECT_EQ(Mix(channels, 2), Bytes(8, 0));
  channel_resume(channels, kMusic);
  EXPECT_EQ(SampleAt(Mix(channels, 1), 0), 30);
  channel_play(channels, kMusic, pcm.data(), pcm.size(), 100, kSoundLoop);  // playing again restarts
  EXPECT_EQ(channels[0].position + channels[1].remaining, 0u);
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
  const Bytes wav = SineWav(440, 0.05, 11025);
  EXPECT_EQ(sound_load_ogg(kMusic, wav.data(), wav.size()), 0);  // nothing works before init
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  EXPECT_EQ(sound_init(), 0);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  EXPECT_EQ(sound_init(), 0);  // a second init gives the first result
  sound_shutdown();
  ASSERT_EQ(sound_init(), 1);
  ASSERT_GT(ToneOgg().size(), 4000u);
  for (const Bytes& sound : {ToneOgg(), wav}) {
    EXPECT_NE(sound_load_ogg(kMusic, sound.data(), sound.size()), 0);
    EXPECT_EQ(sound_status(kMusic), SoundIdle);
  }
  sound_play(kMusic, 0);
  EXPECT_EQ(sound_status(kMusic), SoundPlaying);
  for (int i = 0; i < 500 && sound_status(kMusic) != SoundIdle; ++i) wait_ms(10);
  EXPECT_EQ(sound_status(kMusic), SoundIdle) << "a sound without loop ends";
  sound_play(kMusic, kSoundLoop);  // pausing, resuming and stopping the music are played end to end
  wait_ms(400);
  EXPECT_EQ(sound_status(kMusic), SoundPlaying) << "a looping sound keeps playing";
  sound_play(7, kSoundLoop);
  EXPECT_EQ(sound_status(7), SoundMissing);
}

TEST_F(SoundService, BrokenDataLoadsNothingAndRemovesTheOldSound) {
  ASSERT_EQ(sound_init(), 1);
  const Bytes ogg = ToneOgg();
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
  const Bytes wav = SineWav(440, 2.0, 48000);
  ASSERT_NE(sound_load_ogg(0, wav.data(), wav.size()), 0);
  // The driver writes at real-time pace: wait for the frames themselves, not for the clock.
  const auto frames = [&] { return std::filesystem::exists(path) ? std::filesystem::file_size(path) / 4 : 0; };
  const auto waitFor = [&](uintmax_t more) {
    const uintmax_t target = frames() + more;
    for (int i = 0; i < 3000 && frames() < target; ++i) wait_ms(10);
  };
  waitFor(4410);
  sound_play(0, kSoundLoop);
  waitFor(44100 / 2);
  sound_stop(0);
  waitFor(44100 / 4);
  sound_shutdown();
  unsetenv("SDL_DISKAUDIOFILE");
  std::ifstream in(path, std::ios::binary);
  const Bytes output{std::istreambuf_iterator<char>(in), {}};
  size_t first = output.size(), last = 0;
  for (size_t frame = 0; frame < output.size() / 4; ++frame)
    if (SampleAt(output, frame * 2) != 0 || SampleAt(output, frame * 2 + 1) != 0) last = frame, first = std::min(first, frame);
  ASSERT_LT(first, output.size()) << "all silent";
  const double seconds = static_cast<double>(last - first) / 44100;
  EXPECT_GT(seconds, 0.4);
  EXPECT_GT(output.size() / 4 - last, 44100u / 5) << "still sounding after the stop";
  int crossings = 0, peak = 0, sideDifference = 0;
  for (size_t frame = first + 1; frame <= last; ++frame) {
    const int left = SampleAt(output, frame * 2);
    crossings += SampleAt(output, frame * 2 - 2) < 0 && left >= 0;
    peak = std::max(peak, std::abs(left));
    sideDifference = std::max(sideDifference, std::abs(left - SampleAt(output, frame * 2 + 1)));
  }
  EXPECT_NEAR(crossings / seconds, 440.0, 12.0);
  EXPECT_TRUE(peak > 13000 && peak < 20000) << peak;  // the tone is at half scale
  EXPECT_LE(sideDifference, 1) << "mono must reach both sides alike";
  std::remove(path.c_str());
}

}  // namespace
