#include "sound_test_signals.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

float sine_value(double frequency, int rate, long frame) {
  return static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * frequency * frame / rate));
}

void append_page(std::vector<uint8_t>* out, const ogg_page& page) {
  out->insert(out->end(), page.header, page.header + page.header_len);
  out->insert(out->end(), page.body, page.body + page.body_len);
}

void put_le(std::vector<uint8_t>* out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out->push_back(static_cast<uint8_t>(value >> (8 * i) & 255));
}

}  // namespace

std::vector<uint8_t> sine_ogg(double frequency, double seconds, int rate, int channels) {
  vorbis_info info;
  vorbis_info_init(&info);
  vorbis_encode_init_vbr(&info, channels, rate, 0.4f);
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1);

  std::vector<uint8_t> out;
  ogg_packet header, commentHeader, codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) append_page(&out, page);

  const long frames = std::lround(seconds * rate);
  long written = 0;
  bool finished = false;
  while (!finished) {
    const long chunk = std::min(1024L, frames - written);
    if (chunk > 0) {
      float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(chunk));
      for (long i = 0; i < chunk; ++i) {
        for (int c = 0; c < channels; ++c) buffer[c][i] = sine_value(frequency, rate, written + i);
      }
      vorbis_analysis_wrote(&dsp, static_cast<int>(chunk));
      written += chunk;
    } else {
      vorbis_analysis_wrote(&dsp, 0);  // end of stream
    }
    while (vorbis_analysis_blockout(&dsp, &block) == 1) {
      vorbis_analysis(&block, nullptr);
      vorbis_bitrate_addblock(&block);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
        ogg_stream_packetin(&stream, &packet);
        while (ogg_stream_pageout(&stream, &page) != 0) {
          append_page(&out, page);
          if (ogg_page_eos(&page) != 0) finished = true;
        }
      }
    }
  }
  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

std::vector<uint8_t> sine_wav(double frequency, double seconds, int rate, int channels) {
  const uint32_t frames = static_cast<uint32_t>(std::lround(seconds * rate));
  const uint32_t dataBytes = frames * channels * 2;
  std::vector<uint8_t> out;
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  put_le(&out, 36 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put_le(&out, 16, 4);
  put_le(&out, 1, 2);  // PCM
  put_le(&out, channels, 2);
  put_le(&out, rate, 4);
  put_le(&out, rate * channels * 2, 4);
  put_le(&out, channels * 2, 2);
  put_le(&out, 16, 2);
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  put_le(&out, dataBytes, 4);
  for (uint32_t frame = 0; frame < frames; ++frame) {
    const int16_t value = static_cast<int16_t>(std::lround(sine_value(frequency, rate, frame) * 32767));
    for (int c = 0; c < channels; ++c) put_le(&out, static_cast<uint16_t>(value), 2);
  }
  return out;
}

std::vector<uint8_t> constant_pcm(int16_t left, int16_t right, size_t frames) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i < frames; ++i) {
    put_le(&out, static_cast<uint16_t>(left), 2);
    put_le(&out, static_cast<uint16_t>(right), 2);
  }
  return out;
}

int16_t sample_at(const std::vector<uint8_t>& pcm, size_t index) {
  return static_cast<int16_t>(pcm[index * 2] | pcm[index * 2 + 1] << 8);
}
