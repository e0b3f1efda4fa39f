#include "music/sections.h"

namespace music {

namespace {

// Chords by name, voiced for the pad.
constexpr Chord Fmaj7{{53, 57, 60, 64}, 41};
constexpr Chord Fmaj7sharp11{{53, 57, 59, 64}, 41};
constexpr Chord Fmaj9{{57, 60, 64, 67}, 41};
constexpr Chord G6{{55, 59, 62, 64}, 43};
constexpr Chord G7sus4{{53, 55, 60, 62}, 43};
constexpr Chord G9sus4{{53, 57, 60, 62}, 43};
constexpr Chord Em7{{52, 55, 59, 62}, 40};
constexpr Chord Esus4{{52, 57, 59, 62}, 40};
constexpr Chord E7{{52, 56, 59, 62}, 40};
constexpr Chord Am7{{57, 60, 64, 67}, 45};
constexpr Chord Am7low{{55, 57, 60, 64}, 45};
constexpr Chord Am9{{55, 59, 60, 64}, 45};
constexpr Chord Dm9{{53, 57, 60, 64}, 38};
constexpr Chord Dm7{{53, 57, 60, 62}, 38};
constexpr Chord D9{{54, 57, 60, 64}, 38};
constexpr Chord Cmaj9{{52, 55, 59, 62}, 36};
constexpr Chord Cadd9{{55, 60, 62, 64}, 36};
constexpr Chord Cmaj7overE{{55, 59, 60, 64}, 40};
constexpr Chord C9sus4{{53, 55, 58, 62}, 36};
constexpr Chord C7sus4{{53, 55, 58, 60}, 36};
constexpr Chord Bm7flat5{{53, 57, 59, 62}, 47};
constexpr Chord Bbmaj7{{53, 57, 58, 62}, 46};
constexpr Chord Gm9{{53, 57, 58, 62}, 43};

// Opening: dusk falls. C major with a lydian F; pads, soft piano dyads, a few long vibraphone notes.
constexpr Chord openingChords[] = {Fmaj7, Em7, Dm9, G7sus4, Fmaj7sharp11, Am9, Dm9, G7sus4};
constexpr MelodyNote openingTune[] = {
    {0, 4, 4, 72}, {1, 0, 6, 71}, {2, 2, 6, 69}, {3, 0, 8, 67},
    {4, 4, 4, 76}, {5, 0, 6, 74}, {6, 2, 4, 72}, {6, 6, 2, 74}, {7, 0, 8, 74},
};

// Theme: C major leaning on its minor chords; the tune and its answer over arpeggios.
constexpr Chord themeChords[] = {Fmaj7, G6, Em7, Am7, Dm9, G7sus4, Cmaj9, Cadd9,
                                 Fmaj7, G6, Em7, Am7, Dm9, G7sus4, Cmaj9, Cadd9};
constexpr MelodyNote themePhrase[] = {
    {0, 0, 3, 76}, {0, 3, 1, 72}, {0, 4, 2, 69}, {0, 6, 2, 72},
    {1, 0, 3, 74}, {1, 3, 1, 71}, {1, 4, 2, 67}, {1, 6, 2, 76},
    {2, 0, 4, 74}, {2, 4, 2, 71}, {2, 6, 2, 74},
    {3, 0, 6, 72}, {3, 6, 2, 76},
    {4, 0, 3, 77}, {4, 3, 1, 76}, {4, 4, 2, 74}, {4, 6, 2, 72},
    {5, 0, 4, 74}, {5, 4, 2, 72}, {5, 6, 2, 74},
    {6, 0, 8, 76},
    {7, 4, 2, 67}, {7, 6, 2, 69},
};
// Its answer, from the ninth bar.
constexpr MelodyNote themeAnswer[] = {
    {0, 0, 3, 72}, {0, 3, 1, 69}, {0, 4, 2, 72}, {0, 6, 2, 77},
    {1, 0, 3, 76}, {1, 3, 1, 74}, {1, 4, 4, 71},
    {2, 0, 2, 76}, {2, 2, 2, 79}, {2, 4, 2, 74}, {2, 6, 2, 71},
    {3, 0, 6, 69}, {3, 6, 2, 67},
    {4, 0, 2, 69}, {4, 2, 2, 72}, {4, 4, 3, 77}, {4, 7, 1, 76},
    {5, 0, 3, 74}, {5, 3, 1, 72}, {5, 4, 4, 74},
    {6, 0, 2, 67}, {6, 2, 2, 71}, {6, 4, 4, 72},
    {7, 0, 6, 76},
};

// Second theme: A minor with a dorian D9 and a harmonic-minor E7; lower, longer notes in dotted
// quarters over broken chords and a walking bass; it turns to C9sus4 to open the door to F.
constexpr Chord secondChords[] = {Am9, D9, G6, Cmaj9, Fmaj7, Bm7flat5, Esus4, E7,
                                  Am9, D9, G6, Cmaj9, Fmaj7, Dm9, Esus4, C9sus4};
constexpr MelodyNote secondTune[] = {
    {0, 0, 3, 69},  {0, 3, 3, 71},  {0, 6, 2, 72},
    {1, 0, 6, 74},  {1, 6, 2, 72},
    {2, 0, 3, 71},  {2, 3, 3, 67},  {2, 6, 2, 69},
    {3, 0, 8, 67},
    {4, 0, 3, 69},  {4, 3, 3, 72},  {4, 6, 2, 76},
    {5, 0, 6, 74},  {5, 6, 2, 72},
    {6, 0, 3, 71},  {6, 3, 3, 69},  {6, 6, 2, 71},
    {7, 0, 6, 68},  {7, 6, 2, 71},
    {8, 0, 3, 72},  {8, 3, 3, 76},  {8, 6, 2, 79},
    {9, 0, 6, 78},  {9, 6, 2, 76},
    {10, 0, 3, 74}, {10, 3, 3, 71}, {10, 6, 2, 67},
    {11, 0, 4, 71}, {11, 4, 4, 72},
    {12, 0, 3, 69}, {12, 3, 3, 72}, {12, 6, 2, 77},
    {13, 0, 6, 76}, {13, 6, 2, 74},
    {14, 0, 8, 71},
    {15, 0, 4, 70}, {15, 4, 4, 72},
};

// Bridge: F major, sparse. Pads, a distant piano bell now and then, a held bass, a handful of notes.
constexpr Chord bridgeChords[] = {Fmaj9, Bbmaj7, Gm9,   C9sus4, Fmaj9,  Dm9,
                                  Bbmaj7, C7sus4, Am7low, Dm9,  Bbmaj7, G9sus4};
constexpr MelodyNote bridgeTune[] = {
    {0, 4, 4, 72}, {1, 0, 8, 74}, {2, 4, 4, 77}, {3, 0, 6, 74},
    {5, 0, 4, 76}, {5, 4, 4, 77}, {6, 0, 8, 74}, {7, 0, 8, 72},
    {9, 0, 4, 69}, {9, 4, 4, 72}, {10, 0, 8, 74}, {11, 0, 4, 74}, {11, 4, 4, 67},
};

// The theme again, fullest: its tune over its chords, then a higher, warmer answer over new ones;
// the piano doubles the tune and the brushes come in on two and four.
constexpr Chord repriseChords[] = {Fmaj7, G6,  Em7,        Am7, Dm9,  G7sus4, Cmaj9, Cadd9,
                                   Am7,   Em7, Fmaj7, Cmaj7overE, Dm7, Em7,   Fmaj7, G7sus4};
constexpr MelodyNote warmAnswer[] = {
    {0, 0, 2, 76}, {0, 2, 4, 81}, {0, 6, 2, 79},
    {1, 0, 3, 79}, {1, 3, 1, 76}, {1, 4, 4, 74},
    {2, 0, 2, 72}, {2, 2, 2, 77}, {2, 4, 4, 81},
    {3, 0, 6, 79}, {3, 6, 2, 76},
    {4, 0, 3, 77}, {4, 3, 1, 76}, {4, 4, 2, 74}, {4, 6, 2, 69},
    {5, 0, 2, 71}, {5, 2, 2, 74}, {5, 4, 4, 79},
    {6, 0, 4, 76}, {6, 4, 2, 72}, {6, 6, 2, 69},
    {7, 0, 4, 74}, {7, 4, 2, 72}, {7, 6, 2, 74},
};

// Coda: the band thins out to pads and dyads and ends on a suspended G that falls back into the
// opening's F major seventh.
constexpr Chord codaChords[] = {Fmaj7, Dm9, G7sus4, G7sus4};
constexpr MelodyNote codaTune[] = {{0, 0, 4, 76}, {0, 4, 4, 72}, {1, 0, 8, 74}, {2, 0, 8, 67}};

constexpr Section sections[] = {
    {"opening", openingChords, openingTune, {}, Piano::Dyads, Bass::Held, Drums::None, 0.55, false},
    {"theme", themeChords, themePhrase, themeAnswer, Piano::Arpeggio, Bass::Pattern, Drums::HalfTime, 0.8, false},
    {"second theme", secondChords, secondTune, {}, Piano::Broken, Bass::Walking, Drums::Backbeat, 0.75, false},
    {"bridge", bridgeChords, bridgeTune, {}, Piano::Bells, Bass::Held, Drums::None, 0.5, false},
    {"theme again", repriseChords, themePhrase, warmAnswer, Piano::Arpeggio, Bass::Pattern, Drums::Backbeat, 1.0, true},
    {"coda", codaChords, codaTune, {}, Piano::Dyads, Bass::Held, Drums::None, 0.5, false},
};

}  // namespace

std::span<const Section> eveningSections() { return sections; }

}  // namespace music
