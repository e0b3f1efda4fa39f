// Room and echo for the loop. Both are warmed up on the end of the loop before they play it, so the
// tail of the end of the piece is already ringing at its start: the loop point is seamless.
#pragma once

#include "music/loop_buffer.h"

namespace music {

// Adds a stereo echo of `send` (alternating sides, `delayFrames` apart) to `out`.
void addPingPongDelay(const LoopBuffer& send, LoopBuffer& out, std::size_t delayFrames, double feedback,
                      double level);
// Adds a soft stereo hall of `send` to `out`.
void addReverb(const LoopBuffer& send, LoopBuffer& out, double roomSize, double damping, double level);

}  // namespace music
