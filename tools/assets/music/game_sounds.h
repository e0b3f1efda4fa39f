// The game's sound effects, played by the same instruments in the same room and key (C major) as the
// evening music, so they belong to it: a card turned (two takes, for the two cards of a turn), a
// pair found, a wrong pair turning back and the board cleared. Each is a finished sound of its own
// length that starts and ends in silence.
#pragma once

#include "music/loop_buffer.h"

#include <string>
#include <vector>

namespace music {

struct GameSound {
  std::string entry;  // its name in the data pack
  LoopBuffer sound;
};

// The five sounds, at the loudness they play at beside the music.
std::vector<GameSound> composeGameSounds();

}  // namespace music
