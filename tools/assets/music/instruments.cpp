#include "music/instruments.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace music {

namespace {

constexpr double twoPi = 2.0 * M_PI;

// Equal-power panning gains.
void panGains(double pan, double& left, double& right) {
  const double angle = (pan + 1.0) * M_PI / 4.0;
  left = std::cos(angle);
  right = std::sin(angle);
}

// Attack, then held, then an exponential-free linear release of `release` seconds after `hold`.
double releaseGain(double t, double hold, double release) {
  if (t <= hold) return 1.0;
  const double r = 1.0 - (t - hold) / release;
  return r > 0.0 ? r * r : 0.0;
}

double attackGain(double t, double attack) { return t >= attack ? 1.0 : std::sin(t / attack * M_PI / 2.0); }

std::size_t frameCount(double seconds) { return static_cast<std::size_t>(seconds * sampleRate); }

// One cycle of a soft sawtooth made of its first 24 harmonics with a gentle roll-off.
const std::array<float, 4096>& sawTable() {
  static const std::array<float, 4096> table = [] {
    std::array<float, 4096> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
      const double phase = twoPi * i / values.size();
      double sum = 0.0;
      for (int h = 1; h <= 24; ++h) sum += std::sin(h * phase) / h * std::exp(-h * 0.08);
      values[i] = static_cast<float>(sum * 0.6);
    }
    return values;
  }();
  return table;
}

double sawAt(double phase) {
  const auto& table = sawTable();
  const double position = (phase - std::floor(phase)) * table.size();
  const std::size_t index = static_cast<std::size_t>(position);
  const double fraction = position - index;
  return table[index % table.size()] * (1.0 - fraction) + table[(index + 1) % table.size()] * fraction;
}

class Noise {
 public:
  explicit Noise(unsigned seed) : state_(seed * 2654435761u + 12345u) {}
  double next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
  }

 private:
  std::uint32_t state_;
};

}  // namespace

double midiToHertz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

void electricPiano(LoopBuffer& out, const Note& note) {
  const double f = midiToHertz(note.midi);
  const double release = 0.35;
  const double decay = 1.6 * std::pow(0.5, (note.midi - 60.0) / 24.0);
  double gl = 0.0;
  double gr = 0.0;
  panGains(note.pan, gl, gr);
  const std::size_t frames = frameCount(note.seconds + release);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double index = 1.6 * std::exp(-t / 0.35) + 0.25;
    const double tine = 0.5 * std::exp(-t / 0.02) * std::sin(twoPi * f * 14.0 * t);
    const double modulator = std::sin(twoPi * f * t + tine);
    const double body = std::sin(twoPi * f * t + index * modulator);
    const double envelope = attackGain(t, 0.004) * std::exp(-t / decay) * releaseGain(t, note.seconds, release);
    const double v = note.level * envelope * body;
    out.add(note.start + i, v * gl, v * gr);
  }
}

void mallet(LoopBuffer& out, const Note& note) {
  const double f = midiToHertz(note.midi);
  const double release = 0.6;
  double gl = 0.0;
  double gr = 0.0;
  panGains(note.pan, gl, gr);
  const std::size_t frames = frameCount(note.seconds + release);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double tremolo = 1.0 - 0.12 * (1.0 - std::cos(twoPi * 5.2 * t)) * std::min(1.0, t / 0.3);
    const double tone = std::sin(twoPi * f * t) * std::exp(-t / 2.2) +
                        0.22 * std::sin(twoPi * f * 4.0 * t) * std::exp(-t / 0.35) +
                        0.05 * std::sin(twoPi * f * 9.9 * t) * std::exp(-t / 0.08) +
                        0.15 * std::sin(twoPi * f * 2.0 * t) * std::exp(-t / 0.9);
    const double envelope = attackGain(t, 0.003) * releaseGain(t, note.seconds, release) * tremolo;
    const double v = note.level * envelope * tone;
    out.add(note.start + i, v * gl, v * gr);
  }
}

