// vesperine-music OUT.ogg: synthesises the game's looping evening music and encodes it.
// vesperine-music --effects DIR: the game's sound effects, one OGG file each, named as in the pack.
#include "music/game_sounds.h"
#include "music/ogg_writer.h"
#include "music/score.h"
#include "music/sections.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

int writeMusic(const char* path) {
  const music::LoopBuffer loop = music::composeEveningLoop();
  const std::size_t bytes = music::writeOggVorbis(loop, path, 0.4f, "Evening over the marsh");
  // The game unpacks the music into a 15 MiB block.
  if (bytes > 15u * 1024u * 1024u) {
    std::fprintf(stderr, "vesperine-music: %s is %zu bytes, too big for its block\n", path, bytes);
    return 1;
  }
  std::printf("vesperine-music: %.1f s, %zu bytes\n", static_cast<double>(loop.frames()) / music::sampleRate, bytes);
  std::size_t start = 0;
  for (const music::Section& section : music::eveningSections()) {
    std::printf("  %5.1f s  %s\n", static_cast<double>(start) / music::sampleRate, section.name);
    start += section.chords.size() * music::framesPerBar;
  }
  return 0;
}

int writeEffects(const std::string& dir) {
  for (const music::GameSound& effect : music::composeGameSounds()) {
    const std::string title = effect.entry.substr(0, effect.entry.size() - 4);  // without ".ogg"
    const std::size_t bytes = music::writeOggVorbis(effect.sound, dir + "/" + effect.entry, 0.4f, title);
    std::printf("vesperine-music: %s, %.2f s, %zu bytes\n", effect.entry.c_str(),
                static_cast<double>(effect.sound.frames()) / music::sampleRate, bytes);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool effects = argc == 3 && std::strcmp(argv[1], "--effects") == 0;
  if (argc != 2 && !effects) {
    std::fprintf(stderr, "usage: vesperine-music OUT.ogg\n       vesperine-music --effects DIR\n");
    return 2;
  }
  try {
    return effects ? writeEffects(argv[2]) : writeMusic(argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vesperine-music: %s\n", error.what());
    return 1;
  }
}
