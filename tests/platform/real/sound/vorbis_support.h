// OGG Vorbis streams made in memory: tones encoded with libvorbisenc, and streams put together from
// encoded packets (a silent packet repeated makes minutes of music in a few hundred kilobytes).
#pragma once

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include <functional>
#include <string>
#include <vector>

namespace vorbis {

struct Packet {
  std::vector<uint8_t> bytes;
  int64_t granule = 0;  // frames decoded up to the end of this packet
};
struct Packets {
  std::vector<Packet> headers, audio;
};

// `frames` frames of sample(frame, channel) (-1..1) at quality -0.1 (small and quick).
inline Packets Encode(int rate, int channels, int frames, const std::function<float(int, int)>& sample) {
  vorbis_info info;
  vorbis_comment comment;
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_info_init(&info), vorbis_comment_init(&comment), vorbis_encode_init_vbr(&info, channels, rate, -0.1f);
  vorbis_analysis_init(&dsp, &info), vorbis_block_init(&dsp, &block);
  Packets out;
  ogg_packet packet[3];
  vorbis_analysis_headerout(&dsp, &comment, &packet[0], &packet[1], &packet[2]);
  for (const ogg_packet& p : packet) out.headers.push_back({{p.packet, p.packet + p.bytes}});
  for (int at = 0, count = 1; count > 0; at += count) {
    count = std::min(4096, frames - at);  // 0 ends the stream
    float** buffer = vorbis_analysis_buffer(&dsp, std::max(count, 1));
    for (int i = 0; i < count * channels; ++i) buffer[i % channels][i / channels] = sample(at + i / channels, i % channels);
    vorbis_analysis_wrote(&dsp, count);
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr), vorbis_bitrate_addblock(&block);
      while (vorbis_bitrate_flushpacket(&dsp, &packet[0]) == 1)
        out.audio.push_back({{packet[0].packet, packet[0].packet + packet[0].bytes}, packet[0].granulepos});
    }
  }
  vorbis_block_clear(&block), vorbis_dsp_clear(&dsp), vorbis_comment_clear(&comment), vorbis_info_clear(&info);
  return out;
}

// The packets paged into one OGG stream, the last marked as its end.
inline std::vector<uint8_t> Stream(const Packets& packets, int serial = 7) {
  ogg_stream_state stream;
  ogg_stream_init(&stream, serial);
  std::vector<uint8_t> out;
  ogg_page page;
  const auto pages = [&](int (*next)(ogg_stream_state*, ogg_page*)) {
    while (next(&stream, &page) != 0) {
      out.insert(out.end(), page.header, page.header + page.header_len);
      out.insert(out.end(), page.body, page.body + page.body_len);
    }
  };
  std::vector<Packet> all = packets.headers;
  all.insert(all.end(), packets.audio.begin(), packets.audio.end());
  for (long number = 0; number < std::ssize(all); ++number) {
    Packet& p = all[static_cast<size_t>(number)];
    ogg_packet packet{p.bytes.data(), std::ssize(p.bytes), number == 0, number + 1 == std::ssize(all), p.granule, number};
    ogg_stream_packetin(&stream, &packet);
    pages(number < 3 ? ogg_stream_flush : ogg_stream_pageout);  // the headers on pages of their own
  }
  pages(ogg_stream_flush);
  ogg_stream_clear(&stream);
  return out;
}

// The packets with a comment header holding one tag of `bytes` bytes, as cover art is stored.
inline Packets Tagged(Packets packets, size_t bytes) {
  std::vector<uint8_t>& comment = packets.headers[1].bytes;
  const std::string tag = "METADATA_BLOCK_PICTURE=" + std::string(bytes, 'A');
  comment = {3, 'v', 'o', 'r', 'b', 'i', 's', 0, 0, 0, 0, 1, 0, 0, 0};  // no vendor, one tag
  for (int i = 0; i < 4; ++i) comment.push_back(static_cast<uint8_t>(tag.size() >> (8 * i)));
  comment.insert(comment.end(), tag.begin(), tag.end());
  comment.push_back(1);  // framing bit
  return packets;
}

// The encoded packets with copies of the middle one put in the middle (the frames each adds counted
// into every later granule), at least `extraFrames` more: a silent track that much longer.
inline Packets Lengthened(Packets packets, int64_t extraFrames) {
  const size_t middle = packets.audio.size() / 2;
  const int64_t frames = packets.audio[middle].granule - packets.audio[middle - 1].granule;
  const int64_t copies = (extraFrames + frames - 1) / frames;
  std::vector<Packet> copied(static_cast<size_t>(copies), packets.audio[middle]);
  for (size_t i = 0; i < copied.size(); ++i) copied[i].granule += frames * static_cast<int64_t>(i + 1);
  for (size_t i = middle + 1; i < packets.audio.size(); ++i) packets.audio[i].granule += frames * copies;
  packets.audio.insert(packets.audio.begin() + static_cast<std::ptrdiff_t>(middle + 1), copied.begin(), copied.end());
  return packets;
}

}  // namespace vorbis
