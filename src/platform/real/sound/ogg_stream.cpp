// OGG Vorbis from memory through libogg and libvorbis, converted on the fly to the output format.
// The first link's headers are read once, when the stream opens: going back to the first sample
// only resets the decoder and the page reader to the first audio page, however large the headers
// (taggers store cover art in a comment). The links of a chained stream play one after the other,
// each converted from its own rate and channel count. A damaged or hostile stream is stopped by what
// it does, not by its length: a hole in a link's pages, a link that cannot play (headers that do not
// read, more than two channels), too many bytes of pages read without a single sample coming out (a
// run of packets that decode to nothing) or too many links in a row without one. Header pages are
// not counted, only paid once per link. A stopped stream plays again from its first link when
// restarted.
#include "platform/real/sound/ogg_stream.h"

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Far more than any real packet, with its pages, takes to bring out samples.
constexpr size_t kMaxBytesWithoutSound = 256 << 10;
constexpr int kMaxLinksWithoutSound = 4;
constexpr size_t kPiece = 4096;  // bytes handed to the page reader at a time

// A whole stream ends with a complete page marked end-of-stream. A stream cut short would otherwise
// play what it can, so it is caught here instead. Fed in small pieces: the check costs no copy of
// the stream.
bool ogg_stream_complete(const uint8_t* data, size_t size) {
  constexpr size_t kCheckPiece = 16384;
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  bool endSeen = false;
  bool fed = true;
  for (size_t at = 0; at < size && fed; at += kCheckPiece) {
    const size_t piece = std::min(kCheckPiece, size - at);
    char* const buffer = ogg_sync_buffer(&sync, static_cast<long>(piece));
    fed = buffer != nullptr;
    if (!fed) break;
    std::memcpy(buffer, data + at, piece);
    ogg_sync_wrote(&sync, static_cast<long>(piece));
    ogg_page page;
    int result = 0;
    while ((result = ogg_sync_pageout(&sync, &page)) != 0) {
      if (result > 0) endSeen = ogg_page_eos(&page) != 0;
    }
  }
  const bool trailingPartial = sync.fill > sync.returned;  // bytes of a page that never completed
  ogg_sync_clear(&sync);
  return fed && endSeen && !trailingPartial;
}

// One link's decoder: its three header packets, then the synthesis state they set up.
struct LinkDecoder {
  vorbis_info info{};
  vorbis_comment comment{};
  vorbis_dsp_state dsp{};
  vorbis_block block{};
  int headers = 0;  // header packets read, in their order: identification, comment, setup
  bool begun = false;
  bool decoding = false;  // all three are read

  LinkDecoder() = default;
  LinkDecoder(const LinkDecoder&) = delete;
  LinkDecoder& operator=(const LinkDecoder&) = delete;
  ~LinkDecoder() { end(); }

  void begin() {
    end();
    vorbis_info_init(&info);
    vorbis_comment_init(&comment);
    begun = true;
  }

  void end() {
    if (decoding) {
      vorbis_block_clear(&block);
      vorbis_dsp_clear(&dsp);
    }
    if (begun) {
      vorbis_comment_clear(&comment);
      vorbis_info_clear(&info);
    }
    begun = decoding = false;
    headers = 0;
  }

  // False for a link the game cannot play: headers that do not read, more than two channels, or a
  // rate that would ask an unbounded number of source frames per output frame.
  bool take_header(ogg_packet* packet) {
    // Each header once: a comment header repeated would be read (and held) again and again.
    if (packet->bytes < 1 || packet->packet[0] != 2 * headers + 1) return false;
    if (vorbis_synthesis_headerin(&info, &comment, packet) != 0) return false;
    if (++headers < 3) return true;
    vorbis_comment_clear(&comment);  // the tags are not needed, and may be megabytes
    vorbis_comment_init(&comment);
    if (info.channels < 1 || info.channels > 2 || info.rate <= 0 || info.rate > 1000000) return false;
    if (vorbis_synthesis_init(&dsp, &info) != 0) return false;
    vorbis_block_init(&dsp, &block);
    decoding = true;
    return true;
  }
};

struct Frame {
  int32_t left = 0, right = 0;
  long rate = kOutputRate;  // of the link it comes from
};

