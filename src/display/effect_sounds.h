// The sound effects beside the music: a card turned (two takes, one for each card of a turn), a pair
// found, a wrong pair turning back, the board cleared. Each is a sound of its own number, decoded
// whole at start-up, so playing one costs nothing and several sound at once. The game plays on
// without any that is missing or damaged.
#pragma once

#include <cstdint>
#include <string>

enum EffectSound : int {
  kSoundCardTurned1 = 1,  // the first card of a turn
  kSoundCardTurned2 = 2,  // the second
  kSoundPairFound = 3,
  kSoundWrongPair = 4,
  kSoundWellDone = 5,
};

// Unpacks and decodes every effect from the data pack. Logs nothing for one that loads, and one line
// for each that does not: "Load asset (NAME):" + two tabs + "MISSING, PLAYING WITHOUT IT" (no such
// entry) or "UNUSABLE, PLAYING WITHOUT IT" (one that does not unpack, is too big or does not decode).
void LoadEffectSounds(const std::string& packPath);
// Plays the effect from its beginning on a free channel, while the effects are switched on.
void PlayEffect(EffectSound effect, int64_t soundsOn);