void pad(LoopBuffer& out, const Note& note) {
  const double f = midiToHertz(note.midi);
  const double attack = 0.9;
  const double release = 1.6;
  const double detune[3] = {-0.07, 0.0, 0.07};  // in semitones
  const double pans[3] = {-0.7, note.pan, 0.7};
  double gains[3][2] = {};
  double frequencies[3] = {};
  for (int k = 0; k < 3; ++k) {
    panGains(pans[k], gains[k][0], gains[k][1]);
    frequencies[k] = f * std::pow(2.0, detune[k] / 12.0);
  }
  // Two one-pole low-passes per side: cutoff opens a little with the swell.
  double stateL1 = 0.0;
  double stateL2 = 0.0;
  double stateR1 = 0.0;
  double stateR2 = 0.0;
  const std::size_t frames = frameCount(note.seconds + release);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    double l = 0.0;
    double r = 0.0;
    for (int k = 0; k < 3; ++k) {
      const double drift = 0.0015 / (twoPi * (0.3 + 0.1 * k)) * (1.0 - std::cos(twoPi * (0.3 + 0.1 * k) * t));
      const double s = sawAt(frequencies[k] * (t + drift) + 0.31 * k);
      l += s * gains[k][0];
      r += s * gains[k][1];
    }
    const double envelope = std::min(1.0, t / attack) * releaseGain(t, note.seconds, release);
    const double cutoff = 700.0 + 900.0 * std::min(1.0, t / 2.0);
    const double a = 1.0 - std::exp(-twoPi * cutoff / sampleRate);
    stateL1 += a * (l - stateL1);
    stateL2 += a * (stateL1 - stateL2);
    stateR1 += a * (r - stateR1);
    stateR2 += a * (stateR1 - stateR2);
    out.add(note.start + i, note.level * envelope * stateL2, note.level * envelope * stateR2);
  }
}

void bass(LoopBuffer& out, const Note& note) {
  const double f = midiToHertz(note.midi);
  const double release = 0.12;
  const std::size_t frames = frameCount(note.seconds + release);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double tone = std::sin(twoPi * f * t) + 0.25 * std::sin(twoPi * 2.0 * f * t) * std::exp(-t / 0.3);
    const double envelope = attackGain(t, 0.012) * (0.65 + 0.35 * std::exp(-t / 0.4)) * releaseGain(t, note.seconds, release);
    const double v = note.level * envelope * std::tanh(1.2 * tone) / std::tanh(1.2);
    out.add(note.start + i, v, v);
  }
}

void shaker(LoopBuffer& out, std::size_t start, double level, double pan, unsigned seed) {
  Noise noise(seed);
  double gl = 0.0;
  double gr = 0.0;
  panGains(pan, gl, gr);
  double low = 0.0;
  double band = 0.0;
  const std::size_t frames = frameCount(0.12);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double n = noise.next();
    low += 0.55 * (n - low);        // high-pass: the noise minus its low part
    band += 0.6 * ((n - low) - band);
    const double envelope = std::min(1.0, t / 0.012) * std::exp(-t / 0.035);
    const double v = level * envelope * band;
    out.add(start + i, v * gl, v * gr);
  }
}

void brush(LoopBuffer& out, std::size_t start, double level, unsigned seed) {
  Noise noise(seed);
  double low = 0.0;
  double smooth = 0.0;
  const std::size_t frames = frameCount(0.4);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double n = noise.next();
    low += 0.08 * (n - low);
    smooth += 0.35 * ((n - low) - smooth);
    const double envelope = std::min(1.0, t / 0.006) * std::exp(-t / 0.11);
    const double v = level * envelope * smooth;
    out.add(start + i, v * 0.9, v);
  }
}

void softKick(LoopBuffer& out, std::size_t start, double level) {
  double phase = 0.0;
  const std::size_t frames = frameCount(0.45);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double f = 48.0 + 62.0 * std::exp(-t / 0.035);
    phase += twoPi * f / sampleRate;
    const double envelope = std::min(1.0, t / 0.003) * std::exp(-t / 0.16);
    const double v = level * envelope * std::sin(phase);
    out.add(start + i, v, v);
  }
}

}  // namespace music