int32_t to_sample(float value) { return static_cast<int32_t>(std::lrint(std::clamp(value * 32768.f, -32768.f, 32767.f))); }

class OggStream final : public PcmStream {
 public:
  OggStream(const uint8_t* data, size_t size) : data_(data), size_(size) {
    ogg_sync_init(&sync_);
    ogg_stream_init(&pages_, 0);
  }
  ~OggStream() override {
    ogg_stream_clear(&pages_);
    ogg_sync_clear(&sync_);
  }
  OggStream(const OggStream&) = delete;
  OggStream& operator=(const OggStream&) = delete;

  // Reads the first link's headers and primes the conversion with its first frames.
  bool open() { return prime(); }

  // Back to the first audio page: the first link's headers stay read.
  bool restart() override {
    if (!first_.decoding) return false;
    later_.end();
    ogg_sync_reset(&sync_);
    position_ = syncAt_ = firstAudioPage_;
    ogg_stream_reset_serialno(&pages_, firstSerial_);
    vorbis_synthesis_restart(&first_.dsp);
    link_ = &first_;
    damaged_ = false;
    sinceSound_ = 0;
    linksWithoutSound_ = 0;
    return prime();
  }

  bool damaged() const override { return damaged_; }

  // Each output frame lies `fraction_` / kOutputRate of the way from the current source frame to the
  // next: linear between them, carried over from one call to the next, so chunks join seamlessly.
  // At 44,100 Hz the fraction stays 0 and the samples come out as decoded.
  size_t read(uint8_t* out, size_t bytes) override {
    size_t done = 0;
    for (; done + kOutputFrameBytes <= bytes && haveCurrent_; done += kOutputFrameBytes) {
      const Frame frame = haveNext_ ? Frame{between(current_.left, next_.left), between(current_.right, next_.right)}
                                    : current_;
      put_sample(out + done, frame.left);
      put_sample(out + done + 2, frame.right);
      for (fraction_ += current_.rate; fraction_ >= kOutputRate && haveCurrent_; fraction_ -= kOutputRate) {
        current_ = next_;
        haveCurrent_ = haveNext_;
        haveNext_ = haveCurrent_ && pull(&next_);
      }
    }
    return done;
  }

 private:
  int32_t between(int32_t from, int32_t to) const {
    return from + static_cast<int32_t>(int64_t{to - from} * fraction_ / kOutputRate);
  }

  static void put_sample(uint8_t* at, int32_t value) {
    at[0] = static_cast<uint8_t>(value & 255);
    at[1] = static_cast<uint8_t>(value >> 8 & 255);
  }

  bool prime() {
    decodedFrames_ = decodedAt_ = 0;
    fraction_ = 0;
    haveCurrent_ = pull(&current_);
    haveNext_ = haveCurrent_ && pull(&next_);
    return haveCurrent_;
  }

  // The next source frame, decoding more when the last piece is used up; false at the end of the
  // stream and once it went wrong.
  bool pull(Frame* frame) {
    if (decodedAt_ == decodedFrames_ && !decode()) return false;
    *frame = decoded_[decodedAt_++];
    return true;
  }

  // The next piece of samples: from the link's decoder, else its next packet, else the next page.
  bool decode() {
    while (!damaged_) {
      float** pcm = nullptr;
      const int ready = link_ != nullptr && link_->decoding ? vorbis_synthesis_pcmout(&link_->dsp, &pcm) : 0;
      if (ready > 0) {
        decodedFrames_ = std::min<size_t>(static_cast<size_t>(ready), std::size(decoded_));
        const int last = link_->info.channels - 1;  // mono reaches both sides
        for (size_t i = 0; i < decodedFrames_; ++i) decoded_[i] = {to_sample(pcm[0][i]), to_sample(pcm[last][i]), link_->info.rate};
        vorbis_synthesis_read(&link_->dsp, static_cast<int>(decodedFrames_));
        decodedAt_ = 0;
        sinceSound_ = 0;
        linksWithoutSound_ = 0;
        return true;
      }
      ogg_packet packet;
      const int packets = link_ != nullptr ? ogg_stream_packetout(&pages_, &packet) : 0;
      if (packets < 0) return fail();  // a hole in the link's pages
      if (packets > 0) {
        if (!take_packet(&packet)) return fail();
        continue;
      }
      ogg_page page;
      if (!next_page(&page)) return link_ != nullptr && link_->decoding && !starved() ? false : fail();
      if (!take_page(&page)) return fail();
    }
    return false;
  }

