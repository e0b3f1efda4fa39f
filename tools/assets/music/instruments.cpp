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

// The share of a partial at `hertz` that is kept: high notes' bright partials are softened so
// nothing glitters above 8 kHz.
double brightness(double hertz) {
  const double ratio = hertz / 4500.0;
  return 1.0 / (1.0 + ratio * ratio * ratio * ratio);
}

std::size_t frameCount(double seconds) { return static_cast<std::size_t>(seconds * sampleRate); }

// A sine and cosine of `hertz` from time 0, turned on by one frame at a time by a rotation: far
// cheaper than calling sin for every frame of every partial.
class Phasor {
 public:
  explicit Phasor(double hertz) : turnSin_(std::sin(twoPi * hertz / sampleRate)), turnCos_(std::cos(twoPi * hertz / sampleRate)) {}
  double sine() const { return sine_; }
  double cosine() const { return cosine_; }
  void advance() {
    const double sine = sine_ * turnCos_ + cosine_ * turnSin_;
    cosine_ = cosine_ * turnCos_ - sine_ * turnSin_;
    sine_ = sine;
  }

 private:
  double turnSin_;
  double turnCos_;
  double sine_ = 0.0;
  double cosine_ = 1.0;
};

// exp(-t / seconds) from time 0, one frame at a time.
class Fade {
 public:
  explicit Fade(double seconds) : factor_(std::exp(-1.0 / (seconds * sampleRate))) {}
  double value() const { return value_; }
  void advance() { value_ *= factor_; }

 private:
  double factor_;
  double value_ = 1.0;
};

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
  const double tineDepth = 0.5 * brightness(f * 14.0);
  // A one-pole low-pass at 5 kHz rounds off the top of the attack's partials.
  const double smoothing = 1.0 - std::exp(-twoPi * 5000.0 / sampleRate);
  double smoothed = 0.0;
  double gl = 0.0;
  double gr = 0.0;
  panGains(note.pan, gl, gr);
  Phasor tinePhasor(f * 14.0);
  Fade tineFade(0.02);
  Fade indexFade(0.35);
  Fade body(decay);
  const std::size_t frames = frameCount(note.seconds + release);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double tine = tineDepth * tineFade.value() * tinePhasor.sine();
    const double modulator = std::sin(twoPi * f * t + tine);
    smoothed += smoothing * (std::sin(twoPi * f * t + (1.6 * indexFade.value() + 0.25) * modulator) - smoothed);
    const double envelope = attackGain(t, 0.004) * body.value() * releaseGain(t, note.seconds, release);
    const double v = note.level * envelope * smoothed;
    out.add(note.start + i, v * gl, v * gr);
    tinePhasor.advance();
    tineFade.advance();
    indexFade.advance();
    body.advance();
  }
}

void mallet(LoopBuffer& out, const Note& note) {
  const double f = midiToHertz(note.midi);
  const double release = 0.6;
  const double fourth = 0.22 * brightness(f * 4.0);
  const double shimmer = 0.05 * brightness(f * 9.9);
  double gl = 0.0;
  double gr = 0.0;
  panGains(note.pan, gl, gr);
  // The partials: ratio to the fundamental, level, decay time.
  const std::array<std::array<double, 3>, 4> shape{{{1.0, 1.0, 2.2}, {4.0, fourth, 0.35}, {9.9, shimmer, 0.08}, {2.0, 0.15, 0.9}}};
  std::array<Phasor, 4> partials{Phasor(f), Phasor(f * 4.0), Phasor(f * 9.9), Phasor(f * 2.0)};
  std::array<Fade, 4> fades{Fade(shape[0][2]), Fade(shape[1][2]), Fade(shape[2][2]), Fade(shape[3][2])};
  Phasor tremoloPhasor(5.2);
  const std::size_t frames = frameCount(note.seconds + release);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double tremolo = 1.0 - 0.12 * (1.0 - tremoloPhasor.cosine()) * std::min(1.0, t / 0.3);
    tremoloPhasor.advance();
    double tone = 0.0;
    for (std::size_t k = 0; k < partials.size(); ++k) {
      tone += shape[k][1] * partials[k].sine() * fades[k].value();
      partials[k].advance();
      fades[k].advance();
    }
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
  double steps[3] = {};  // cycles a frame
  double phases[3] = {};
  // Each saw drifts in pitch by up to 0.15 % at its own slow rate.
  std::array<Phasor, 3> drifts{Phasor(0.3), Phasor(0.4), Phasor(0.5)};
  for (int k = 0; k < 3; ++k) {
    panGains(pans[k], gains[k][0], gains[k][1]);
    steps[k] = f * std::pow(2.0, detune[k] / 12.0) / sampleRate;
    phases[k] = 0.31 * k;
  }
  // Two one-pole low-passes per side: cutoff opens a little with the swell over the first two seconds.
  double stateL1 = 0.0;
  double stateL2 = 0.0;
  double stateR1 = 0.0;
  double stateR2 = 0.0;
  double a = 0.0;
  const std::size_t frames = frameCount(note.seconds + release);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    double l = 0.0;
    double r = 0.0;
    for (int k = 0; k < 3; ++k) {
      const double s = sawAt(phases[k]);
      l += s * gains[k][0];
      r += s * gains[k][1];
      phases[k] += steps[k] * (1.0 + 0.0015 * drifts[k].sine());
      drifts[k].advance();
    }
    if (i % 32 == 0 && t <= 2.1) a = 1.0 - std::exp(-twoPi * (700.0 + 900.0 * std::min(1.0, t / 2.0)) / sampleRate);
    const double envelope = std::min(1.0, t / attack) * releaseGain(t, note.seconds, release);
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
  Phasor fundamental(f);
  Phasor octave(2.0 * f);
  Fade octaveFade(0.3);
  Fade thump(0.4);
  const std::size_t frames = frameCount(note.seconds + release);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double tone = fundamental.sine() + 0.25 * octave.sine() * octaveFade.value();
    const double envelope = attackGain(t, 0.012) * (0.65 + 0.35 * thump.value()) * releaseGain(t, note.seconds, release);
    const double v = note.level * envelope * std::tanh(1.2 * tone) / std::tanh(1.2);
    out.add(note.start + i, v, v);
    fundamental.advance();
    octave.advance();
    octaveFade.advance();
    thump.advance();
  }
}

void brush(LoopBuffer& out, std::size_t start, double level, unsigned seed) {
  Noise noise(seed);
  double low = 0.0;
  double smooth = 0.0;
  double smoother = 0.0;
  const std::size_t frames = frameCount(0.4);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double n = noise.next();
    low += 0.06 * (n - low);  // the noise above about 400 Hz, rolled off twice from about 1 kHz
    smooth += 0.14 * ((n - low) - smooth);
    smoother += 0.14 * (smooth - smoother);
    const double envelope = std::min(1.0, t / 0.015) * std::exp(-t / 0.12);
    const double v = level * envelope * smoother;
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
