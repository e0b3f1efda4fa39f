// The instruments of the evening loop. Each renders one note into a loop buffer starting at a frame;
// `pan` runs from -1 (left) to 1 (right), `level` is the note's peak amplitude.
#pragma once

#include "music/loop_buffer.h"

#include <cstddef>

namespace music {

struct Note {
  std::size_t start = 0;    // frame
  double seconds = 0.0;     // held length; the release rings on after it
  double midi = 60.0;
  double level = 0.1;
  double pan = 0.0;
};

double midiToHertz(double midi);

// FM electric piano: a bell-like attack that mellows as the modulation dies away.
void electricPiano(LoopBuffer& out, const Note& note);
// Vibraphone-like mallet for the melody: a pure tone, a bright fourth partial and a slow tremolo.
void mallet(LoopBuffer& out, const Note& note);
// Warm pad: three detuned band-limited saws through a two-pole low-pass, slow swell and release.
void pad(LoopBuffer& out, const Note& note);
// Round bass: sine with a touch of second harmonic.
void bass(LoopBuffer& out, const Note& note);

// Percussion kept dark so it sits under the pads: a swish of low-passed noise (`seed` varies it per
// hit) and a falling sine.
void brush(LoopBuffer& out, std::size_t start, double level, unsigned seed);
void softKick(LoopBuffer& out, std::size_t start, double level);

}  // namespace music
