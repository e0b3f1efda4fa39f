// "Evening over the marsh": the game's music, 24 bars at 90 beats a minute (64 seconds), in C
// major leaning on its minor chords. Electric piano arpeggios and a pad carry the harmony, a
// vibraphone sings the tune, bass and soft brushes keep time; it ends on a suspended G that
// falls back into the F major seventh of its first bar.
#pragma once

#include "music/loop_buffer.h"

namespace music {

inline constexpr int beatsPerBar = 4;
inline constexpr int barCount = 24;
inline constexpr std::size_t framesPerBeat = 29'400;  // 90 beats a minute
inline constexpr std::size_t loopFrames = framesPerBeat * beatsPerBar * barCount;

// The finished mix, peaking just under full scale.
LoopBuffer composeEveningLoop();

}  // namespace music
