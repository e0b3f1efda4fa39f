// OGG Vorbis decoded as the game plays its music: any bytes either fail to open or stream whole
// output frames until they end or are stopped for what they do (a decoding error, a run of bytes
// that decode to nothing), a stream that ended or stopped gives nothing more, and looping it starts
// it again with the same frames.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/real/sound/ogg_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::unique_ptr<PcmStream> stream = ogg_stream_open(data, size);
  if (stream == nullptr) return 0;
  uint8_t first[2048 + 2], buffer[sizeof first];  // a device buffer, asked for with an odd tail
  const size_t firstGot = stream->read(first, sizeof first);
  size_t got = firstGot;
  while (got == sizeof buffer - 2) got = stream->read(buffer, sizeof buffer);
  if (got % kOutputFrameBytes != 0 || stream->read(buffer, sizeof buffer) != 0) std::abort();
  if (!stream->restart() || stream->read(buffer, sizeof buffer) != firstGot || std::memcmp(buffer, first, firstGot) != 0) std::abort();
  return 0;
}
