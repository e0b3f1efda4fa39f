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
  std::vector<float> left;
  std::vector<float> right;
};

Decoded decode(const char* path) {
  Decoded result;
  OggVorbis_File file;
  if (ov_fopen(path, &file) != 0) return result;
  const vorbis_info* info = ov_info(&file, -1);
  result.channels = info->channels;
  result.rate = info->rate;
  int section = 0;
  for (;;) {
    float** pcm = nullptr;
    const long frames = ov_read_float(&file, &pcm, 4096, &section);
    if (frames <= 0) break;
    result.left.insert(result.left.end(), pcm[0], pcm[0] + frames);
    result.right.insert(result.right.end(), pcm[info->channels > 1 ? 1 : 0], pcm[info->channels > 1 ? 1 : 0] + frames);
  }
  ov_clear(&file);
  return result;
}

double rms(const std::vector<float>& samples, std::size_t from, std::size_t count) {
  double sum = 0.0;
  for (std::size_t i = from; i < from + count; ++i) sum += samples[i] * samples[i];
  return std::sqrt(sum / count);
}

TEST(Score, LastsAtLeastAMinuteInWholeBarsAndRingsOverTheLoopPoint) {
  EXPECT_EQ(music::loopFrames % (music::framesPerBeat * music::beatsPerBar), 0u);
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
  ASSERT_EQ(music.channels, 2);
  EXPECT_EQ(music.rate, 44100);
  ASSERT_EQ(music.left.size(), music::loopFrames);
  float peak = 0.0f;
  for (std::size_t i = 0; i < music.left.size(); ++i) peak = std::max({peak, std::abs(music.left[i]), std::abs(music.right[i])});
  EXPECT_LT(peak, 0.99f);
  const double level = rms(music.left, 0, music.left.size());
  EXPECT_GT(20.0 * std::log10(level), -24.0);
  const std::size_t bar = music::framesPerBeat * music::beatsPerBar;
  for (std::size_t start = 0; start + bar <= music.left.size(); start += bar)
    EXPECT_GT(rms(music.left, start, bar), level * 0.3) << "a silent bar at frame " << start;
  for (const std::vector<float>* channel : {&music.left, &music.right}) {
    std::vector<float> steps;
    for (std::size_t i = 1; i < channel->size(); ++i) steps.push_back(std::abs((*channel)[i] - (*channel)[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + steps.size() * 999 / 1000, steps.end());
    EXPECT_LE(std::abs(channel->back() - channel->front()), steps[steps.size() * 999 / 1000]);
    // The loudness just before and just after the loop point match.
    const double before = rms(*channel, channel->size() - 4410, 4410), after = rms(*channel, 0, 4410);
    EXPECT_LT(std::abs(20.0 * std::log10(after / before)), 6.0);
  }
}

}  // namespace
