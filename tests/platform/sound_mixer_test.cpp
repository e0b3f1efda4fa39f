// The mixing arithmetic and the channel table, without any audio device.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/real/sound_mixer.h"
#include "sound_test_signals.h"

namespace {

constexpr int kSound = 0;
constexpr int kOther = 5;

std::vector<uint8_t> silence(size_t frames) { return std::vector<uint8_t>(frames * kOutputFrameBytes, 0); }

TEST(SoundMixer, FullVolumeCopiesTheSamples) {
  const std::vector<uint8_t> pcm = constant_pcm(1000, -1000, 8);
  ChannelTable channels;
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, 0);
  std::vector<uint8_t> out = silence(8);
  mix_channels(channels, out.data(), out.size());
  EXPECT_EQ(sample_at(out, 0), 1000);
  EXPECT_EQ(sample_at(out, 1), -1000);
  EXPECT_EQ(sample_at(out, 15), -1000);
}

TEST(SoundMixer, VolumeMapsOntoThe128Scale) {
  EXPECT_EQ(mixer_volume(100), 128);
  EXPECT_EQ(mixer_volume(50), 64);
  EXPECT_EQ(mixer_volume(10), 12);  // 1280 / 100, truncated
  EXPECT_EQ(mixer_volume(0), 0);

  const std::vector<uint8_t> pcm = constant_pcm(10000, -10000, 4);
  ChannelTable channels;
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, 0);
  channel_set_volume(channels, kSound, 10);
  std::vector<uint8_t> out = silence(4);
  mix_channels(channels, out.data(), out.size());
  EXPECT_EQ(sample_at(out, 0), 10000 * 12 / 128);
  EXPECT_EQ(sample_at(out, 1), -10000 * 12 / 128);
}

TEST(SoundMixer, ChannelsAddAndSaturate) {
  const std::vector<uint8_t> loud = constant_pcm(30000, -30000, 4);
  const std::vector<uint8_t> quiet = constant_pcm(100, -100, 4);
  ChannelTable channels;
  channel_play(channels, kSound, loud.data(), loud.size(), 100, 0);
  channel_play(channels, kOther, loud.data(), loud.size(), 100, 0);
  std::vector<uint8_t> out = silence(4);
  mix_channels(channels, out.data(), out.size());
  EXPECT_EQ(sample_at(out, 0), 32767);
  EXPECT_EQ(sample_at(out, 1), -32768);

  ChannelTable two;
  channel_play(two, kSound, quiet.data(), quiet.size(), 100, 0);
  channel_play(two, kOther, quiet.data(), quiet.size(), 100, 0);
  std::vector<uint8_t> sum = silence(4);
  mix_channels(two, sum.data(), sum.size());
  EXPECT_EQ(sample_at(sum, 0), 200);
  EXPECT_EQ(sample_at(sum, 1), -200);
}

TEST(SoundMixer, ShortSoundFillsPartOfTheBufferAndFreesItsChannel) {
  const std::vector<uint8_t> pcm = constant_pcm(500, 500, 3);
  ChannelTable channels;
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, 0);
  std::vector<uint8_t> out = silence(8);
  mix_channels(channels, out.data(), out.size());
  EXPECT_EQ(sample_at(out, 5), 500);  // frame 2, right
  EXPECT_EQ(sample_at(out, 6), 0);    // frame 3: past the end
  EXPECT_EQ(channel_status(channels, kSound), ChannelFree);
}

TEST(SoundMixer, LoopWrapsInsideOneBuffer) {
  // Frames 10, 20, 30 looped over a buffer of 8 frames: 10 20 30 10 20 30 10 20, then 30 next time.
  std::vector<uint8_t> pcm = constant_pcm(10, 10, 1);
  const std::vector<uint8_t> b = constant_pcm(20, 20, 1);
  const std::vector<uint8_t> c = constant_pcm(30, 30, 1);
  pcm.insert(pcm.end(), b.begin(), b.end());
  pcm.insert(pcm.end(), c.begin(), c.end());
  ChannelTable channels;
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, kSoundLoop);
  std::vector<uint8_t> out = silence(8);
  mix_channels(channels, out.data(), out.size());
  const int16_t expected[8] = {10, 20, 30, 10, 20, 30, 10, 20};
  for (int frame = 0; frame < 8; ++frame) EXPECT_EQ(sample_at(out, frame * 2), expected[frame]) << frame;
  EXPECT_EQ(channel_status(channels, kSound), ChannelPlaying);

  std::vector<uint8_t> next = silence(2);
  mix_channels(channels, next.data(), next.size());
  EXPECT_EQ(sample_at(next, 0), 30);
  EXPECT_EQ(sample_at(next, 2), 10);
}

