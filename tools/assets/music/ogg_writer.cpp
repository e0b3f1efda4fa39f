#include "music/ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>

namespace music {

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

void writePage(std::FILE* file, const ogg_page& page) {
  if (std::fwrite(page.header, 1, page.header_len, file) != static_cast<std::size_t>(page.header_len) ||
      std::fwrite(page.body, 1, page.body_len, file) != static_cast<std::size_t>(page.body_len)) {
    throw std::runtime_error("short write");
  }
}

// Holds the encoder's state and releases it in the right order whatever happens.
struct Encoder {
  vorbis_info info{};
  vorbis_comment comment{};
  vorbis_dsp_state dsp{};
  vorbis_block block{};
  ogg_stream_state stream{};
  bool started = false;

  Encoder() {
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
  }
  ~Encoder() {
    if (started) {
      ogg_stream_clear(&stream);
      vorbis_block_clear(&block);
      vorbis_dsp_clear(&dsp);
    }
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
  }
  Encoder(const Encoder&) = delete;
  Encoder& operator=(const Encoder&) = delete;
};

void drainPackets(Encoder& encoder, std::FILE* file) {
  while (vorbis_analysis_blockout(&encoder.dsp, &encoder.block) == 1) {
    vorbis_analysis(&encoder.block, nullptr);
    vorbis_bitrate_addblock(&encoder.block);
    ogg_packet packet{};
    while (vorbis_bitrate_flushpacket(&encoder.dsp, &packet) == 1) {
      ogg_stream_packetin(&encoder.stream, &packet);
      ogg_page page{};
      while (ogg_stream_pageout(&encoder.stream, &page) != 0) writePage(file, page);
    }
  }
}

}  // namespace

std::size_t writeOggVorbis(const LoopBuffer& loop, const std::string& path, float quality) {
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) throw std::runtime_error("cannot create " + path);
  Encoder encoder;
  if (vorbis_encode_init_vbr(&encoder.info, 2, sampleRate, quality) != 0) {
    throw std::runtime_error("vorbis encoder refuses quality setting");
  }
  vorbis_comment_add_tag(&encoder.comment, "TITLE", "Evening over the marsh");
  vorbis_comment_add_tag(&encoder.comment, "ARTIST", "Quenmarsh");
  vorbis_analysis_init(&encoder.dsp, &encoder.info);
  vorbis_block_init(&encoder.dsp, &encoder.block);
  ogg_stream_init(&encoder.stream, 0x56535052);
  encoder.started = true;

  ogg_packet header{};
  ogg_packet commentHeader{};
  ogg_packet codeHeader{};
  vorbis_analysis_headerout(&encoder.dsp, &encoder.comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&encoder.stream, &header);
  ogg_stream_packetin(&encoder.stream, &commentHeader);
  ogg_stream_packetin(&encoder.stream, &codeHeader);
  ogg_page page{};
  while (ogg_stream_flush(&encoder.stream, &page) != 0) writePage(file.get(), page);

  constexpr std::size_t chunk = 4096;
  for (std::size_t offset = 0; offset < loop.frames(); offset += chunk) {
    const std::size_t count = std::min(chunk, loop.frames() - offset);
    float** buffer = vorbis_analysis_buffer(&encoder.dsp, static_cast<int>(count));
    std::copy_n(loop.left.begin() + static_cast<std::ptrdiff_t>(offset), count, buffer[0]);
    std::copy_n(loop.right.begin() + static_cast<std::ptrdiff_t>(offset), count, buffer[1]);
    vorbis_analysis_wrote(&encoder.dsp, static_cast<int>(count));
    drainPackets(encoder, file.get());
  }
  vorbis_analysis_wrote(&encoder.dsp, 0);
  drainPackets(encoder, file.get());
  while (ogg_stream_flush(&encoder.stream, &page) != 0) writePage(file.get(), page);
  if (std::fflush(file.get()) != 0) throw std::runtime_error("cannot write " + path);
  return std::filesystem::file_size(path);
}

}  // namespace music
