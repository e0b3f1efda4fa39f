// The written-out score of the evening music, section by section: each section's chords (one a bar),
// its tune, how the band plays under it and how loud. The arrangement (score.cpp) turns it into notes.
#pragma once

#include <array>
#include <span>

namespace music {

struct Chord {
  std::array<int, 4> voicing;  // pad notes, low to high (MIDI)
  int root;                    // bass note
};

struct MelodyNote {
  int bar;     // from the start of its section
  int eighth;  // start within the bar
  int length;  // in eighths
  int midi;
};

// How the electric piano plays each chord.
enum class Piano { Dyads, Arpeggio, Broken, Bells };
// How the bass plays each chord.
enum class Bass { Held, Pattern, Walking };
// What keeps time, always low and dark: nothing, a kick and one brush a bar, or kick and brushes on two and four.
enum class Drums { None, HalfTime, Backbeat };

struct Section {
  const char* name;
  std::span<const Chord> chords;  // one a bar; the section is as long as its chords
  std::span<const MelodyNote> tune;
  std::span<const MelodyNote> answer;  // the tune's second half, its bars counted from the section's middle
  Piano piano;
  Bass bass;
  Drums drums;
  double level;           // the whole band's loudness in this section, 1 at the fullest
  bool pianoDoublesTune;  // the piano sings the tune an octave below the vibraphone
};

// The sections in playing order; the last falls back into the first.
std::span<const Section> eveningSections();

}  // namespace music