TEST(SoundMixer, PausedChannelIsSkippedAndKeepsItsPlace) {
  std::vector<uint8_t> pcm = constant_pcm(1, 1, 2);
  const std::vector<uint8_t> later = constant_pcm(2, 2, 2);
  pcm.insert(pcm.end(), later.begin(), later.end());
  ChannelTable channels;
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, 0);
  std::vector<uint8_t> first = silence(2);
  mix_channels(channels, first.data(), first.size());

  channel_pause(channels, kSound);
  EXPECT_EQ(channel_status(channels, kSound), ChannelPaused);
  std::vector<uint8_t> paused = silence(2);
  mix_channels(channels, paused.data(), paused.size());
  EXPECT_EQ(paused, silence(2));

  channel_resume(channels, kSound);
  EXPECT_EQ(channel_status(channels, kSound), ChannelPlaying);
  std::vector<uint8_t> resumed = silence(2);
  mix_channels(channels, resumed.data(), resumed.size());
  EXPECT_EQ(sample_at(resumed, 0), 2);
}

TEST(SoundChannels, VolumeIsClamped) {
  const std::vector<uint8_t> pcm = constant_pcm(1, 1, 4);
  ChannelTable channels;
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, 0);
  channel_set_volume(channels, kSound, 150);
  EXPECT_EQ(channels[0].volume, 100);
  channel_set_volume(channels, kSound, -5);
  EXPECT_EQ(channels[0].volume, 0);
}

TEST(SoundChannels, VolumeChangesOnlyThatSoundsChannels) {
  const std::vector<uint8_t> pcm = constant_pcm(1, 1, 4);
  ChannelTable channels;
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, 0);
  channel_play(channels, kOther, pcm.data(), pcm.size(), 100, 0);
  channel_set_volume(channels, kOther, 30);
  EXPECT_EQ(channels[0].volume, 100);
  EXPECT_EQ(channels[1].volume, 30);
}

TEST(SoundChannels, PlayingTwiceRestartsOnOneChannel) {
  const std::vector<uint8_t> pcm = constant_pcm(1, 1, 16);
  ChannelTable channels;
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, kSoundLoop);
  std::vector<uint8_t> out = silence(5);
  mix_channels(channels, out.data(), out.size());
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, kSoundLoop);

  int holding = 0;
  for (const MixChannel& channel : channels) holding += channel.remaining > 0 ? 1 : 0;
  EXPECT_EQ(holding, 1);
  EXPECT_EQ(channels[0].position, 0u);
  EXPECT_EQ(channels[0].remaining, pcm.size());
  EXPECT_EQ(channels[0].loopLength, pcm.size());
}

TEST(SoundChannels, NoRestartFlagAddsASecondChannel) {
  const std::vector<uint8_t> pcm = constant_pcm(1, 1, 16);
  ChannelTable channels;
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, 0);
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, kSoundNoRestart);
  EXPECT_GT(channels[0].remaining, 0u);
  EXPECT_GT(channels[1].remaining, 0u);
}

TEST(SoundChannels, AllChannelsBusyPlaysNothingMore) {
  const std::vector<uint8_t> pcm = constant_pcm(1, 1, 4);
  ChannelTable channels;
  for (int sound = 0; sound < kMixChannels; ++sound) channel_play(channels, sound, pcm.data(), pcm.size(), 100, 0);
  channel_play(channels, 99, pcm.data(), pcm.size(), 100, 0);
  EXPECT_EQ(channel_status(channels, 99), ChannelFree);
  EXPECT_EQ(channel_status(channels, kMixChannels - 1), ChannelPlaying);
}

TEST(SoundChannels, StopFreesTheChannelForTheNextSound) {
  const std::vector<uint8_t> pcm = constant_pcm(1, 1, 4);
  ChannelTable channels;
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, 0);
  channel_stop(channels, kSound);
  EXPECT_EQ(channel_status(channels, kSound), ChannelFree);
  channel_play(channels, kOther, pcm.data(), pcm.size(), 100, 0);
  EXPECT_EQ(channels[0].sound, kOther);
}

TEST(SoundChannels, PauseLeavesOtherSoundsPlaying) {
  const std::vector<uint8_t> pcm = constant_pcm(1, 1, 4);
  ChannelTable channels;
  channel_play(channels, kSound, pcm.data(), pcm.size(), 100, 0);
  channel_play(channels, kOther, pcm.data(), pcm.size(), 100, 0);
  channel_pause(channels, kSound);
  EXPECT_EQ(channel_status(channels, kSound), ChannelPaused);
  EXPECT_EQ(channel_status(channels, kOther), ChannelPlaying);
}

}  // namespace
