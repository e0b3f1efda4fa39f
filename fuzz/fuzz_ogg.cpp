// OGG Vorbis decoded as the game plays its music: any bytes either fail to open or stream whole
// output frames until they end or are stopped for what they do (a decoding error, a run of bytes
// that decode to nothing), and a stream that ended or stopped gives nothing more.

#include <cstdint>
#include <cstdlib>

#include "platform/real/sound/ogg_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::unique_ptr<PcmStream> stream = ogg_stream_open(data, size);
  if (stream == nullptr) return 0;
  uint8_t buffer[2048 + 2];  // a device buffer, asked for with an odd tail
  size_t got = 0;
  while ((got = stream->read(buffer, sizeof buffer)) == sizeof buffer - 2) {
  }
  if (got % kOutputFrameBytes != 0 || stream->read(buffer, sizeof buffer) != 0) std::abort();
  return 0;
}
