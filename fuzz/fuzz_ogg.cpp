// OGG Vorbis decoding from memory, as the game decodes its music: any bytes either fail cleanly
// or give whole frames of 16-bit samples at a real rate.

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/real/sound_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> pcm;
  int rate = 0;
  int channels = 0;
  if (ogg_decode(data, size, &pcm, &rate, &channels)) {
    const bool whole = rate > 0 && channels > 0 && !pcm.empty() && pcm.size() % (2 * channels) == 0;
    if (!whole) std::abort();
  }
  return 0;
}
