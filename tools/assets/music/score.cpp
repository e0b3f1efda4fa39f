#include "music/score.h"

#include "music/effects.h"
#include "music/instruments.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace music {

namespace {

constexpr std::size_t framesPerEighth = framesPerBeat / 2;
constexpr double secondsPerEighth = static_cast<double>(framesPerEighth) / sampleRate;

struct Chord {
  std::array<int, 4> voicing;  // pad notes, low to high
  int root;                    // bass note
};

// One chord a bar: two rounds of the A progression, then the B progression.
constexpr std::array<Chord, 8> progressionA{{
    {{53, 57, 60, 64}, 41},  // Fmaj7
    {{55, 59, 62, 64}, 43},  // G6
    {{52, 55, 59, 62}, 40},  // Em7
    {{57, 60, 64, 67}, 45},  // Am7
    {{53, 57, 60, 64}, 38},  // Dm9
    {{53, 55, 60, 62}, 43},  // G7sus4
    {{52, 55, 59, 62}, 36},  // Cmaj9
    {{55, 60, 62, 64}, 36},  // Cadd9
}};
constexpr std::array<Chord, 8> progressionB{{
    {{57, 60, 64, 67}, 45},  // Am7
    {{55, 59, 62, 64}, 40},  // Em7
    {{53, 57, 60, 64}, 41},  // Fmaj7
    {{55, 59, 60, 64}, 40},  // Cmaj7/E
    {{53, 57, 60, 62}, 38},  // Dm7
    {{52, 55, 59, 62}, 40},  // Em7
    {{53, 57, 60, 64}, 41},  // Fmaj7
    {{53, 55, 60, 62}, 43},  // G7sus4
}};

const Chord& chordOfBar(int bar) { return bar < 16 ? progressionA[bar % 8] : progressionB[bar % 8]; }

struct MelodyNote {
  int bar;
  int eighth;  // start within the bar
  int length;  // in eighths
  int midi;
};

constexpr MelodyNote tune[] = {
    // First phrase.
    {0, 0, 3, 76}, {0, 3, 1, 72}, {0, 4, 2, 69}, {0, 6, 2, 72},
    {1, 0, 3, 74}, {1, 3, 1, 71}, {1, 4, 2, 67}, {1, 6, 2, 76},
    {2, 0, 4, 74}, {2, 4, 2, 71}, {2, 6, 2, 74},
    {3, 0, 6, 72}, {3, 6, 2, 76},
    {4, 0, 3, 77}, {4, 3, 1, 76}, {4, 4, 2, 74}, {4, 6, 2, 72},
    {5, 0, 4, 74}, {5, 4, 2, 72}, {5, 6, 2, 74},
    {6, 0, 8, 76},
    {7, 4, 2, 67}, {7, 6, 2, 69},
    // Its answer.
    {8, 0, 3, 72}, {8, 3, 1, 69}, {8, 4, 2, 72}, {8, 6, 2, 77},
    {9, 0, 3, 76}, {9, 3, 1, 74}, {9, 4, 4, 71},
    {10, 0, 2, 76}, {10, 2, 2, 79}, {10, 4, 2, 74}, {10, 6, 2, 71},
    {11, 0, 6, 69}, {11, 6, 2, 67},
    {12, 0, 2, 69}, {12, 2, 2, 72}, {12, 4, 3, 77}, {12, 7, 1, 76},
    {13, 0, 3, 74}, {13, 3, 1, 72}, {13, 4, 4, 74},
    {14, 0, 2, 67}, {14, 2, 2, 71}, {14, 4, 4, 72},
    {15, 0, 6, 76},
    // The middle part, higher and warmer.
    {16, 0, 2, 76}, {16, 2, 4, 81}, {16, 6, 2, 79},
    {17, 0, 3, 79}, {17, 3, 1, 76}, {17, 4, 4, 74},
    {18, 0, 2, 72}, {18, 2, 2, 77}, {18, 4, 4, 81},
    {19, 0, 6, 79}, {19, 6, 2, 76},
    {20, 0, 3, 77}, {20, 3, 1, 76}, {20, 4, 2, 74}, {20, 6, 2, 69},
    {21, 0, 2, 71}, {21, 2, 2, 74}, {21, 4, 4, 79},
    {22, 0, 4, 76}, {22, 4, 2, 72}, {22, 6, 2, 69},
    {23, 0, 4, 74}, {23, 4, 2, 72}, {23, 6, 2, 74},
};

// Small, repeatable timing and loudness variations so the parts breathe.
double humanise(int seed, double amount) {
  const unsigned h = static_cast<unsigned>(seed) * 2654435761u;
  return ((h >> 8) % 1000 / 1000.0 * 2.0 - 1.0) * amount;
}

std::size_t at(int bar, int eighth, double jitterSeconds = 0.0) {
  const long long frame = static_cast<long long>(bar) * beatsPerBar * framesPerBeat +
                          static_cast<long long>(eighth) * framesPerEighth +
                          static_cast<long long>(jitterSeconds * sampleRate);
  const long long total = static_cast<long long>(loopFrames);
  return static_cast<std::size_t>(((frame % total) + total) % total);
}

void writeHarmony(LoopBuffer& dry, LoopBuffer& roomSend) {
  constexpr std::array<int, 8> arpeggio{0, 2, 3, 4, 5, 4, 3, 2};
  for (int bar = 0; bar < barCount; ++bar) {
    const Chord& chord = chordOfBar(bar);
    for (int v = 0; v < 4; ++v) {
      const Note note{at(bar, 0), 8 * secondsPerEighth - 0.2, static_cast<double>(chord.voicing[v]), 0.05,
                      -0.3 + 0.2 * v};
      pad(dry, note);
      pad(roomSend, note);
    }
    const std::array<int, 6> tones{chord.voicing[0] + 12, chord.voicing[1] + 12, chord.voicing[2] + 12,
                                   chord.voicing[3] + 12, chord.voicing[0] + 24, chord.voicing[1] + 24};
    for (int step = 0; step < 8; ++step) {
      const int seed = bar * 8 + step;
      const double accent = (step % 4 == 0) ? 1.0 : 0.72;
      const Note note{at(bar, step, 0.004 + humanise(seed, 0.004)), secondsPerEighth * 1.6,
                      static_cast<double>(tones[arpeggio[step]] - 12), 0.085 * accent * (1.0 + humanise(seed + 7, 0.1)),
                      (step % 2 == 0) ? -0.35 : 0.35};
      electricPiano(dry, note);
      electricPiano(roomSend, note);
    }
    // Bass: root on the bar, fifth on the "and" of two, root again on four.
    const double root = chord.root;
    bass(dry, Note{at(bar, 0), secondsPerEighth * 2.8, root, 0.2, 0.0});
    bass(dry, Note{at(bar, 3), secondsPerEighth * 2.6, root + 7, 0.14, 0.0});
    bass(dry, Note{at(bar, 6), secondsPerEighth * 1.7, root, 0.16, 0.0});
  }
}

void writeMelody(LoopBuffer& dry, LoopBuffer& roomSend, LoopBuffer& echoSend) {
  int index = 0;
  for (const MelodyNote& m : tune) {
    const Note note{at(m.bar, m.eighth, humanise(index, 0.006)), m.length * secondsPerEighth * 0.95,
                    static_cast<double>(m.midi), 0.16 * (1.0 + humanise(index + 31, 0.08)), 0.1};
    mallet(dry, note);
    mallet(roomSend, note);
    mallet(echoSend, note);
    ++index;
  }
}

void writeRhythm(LoopBuffer& dry, LoopBuffer& roomSend) {
  for (int bar = 0; bar < barCount; ++bar) {
    const bool full = bar >= 8;
    for (int step = 0; step < 8; ++step) {
      const int seed = bar * 8 + step;
      const double level = (step % 2 == 1 ? 0.11 : 0.07) * (1.0 + humanise(seed, 0.2));
      shaker(dry, at(bar, step, 0.008 + humanise(seed + 3, 0.005)), level, 0.45, static_cast<unsigned>(seed));
    }
    if (full) {
      for (const int beat : {2, 6}) {
        brush(dry, at(bar, beat), 0.1, static_cast<unsigned>(bar * 2 + beat));
        brush(roomSend, at(bar, beat), 0.1, static_cast<unsigned>(bar * 2 + beat));
      }
      softKick(dry, at(bar, 0), 0.3);
      softKick(dry, at(bar, 5), 0.16);
    }
  }
}

}  // namespace

LoopBuffer composeEveningLoop() {
  LoopBuffer mix(loopFrames);
  LoopBuffer roomSend(loopFrames);
  LoopBuffer echoSend(loopFrames);
  writeHarmony(mix, roomSend);
  writeMelody(mix, roomSend, echoSend);
  writeRhythm(mix, roomSend);
  // The echo falls three eighths behind the tune, and is sent into the room as well.
  addPingPongDelay(echoSend, roomSend, framesPerEighth * 3, 0.35, 0.3);
  addPingPongDelay(echoSend, mix, framesPerEighth * 3, 0.35, 0.22);
  addReverb(roomSend, mix, 0.82, 0.35, 1.0);

  float peak = 0.0f;
  for (std::size_t i = 0; i < mix.frames(); ++i) {
    peak = std::max({peak, std::abs(mix.left[i]), std::abs(mix.right[i])});
  }
  const float gain = peak > 0.0f ? 0.84f / peak : 1.0f;
  for (std::size_t i = 0; i < mix.frames(); ++i) {
    mix.left[i] *= gain;
    mix.right[i] *= gain;
  }
  return mix;
}

}  // namespace music
