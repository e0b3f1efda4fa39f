#include "music/score.h"

#include "music/effects.h"
#include "music/instruments.h"
#include "music/sections.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <thread>
#include <utility>

namespace music {

namespace {

constexpr std::size_t framesPerEighth = framesPerBeat / 2;
constexpr double secondsPerEighth = static_cast<double>(framesPerEighth) / sampleRate;

// Each note is rendered once, into the group that its effects treat alike.
struct Band {
  LoopBuffer tune{loopFrames};    // the vibraphone: dry, into the room and into the echo
  LoopBuffer roomed{loopFrames};  // piano, brushes, and the pads once they are done: dry and into the room
  LoopBuffer plain{loopFrames};   // bass and kick: dry only, so the low end stays tight
  LoopBuffer pads{loopFrames};    // rendered on their own thread
};

// Small, repeatable timing and loudness variations so the parts breathe.
double humanise(int seed, double amount) {
  const unsigned h = static_cast<unsigned>(seed) * 2654435761u;
  return ((h >> 8) % 1000 / 1000.0 * 2.0 - 1.0) * amount;
}

std::size_t at(int bar, int eighth, double jitterSeconds = 0.0) {
  const long long frame = static_cast<long long>(bar) * framesPerBar + static_cast<long long>(eighth) * framesPerEighth +
                          static_cast<long long>(jitterSeconds * sampleRate);
  const long long total = static_cast<long long>(loopFrames);
  return static_cast<std::size_t>(((frame % total) + total) % total);
}

// One bar of one section, with the chord after it for the bass's lead-in.
struct BarContext {
  const Section& section;
  int bar;           // from the start of the piece
  int barInSection;
  const Chord& chord;
  const Chord& next;
};

void playPad(Band& band, const BarContext& c) {
  // The pads soften less than the band, so the quiet sections still glow.
  const double level = 0.05 * (0.5 + 0.5 * c.section.level);
  for (int v = 0; v < 4; ++v) {
    pad(band.pads, Note{at(c.bar, 0), 8 * secondsPerEighth - 0.2, static_cast<double>(c.chord.voicing[v]), level,
                          -0.3 + 0.2 * v});
  }
}

void pianoNote(Band& band, const BarContext& c, int eighth, int midi, double eighths, double level, double pan) {
  const int seed = c.bar * 8 + eighth + midi;
  electricPiano(band.roomed, Note{at(c.bar, eighth, 0.004 + humanise(seed, 0.004)), eighths * secondsPerEighth,
                                  static_cast<double>(midi), level * c.section.level * (1.0 + humanise(seed + 7, 0.1)),
                                  pan});
}

void playPiano(Band& band, const BarContext& c) {
  const std::array<int, 4>& v = c.chord.voicing;
  switch (c.section.piano) {
    case Piano::Dyads:
      for (const int eighth : {0, 4}) {
        const int offset = eighth == 0 ? 1 : 0;
        pianoNote(band, c, eighth, v[offset] + 12, 3.6, 0.06, -0.3);
        pianoNote(band, c, eighth, v[offset + 2] + 12, 3.6, 0.06, 0.3);
      }
      break;
    case Piano::Arpeggio: {
      constexpr std::array<int, 8> order{0, 2, 3, 4, 5, 4, 3, 2};
      const std::array<int, 6> tones{v[0], v[1], v[2], v[3], v[0] + 12, v[1] + 12};
      for (int step = 0; step < 8; ++step) {
        pianoNote(band, c, step, tones[order[step]], 1.6, step % 4 == 0 ? 0.085 : 0.061, step % 2 == 0 ? -0.35 : 0.35);
      }
      break;
    }
    case Piano::Broken:  // dotted quarters low, two answers above
      pianoNote(band, c, 0, v[0], 2.6, 0.085, -0.3);
      pianoNote(band, c, 3, v[2], 2.6, 0.075, 0.1);
      pianoNote(band, c, 4, v[3] + 12, 1.6, 0.045, 0.4);
      pianoNote(band, c, 6, v[1] + 12, 1.6, 0.05, -0.4);
      break;
    case Piano::Bells:  // one distant note a bar, a second every other bar
      pianoNote(band, c, 0, v[3] + 12, 6.0, 0.07, 0.4);
      if (c.bar % 2 == 1) pianoNote(band, c, 5, v[2] + 12, 3.0, 0.05, -0.4);
      break;
  }
}

void playBass(Band& band, const BarContext& c) {
  const int root = c.chord.root;
  const auto note = [&](int eighth, int midi, double eighths, double level) {
    bass(band.plain, Note{at(c.bar, eighth), eighths * secondsPerEighth, static_cast<double>(midi), level * c.section.level, 0.0});
  };
  switch (c.section.bass) {
    case Bass::Held:
      note(0, root, 7.6, 0.15);
      break;
    case Bass::Pattern:  // root on the bar, fifth on the "and" of two, root again on four
      note(0, root, 2.8, 0.17);
      note(3, root + 7, 2.6, 0.12);
      note(6, root, 1.7, 0.14);
      break;
    case Bass::Walking:  // root, fifth, octave, then the next chord's fifth falling into its root
      note(0, root, 1.8, 0.16);
      note(2, root + 7, 1.8, 0.12);
      note(4, root + 12, 1.8, 0.1);
      note(6, c.next.root + 7, 1.8, 0.12);
      break;
  }
}

void playDrums(Band& band, const BarContext& c) {
  const double level = c.section.level;
  const auto brushOn = [&](int eighth) {
    brush(band.roomed, at(c.bar, eighth, 0.006 + humanise(c.bar * 8 + eighth, 0.004)), 0.07 * level,
          static_cast<unsigned>(c.bar * 8 + eighth));
  };
  switch (c.section.drums) {
    case Drums::None:
      break;
    case Drums::HalfTime:
      softKick(band.plain, at(c.bar, 0), 0.16 * level);
      brushOn(4);
      break;
    case Drums::Backbeat:
      softKick(band.plain, at(c.bar, 0), 0.17 * level);
      softKick(band.plain, at(c.bar, 5), 0.1 * level);
      brushOn(2);
      brushOn(6);
      break;
  }
}

void playTune(Band& band, const Section& section, int firstBar) {
  const int answerBar = firstBar + static_cast<int>(section.chords.size()) / 2;
  int index = firstBar * 16;
  for (const auto& [part, partBar] : {std::pair{section.tune, firstBar}, std::pair{section.answer, answerBar}}) {
    for (const MelodyNote& m : part) {
      const std::size_t start = at(partBar + m.bar, m.eighth, humanise(index, 0.006));
      const double seconds = m.length * secondsPerEighth * 0.95;
      const double level = 0.16 * section.level * (1.0 + humanise(index + 31, 0.08));
      mallet(band.tune, Note{start, seconds, static_cast<double>(m.midi), level, 0.1});
      if (section.pianoDoublesTune) {
        electricPiano(band.roomed, Note{start, seconds, static_cast<double>(m.midi - 12), level * 0.4, -0.2});
      }
      ++index;
    }
  }
}

// Scales the mix to the loudness of a quiet evening (its RMS level, which puts it near -18 LUFS),
// unless that would bring a peak above -2 dBFS.
void setLoudness(LoopBuffer& mix) {
  constexpr double targetRms = 0.1;  // -20 dBFS
  constexpr double highestPeak = 0.79;
  double sum = 0.0;
  float peak = 0.0f;
  for (std::size_t i = 0; i < mix.frames(); ++i) {
    sum += mix.left[i] * mix.left[i] + mix.right[i] * mix.right[i];
    peak = std::max({peak, std::abs(mix.left[i]), std::abs(mix.right[i])});
  }
  const double rms = std::sqrt(sum / (2.0 * mix.frames()));
  if (rms <= 0.0) return;
  const float gain = static_cast<float>(std::min(targetRms / rms, highestPeak / peak));
  for (std::size_t i = 0; i < mix.frames(); ++i) {
    mix.left[i] *= gain;
    mix.right[i] *= gain;
  }
}

// Calls `play` for every bar of every section, with the chord after it.
template <typename Play>
void forEveryBar(Play play) {
  const std::span<const Section> sections = eveningSections();
  int firstBar = 0;
  for (std::size_t s = 0; s < sections.size(); ++s) {
    const Section& section = sections[s];
    const Section& following = sections[(s + 1) % sections.size()];
    for (std::size_t b = 0; b < section.chords.size(); ++b) {
      const Chord& next = b + 1 < section.chords.size() ? section.chords[b + 1] : following.chords.front();
      play(BarContext{section, firstBar + static_cast<int>(b), static_cast<int>(b), section.chords[b], next});
    }
    firstBar += static_cast<int>(section.chords.size());
  }
  if (firstBar != barCount) throw std::logic_error("the sections do not fill the loop");
}

// The pads, the most costly part, on a second thread while this one plays the rest.
void playSections(Band& band) {
  std::thread pads([&band] { forEveryBar([&band](const BarContext& c) { playPad(band, c); }); });
  try {
    forEveryBar([&band](const BarContext& c) {
      playPiano(band, c);
      playBass(band, c);
      playDrums(band, c);
      if (c.barInSection == 0) playTune(band, c.section, c.bar);
    });
  } catch (...) {
    pads.join();
    throw;
  }
  pads.join();
  for (std::size_t i = 0; i < loopFrames; ++i) {
    band.roomed.left[i] += band.pads.left[i];
    band.roomed.right[i] += band.pads.right[i];
  }
}

}  // namespace

LoopBuffer composeEveningLoop() {
  Band band;
  playSections(band);

  LoopBuffer mix(loopFrames);
  for (std::size_t i = 0; i < loopFrames; ++i) {
    mix.left[i] = band.plain.left[i] + band.tune.left[i] + band.roomed.left[i];
    mix.right[i] = band.plain.right[i] + band.tune.right[i] + band.roomed.right[i];
  }
  // The echo falls three eighths behind the tune, and is sent into the room as well.
  addPingPongDelay(band.tune, mix, framesPerEighth * 3, 0.35, 0.22);
  LoopBuffer& roomSend = band.roomed;
  for (std::size_t i = 0; i < loopFrames; ++i) {
    roomSend.left[i] += band.tune.left[i];
    roomSend.right[i] += band.tune.right[i];
  }
  addPingPongDelay(band.tune, roomSend, framesPerEighth * 3, 0.35, 0.3);
  addReverb(roomSend, mix, 0.82, 0.35, 1.0);
  setLoudness(mix);
  return mix;
}

}  // namespace music
