// vesperine-music OUT.ogg: synthesises the game's looping evening music and encodes it.
#include "music/ogg_writer.h"
#include "music/score.h"
#include "music/sections.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vesperine-music OUT.ogg\n");
    return 2;
  }
  try {
    const music::LoopBuffer loop = music::composeEveningLoop();
    const std::size_t bytes = music::writeOggVorbis(loop, argv[1], 0.4f);
    // The game unpacks the music into a 15 MiB block.
    if (bytes > 15u * 1024u * 1024u) {
      std::fprintf(stderr, "vesperine-music: %s is %zu bytes, too big for its block\n", argv[1], bytes);
      return 1;
    }
    std::printf("vesperine-music: %.1f s, %zu bytes\n", static_cast<double>(loop.frames()) / music::sampleRate, bytes);
    std::size_t start = 0;
    for (const music::Section& section : music::eveningSections()) {
      std::printf("  %5.1f s  %s\n", static_cast<double>(start) / music::sampleRate, section.name);
      start += section.chords.size() * music::framesPerBar;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vesperine-music: %s\n", error.what());
    return 1;
  }
  return 0;
}
