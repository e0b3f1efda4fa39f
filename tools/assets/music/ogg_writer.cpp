#include "music/ogg_writer.h"

#include "music/vorbis_packets.h"

#include <fstream>
#include <stdexcept>

namespace music {

std::size_t writeOggVorbis(const LoopBuffer& loop, const std::string& path, float quality, const std::string& title) {
  const VorbisTags tags = {{"TITLE", title}, {"ARTIST", "Quenmarsh"}};
  const std::vector<std::uint8_t> bytes = oggStream(
      encodeVorbis(sampleRate, 2, loop.frames(), quality, tags,
                   [&loop](std::size_t frame, int channel) { return (channel == 0 ? loop.left : loop.right)[frame]; }),
      0x56535052);
  std::ofstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot create " + path);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
  return bytes.size();
}

}  // namespace music
