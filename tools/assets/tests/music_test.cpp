// The music code and the finished music file: length, level, and a loop point nobody can hear.
#include "music/effects.h"
#include "music/instruments.h"
#include "music/score.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Decoded {
  int channels = 0;
  long rate = 0;
  std::vector<float> channel[2];
};

Decoded decode(const char* path) {
  Decoded result;
  OggVorbis_File file;
  if (ov_fopen(path, &file) != 0) return result;
  result.channels = ov_info(&file, -1)->channels;
  result.rate = ov_info(&file, -1)->rate;
  float** pcm = nullptr;
  int section = 0;
  for (long frames; (frames = ov_read_float(&file, &pcm, 4096, &section)) > 0;)
    for (int c = 0; c < 2; ++c) result.channel[c].insert(result.channel[c].end(), pcm[c % result.channels], pcm[c % result.channels] + frames);
  ov_clear(&file);
  return result;
}

double rms(const std::vector<float>& samples, std::size_t from, std::size_t count) {
  double sum = 0.0;
  for (std::size_t i = from; i < from + count; ++i) sum += samples[i] * samples[i];
  return std::sqrt(sum / count);
}

TEST(Score, LastsAtLeastAMinuteAndRingsOverTheLoopPoint) {
  EXPECT_GE(music::loopFrames, 60u * music::sampleRate);
  // A note ringing past the end sounds at the start: 0.05 s held plus its release, about 0.4 s.
  music::LoopBuffer loop(music::sampleRate);
  music::electricPiano(loop, music::Note{music::sampleRate - 100, 0.05, 60.0, 0.5, 0.0});
  EXPECT_GT(rms(loop.left, 0, 4000), 0.01);
  EXPECT_EQ(loop.left[music::sampleRate * 3 / 4], 0.0f);
  // So does the reverb tail of the end.
  music::LoopBuffer send(music::sampleRate * 2);
  send.add(send.frames() - 2000, 1.0, 1.0);
  music::LoopBuffer out(send.frames());
  music::addReverb(send, out, 0.8, 0.3, 1.0);
  EXPECT_GT(std::min(rms(out.left, 0, 2000), rms(out.right, 0, 2000)), 1e-4);
}

TEST(MusicFile, StereoAudibleUnclippedAndSmoothAtTheLoopPoint) {
  const Decoded music = decode(VESPERINE_ASSET_DIR "/music.ogg");
  EXPECT_EQ(std::make_pair(music.channels, music.rate), std::make_pair(2, 44100L));
  ASSERT_EQ(music.channel[0].size(), music::loopFrames);
  const std::size_t bar = music::framesPerBeat * music::beatsPerBar;
  for (const std::vector<float>& channel : music.channel) {
    const double level = rms(channel, 0, channel.size());
    EXPECT_GT(20.0 * std::log10(level), -24.0);
    EXPECT_LT(std::abs(*std::max_element(channel.begin(), channel.end(), [](float a, float b) { return std::abs(a) < std::abs(b); })), 0.99f);
    for (std::size_t start = 0; start + bar <= channel.size(); start += bar)
      EXPECT_GT(rms(channel, start, bar), level * 0.3) << "a silent bar at frame " << start;
    std::vector<float> steps;
    for (std::size_t i = 1; i < channel.size(); ++i) steps.push_back(std::abs(channel[i] - channel[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 999 / 1000, steps.end());
    EXPECT_LE(std::abs(channel.back() - channel.front()), steps[steps.size() * 999 / 1000]);
    // The loudness just before and just after the loop point match.
    const double before = rms(channel, channel.size() - 4410, 4410), after = rms(channel, 0, 4410);
    EXPECT_LT(std::abs(20.0 * std::log10(after / before)), 6.0);
  }
}

}  // namespace
