// "Evening over the marsh": the game's music, 72 bars at 72 beats a minute (four minutes) before it
// repeats. An opening in C major with a lydian F, the theme, a second theme in A minor, a sparse
// bridge in F major, the theme again at its fullest and a short coda whose suspended G falls back
// into the opening's F major seventh. Electric piano and a pad carry the harmony, a vibraphone sings
// the tune, bass and a soft kick and brushes below the pads keep time. The sections are written out
// in sections.cpp.
#pragma once

#include "music/loop_buffer.h"

namespace music {

inline constexpr int beatsPerBar = 4;
inline constexpr int barCount = 72;  // the sections' bars together
inline constexpr std::size_t framesPerBeat = 36'750;  // 72 beats a minute
inline constexpr std::size_t framesPerBar = framesPerBeat * beatsPerBar;
inline constexpr std::size_t loopFrames = framesPerBar * barCount;

// The finished mix at the loudness of a quiet evening: about -18 LUFS, peaks well under full scale.
LoopBuffer composeEveningLoop();

}  // namespace music
