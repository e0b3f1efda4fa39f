// The music code and the finished music file: a long, quiet loop that rises and falls, nothing
// bright above 8 kHz, and a loop point nobody can hear. The sound effects beside it: short, as soft
// and dark as the music, silent at both ends, and never clipping over its loudest part.
#include "music/effects.h"
#include "music/instruments.h"
#include "music/score.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

namespace {

struct Decoded { int channels = 0; long rate = 0; std::vector<float> channel[2]; };

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

double decibels(double level) { return 20.0 * std::log10(level + 1e-12); }

// The level of both channels together in windows of `window` frames, `hop` apart, in dBFS.
std::vector<double> windowLevels(const Decoded& music, std::size_t window, std::size_t hop) {
  std::vector<double> levels;
  for (std::size_t at = 0; at + window <= music.channel[0].size(); at += hop)
    levels.push_back(decibels(std::hypot(rms(music.channel[0], at, window), rms(music.channel[1], at, window)) / std::sqrt(2.0)));
  return levels;
}

// The part of a channel above 8 kHz: a fourth-order Butterworth high-pass, two biquads.
std::vector<float> above8kHz(std::vector<float> samples) {
  for (const double q : {0.5412, 1.3066}) {
    const double w = 2.0 * M_PI * 8000.0 / 44100.0, alpha = std::sin(w) / (2.0 * q), a0 = 1.0 + alpha, c = std::cos(w);
    const double b0 = (1.0 + c) / 2.0 / a0, b1 = -(1.0 + c) / a0, a1 = -2.0 * c / a0, a2 = (1.0 - alpha) / a0;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    for (float& s : samples) {
      const double y = b0 * s + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
      x2 = x1, x1 = s, y2 = y1, y1 = y;
      s = static_cast<float>(y);
    }
  }
  return samples;
}

TEST(Score, NotesAndTheRoomRingOverTheLoopPoint) {
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

TEST(MusicFile, LongQuietRisingAndFallingDarkAndSeamless) {
  const Decoded music = decode(VESPERINE_ASSET_DIR "/music.ogg");
  EXPECT_EQ(std::make_pair(music.channels, music.rate), std::make_pair(2, 44100L));
  const std::size_t frames = music.channel[0].size();
  ASSERT_GT(frames, 44100u);
  EXPECT_EQ(frames, music::loopFrames);
  const double level = std::hypot(rms(music.channel[0], 0, frames), rms(music.channel[1], 0, frames)) / std::sqrt(2.0);

  std::vector<double> threeSeconds = windowLevels(music, 3 * 44100, 44100);  // a rough short-term loudness
  std::sort(threeSeconds.begin(), threeSeconds.end());
  const double spread = threeSeconds[threeSeconds.size() * 95 / 100] - threeSeconds[threeSeconds.size() / 10];

  const std::size_t window = 2205;  // 50 ms
  double longestQuiet = 0.0, quiet = 0.0;
  for (const double windowLevel : windowLevels(music, window, window)) {
    quiet = windowLevel < -50.0 ? quiet + 0.05 : 0.0;
    longestQuiet = std::max(longestQuiet, quiet);
  }
  double peak = 0.0, loudestHigh = 0.0;
  double worstSeam = 0.0;  // the step across the loop point against the largest step within 10 ms of it
  double worstJump = 0.0;  // the level change from the last 100 ms into the first
  std::vector<double> highEnergy(frames / window, 0.0);
  for (const std::vector<float>& channel : music.channel) {
    for (const float s : channel) peak = std::max(peak, static_cast<double>(std::abs(s)));
    const std::vector<float> high = above8kHz(channel);
    for (std::size_t w = 0; w < highEnergy.size(); ++w) highEnergy[w] += std::pow(rms(high, w * window, window), 2.0) / 2.0;
    double nearby = 0.0;
    for (std::size_t i = 1; i <= 441; ++i)
      nearby = std::max({nearby, static_cast<double>(std::abs(channel[i] - channel[i - 1])), static_cast<double>(std::abs(channel[frames - i] - channel[frames - i - 1]))});
    worstSeam = std::max(worstSeam, std::abs(channel.front() - channel.back()) / nearby);
    worstJump = std::max(worstJump, std::abs(decibels(rms(channel, 0, 4410)) - decibels(rms(channel, frames - 4410, 4410))));
  }
  for (const double energy : highEnergy) loudestHigh = std::max(loudestHigh, std::sqrt(energy));

  const struct { const char* what; double value, low, high; } bounds[] = {
      {"seconds before it repeats", static_cast<double>(frames) / music.rate, 180.0, 600.0},
      {"level, dBFS RMS", decibels(level), -22.0, -18.0},
      {"rise and fall: 95th less 10th percentile of the 3 s levels, dB", spread, 4.0, 14.0},
      {"sample peak, dBFS (a dB below -1 for the peaks between samples)", decibels(peak), -60.0, -2.0},
      {"loudest 50 ms above 8 kHz against the whole track, dB", decibels(loudestHigh / level), -200.0, -40.0},
      {"longest stretch below -50 dBFS, s", longestQuiet, 0.0, 2.0},
      {"step across the loop point against the steps within 10 ms", worstSeam, 0.0, 1.0},
      {"level change across the loop point, dB", worstJump, 0.0, 6.0},
      {"file, MB", std::filesystem::file_size(VESPERINE_ASSET_DIR "/music.ogg") / 1e6, 0.5, 4.0},
  };
  for (const auto& bound : bounds) {
    EXPECT_GE(bound.value, bound.low) << bound.what;
    EXPECT_LE(bound.value, bound.high) << bound.what;
  }
}

// The loudest stretch of `frames` frames of the music, by its level, every second.
std::size_t loudestStretch(const Decoded& music, std::size_t frames) {
  std::size_t best = 0;
  double bestLevel = -1.0;
  for (std::size_t at = 0; at + frames <= music.channel[0].size(); at += 44100) {
    const double level = rms(music.channel[0], at, frames) + rms(music.channel[1], at, frames);
    if (level > bestLevel) bestLevel = level, best = at;
  }
  return best;
}

TEST(EffectFiles, ShortSoftDarkSilentAtTheirEndsAndNeverClippingOverTheMusic) {
  const Decoded music = decode(VESPERINE_ASSET_DIR "/music.ogg");
  ASSERT_GT(music.channel[0].size(), 10u * 44100);
  std::vector<double> threeSeconds = windowLevels(music, 3 * 44100, 44100);
  std::sort(threeSeconds.begin(), threeSeconds.end());
  const double musicLoud = threeSeconds[threeSeconds.size() * 95 / 100];  // the louder moments, dBFS
  const std::size_t loudest = loudestStretch(music, 4 * 44100);
  const struct { const char* entry; double longest; } effects[] = {
      {"card turned 1.ogg", 0.25}, {"card turned 2.ogg", 0.25}, {"pair found.ogg", 1.0}, {"wrong pair.ogg", 0.5}, {"well done.ogg", 3.0}};
  for (const auto& effect : effects) {
    SCOPED_TRACE(effect.entry);
    const Decoded sound = decode((std::string(VESPERINE_ASSET_DIR "/") + effect.entry).c_str());
    ASSERT_EQ(std::make_pair(sound.channels, sound.rate), std::make_pair(2, 44100L));
    const std::size_t frames = sound.channel[0].size();
    ASSERT_GT(frames, 4410u);
    const double level = std::hypot(rms(sound.channel[0], 0, frames), rms(sound.channel[1], 0, frames)) / std::sqrt(2.0);
    double peak = 0.0, edges = 0.0, loudestHigh = 0.0, mixedPeak = 0.0;
    for (const std::vector<float>& channel : sound.channel) {
      for (const float s : channel) peak = std::max(peak, static_cast<double>(std::abs(s)));
      edges = std::max({edges, rms(channel, 0, 44), rms(channel, frames - 44, 44)});  // the first and last millisecond
      const std::vector<float> high = above8kHz(channel);
      for (std::size_t at = 0; at + 2205 <= frames; at += 441) loudestHigh = std::max(loudestHigh, rms(high, at, 2205));
    }
    // Laid over the music's loudest four seconds, every tenth of a second.
    for (std::size_t start = loudest; start + frames <= loudest + 4 * 44100; start += 4410)
      for (int c = 0; c < 2; ++c)
        for (std::size_t i = 0; i < frames; ++i)
          mixedPeak = std::max(mixedPeak, static_cast<double>(std::abs(music.channel[c][start + i] + sound.channel[c][i])));
    const struct { const char* what; double value, low, high; } bounds[] = {
        {"seconds", static_cast<double>(frames) / sound.rate, 0.1, effect.longest},
        {"level against the music's louder moments, dB", decibels(level) - musicLoud, -20.0, 0.0},
        {"sample peak, dBFS", decibels(peak), -20.0, -6.0},
        {"loudest 50 ms above 8 kHz against the sound, dB", decibels(loudestHigh / level), -200.0, -40.0},
        {"first and last millisecond, dBFS", decibels(edges), -300.0, -50.0},
        {"peak over the music's loudest part, dBFS", decibels(mixedPeak), -60.0, -3.0},
    };
    for (const auto& bound : bounds) {
      EXPECT_GE(bound.value, bound.low) << bound.what;
      EXPECT_LE(bound.value, bound.high) << bound.what;
    }
  }
}

}  // namespace
