// Sound encoded with libvorbisenc into Vorbis packets kept in memory, and packets paged into an OGG
// stream. The music file is made of both; the platform tests change the packets in between to make
// long, tagged or hostile streams.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace music {

struct VorbisPacket {
  std::vector<std::uint8_t> bytes;
  std::int64_t granule = 0;  // frames decoded up to the end of this packet
};
struct VorbisPackets {
  std::vector<VorbisPacket> headers, audio;  // identification, comment and setup; then the sound
};

using VorbisTags = std::vector<std::pair<std::string, std::string>>;

// `frames` frames of sample(frame, channel), -1..1, at libvorbisenc's VBR quality `quality`
// (-0.1..1.0), with `tags` in the comment header. Throws if the encoder refuses the format.
VorbisPackets encodeVorbis(int rate, int channels, std::size_t frames, float quality, const VorbisTags& tags,
                           const std::function<float(std::size_t, int)>& sample);

// The packets as one OGG stream: the first header alone on the first page, the other headers on the
// pages after it, the sound from a fresh page on, the last packet marked as the stream's end.
std::vector<std::uint8_t> oggStream(const VorbisPackets& packets, int serial);

}  // namespace music
