// OGG Vorbis streams put together from packets of the music tool's encoder: a silent packet repeated
// makes minutes of music in a few hundred kilobytes.
#pragma once

#include "music/vorbis_packets.h"

namespace vorbis {

// The encoded packets with copies of the middle one put in the middle (the frames each adds counted
// into every later granule), at least `extraFrames` more: a silent track that much longer.
inline music::VorbisPackets Lengthened(music::VorbisPackets packets, int64_t extraFrames) {
  const size_t middle = packets.audio.size() / 2;
  const int64_t frames = packets.audio[middle].granule - packets.audio[middle - 1].granule;
  const int64_t copies = (extraFrames + frames - 1) / frames;
  std::vector<music::VorbisPacket> copied(static_cast<size_t>(copies), packets.audio[middle]);
  for (size_t i = 0; i < copied.size(); ++i) copied[i].granule += frames * static_cast<int64_t>(i + 1);
  for (size_t i = middle + 1; i < packets.audio.size(); ++i) packets.audio[i].granule += frames * copies;
  packets.audio.insert(packets.audio.begin() + static_cast<std::ptrdiff_t>(middle + 1), copied.begin(), copied.end());
  return packets;
}

}  // namespace vorbis