  bool take_packet(ogg_packet* packet) {
    if (!link_->decoding) {
      if (!link_->take_header(packet)) return false;
      if (link_ == &first_ && first_.decoding) firstAudioPage_ = pageAt_;  // the page the headers end on
      return true;
    }
    // A packet that does not decode (a stray header, damage) is skipped; the budget stops a run of them.
    if (vorbis_synthesis(&link_->block, packet) == 0) vorbis_synthesis_blockin(&link_->dsp, &link_->block);
    return true;
  }

  // A page of the block; a link starts at a page beginning a Vorbis stream (the first found, or one
  // chained after a link that decodes). Pages of other streams are passed over.
  bool take_page(ogg_page* page) {
    const size_t pageBytes = static_cast<size_t>(page->header_len + page->body_len);
    const bool startsVorbis = ogg_page_bos(page) != 0 && page->body_len >= 7 && std::memcmp(page->body, "\x01vorbis", 7) == 0;
    if (startsVorbis && (link_ == nullptr || link_->decoding)) {
      if (++linksWithoutSound_ > kMaxLinksWithoutSound) return false;
      link_ = link_ == nullptr ? &first_ : &later_;
      link_->begin();
      ogg_stream_reset_serialno(&pages_, ogg_page_serialno(page));
      if (link_ == &first_) firstSerial_ = ogg_page_serialno(page);
    }
    const bool taken = link_ != nullptr && ogg_stream_pagein(&pages_, page) == 0;
    if (!taken || link_->decoding) sinceSound_ += pageBytes;
    return true;
  }

  // The next page and its offset in the block; false at the end of the block and once too many
  // bytes gave no sound.
  bool next_page(ogg_page* page) {
    while (!starved()) {
      const long got = ogg_sync_pageseek(&sync_, page);
      if (got > 0) {
        pageAt_ = syncAt_;
        syncAt_ += static_cast<size_t>(got);
        return true;
      }
      if (got < 0) {  // bytes that are no page
        syncAt_ += static_cast<size_t>(-got);
        sinceSound_ += static_cast<size_t>(-got);
        continue;
      }
      if (position_ == size_) return false;
      const size_t piece = std::min(kPiece, size_ - position_);
      char* const buffer = ogg_sync_buffer(&sync_, static_cast<long>(piece));
      if (buffer == nullptr) return false;
      std::memcpy(buffer, data_ + position_, piece);
      ogg_sync_wrote(&sync_, static_cast<long>(piece));
      position_ += piece;
    }
    return false;
  }

  bool starved() const { return sinceSound_ > kMaxBytesWithoutSound; }

  bool fail() {
    damaged_ = true;
    return false;
  }

  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;  // next byte handed to the page reader
  size_t syncAt_ = 0;    // block offset of the page reader's next unread byte
  size_t pageAt_ = 0;    // block offset of the page taken last
  ogg_sync_state sync_{};
  ogg_stream_state pages_{};  // the current link's pages, taken apart into packets
  LinkDecoder first_, later_;  // the first link's decoder is kept: looping needs no header again
  LinkDecoder* link_ = nullptr;
  size_t firstAudioPage_ = 0;
  int firstSerial_ = 0;
  bool damaged_ = false;  // stopped for what it did; plays again only from the first link
  size_t sinceSound_ = 0;  // bytes read since samples last came out, header pages aside
  int linksWithoutSound_ = 0;
  Frame decoded_[1024];  // the current link's samples, both sides, at its own rate
  size_t decodedFrames_ = 0;
  size_t decodedAt_ = 0;
  Frame current_, next_;
  bool haveCurrent_ = false, haveNext_ = false;
  long fraction_ = 0;  // in 1/kOutputRate steps of a source frame
};

}  // namespace

std::unique_ptr<PcmStream> ogg_stream_open(const uint8_t* data, size_t size) {
  if (data == nullptr || size == 0 || !ogg_stream_complete(data, size)) return nullptr;
  auto stream = std::make_unique<OggStream>(data, size);
  if (!stream->open()) return nullptr;
  return stream;
}
