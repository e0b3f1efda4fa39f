#include "music/vorbis_packets.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <stdexcept>

namespace music {

namespace {

// Holds the encoder's state and releases it in the right order whatever happens.
struct Encoder {
  vorbis_info info{};
  vorbis_comment comment{};
  vorbis_dsp_state dsp{};
  vorbis_block block{};
  bool started = false;

  Encoder() {
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
  }
  ~Encoder() {
    if (started) {
      vorbis_block_clear(&block);
      vorbis_dsp_clear(&dsp);
    }
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;
};

VorbisPacket copied(const ogg_packet& packet) {
  return {{packet.packet, packet.packet + packet.bytes}, packet.granulepos};
}

void drainPackets(Encoder& encoder, std::vector<VorbisPacket>& audio) {
  while (vorbis_analysis_blockout(&encoder.dsp, &encoder.block) == 1) {
    vorbis_analysis(&encoder.block, nullptr);
    vorbis_bitrate_addblock(&encoder.block);
    ogg_packet packet{};
    while (vorbis_bitrate_flushpacket(&encoder.dsp, &packet) == 1) audio.push_back(copied(packet));
  }
}

void appendPages(ogg_stream_state& stream, int (*next)(ogg_stream_state*, ogg_page*), std::vector<std::uint8_t>& out) {
  ogg_page page{};
  while (next(&stream, &page) != 0) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
  }
}

}  // namespace

VorbisPackets encodeVorbis(int rate, int channels, std::size_t frames, float quality, const VorbisTags& tags,
                           const std::function<float(std::size_t, int)>& sample) {
  Encoder encoder;
  if (vorbis_encode_init_vbr(&encoder.info, channels, rate, quality) != 0) {
    throw std::runtime_error("vorbis encoder refuses the format or quality");
  }
  for (const auto& [name, value] : tags) vorbis_comment_add_tag(&encoder.comment, name.c_str(), value.c_str());
  vorbis_analysis_init(&encoder.dsp, &encoder.info);
  vorbis_block_init(&encoder.dsp, &encoder.block);
  encoder.started = true;

  ogg_packet header{};
  ogg_packet commentHeader{};
  ogg_packet codeHeader{};
  vorbis_analysis_headerout(&encoder.dsp, &encoder.comment, &header, &commentHeader, &codeHeader);
  VorbisPackets packets;
  packets.headers = {copied(header), copied(commentHeader), copied(codeHeader)};

  constexpr std::size_t chunk = 4096;
  for (std::size_t offset = 0; offset < frames; offset += chunk) {
    const std::size_t count = std::min(chunk, frames - offset);
    float** buffer = vorbis_analysis_buffer(&encoder.dsp, static_cast<int>(count));
    for (int channel = 0; channel < channels; ++channel) {
      for (std::size_t frame = 0; frame < count; ++frame) buffer[channel][frame] = sample(offset + frame, channel);
    }
    vorbis_analysis_wrote(&encoder.dsp, static_cast<int>(count));
    drainPackets(encoder, packets.audio);
  }
  vorbis_analysis_wrote(&encoder.dsp, 0);
  drainPackets(encoder, packets.audio);
  return packets;
}

std::vector<std::uint8_t> oggStream(const VorbisPackets& packets, int serial) {
  ogg_stream_state stream{};
  ogg_stream_init(&stream, serial);
  std::vector<std::uint8_t> out;
  const std::size_t headers = packets.headers.size(), count = headers + packets.audio.size();
  for (std::size_t number = 0; number < count; ++number) {
    const VorbisPacket& packet = number < headers ? packets.headers[number] : packets.audio[number - headers];
    ogg_packet in{const_cast<unsigned char*>(packet.bytes.data()), static_cast<long>(packet.bytes.size()), number == 0,
                  number + 1 == count, packet.granule, static_cast<ogg_int64_t>(number)};
    ogg_stream_packetin(&stream, &in);
    if (number >= headers) {
      appendPages(stream, ogg_stream_pageout, out);
    } else if (number + 1 == headers) {
      appendPages(stream, ogg_stream_flush, out);  // the sound starts on a page of its own
    }
  }
  appendPages(stream, ogg_stream_flush, out);
  ogg_stream_clear(&stream);
  return out;
}

}  // namespace music
