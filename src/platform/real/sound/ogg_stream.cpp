// OGG Vorbis from memory through libvorbisfile, converted on the fly to the output format.
// The first link's headers are read once, when the stream opens: going back to the first sample
// seeks to its first audio page, however large the headers (taggers store cover art in a comment).
// The links of a chained stream play one after the other, each converted from its own rate and
// channel count. Each link is a stream of libvorbisfile's over its own bytes, the later ones read
// straight through: libvorbisfile takes two links with the same serial number (files of the same
// encoder put end to end) for one with a hole. A damaged or hostile stream is stopped by what it
// does, not by its length: a hole in a link's pages, a link that cannot play (headers that do not
// read, more than two channels), too many bytes of audio pages read without a single sample coming
// out (a run of packets that decode to nothing) or too many links in a row without one. A stopped
// stream plays again from its first link when restarted.
#include "platform/real/sound/ogg_stream.h"

#define OV_EXCLUDE_STATIC_CALLBACKS  // the stdio callbacks, of no use from memory
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Far more than any real packet, with its pages, takes to bring out samples.
constexpr size_t kMaxBytesWithoutSound = 256 << 10;
constexpr int kMaxLinksWithoutSound = 4;

// Where the links begin (a page beginning a stream that follows one that does not), then the end;
// empty unless the stream is whole: it ends with a complete page marked end-of-stream (a stream cut
// short would otherwise play what it can). Fed in small pieces: the check costs no copy.
std::vector<size_t> link_bounds(const uint8_t* data, size_t size) {
  constexpr size_t kPiece = 16384;
  std::vector<size_t> bounds;
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  bool endSeen = false, lastBegins = false;
  size_t fed = 0, at = 0;  // bytes handed to the page reader; offset of its next unread byte
  for (;;) {
    ogg_page page;
    const long got = ogg_sync_pageseek(&sync, &page);
    if (got == 0) {
      const size_t piece = std::min(kPiece, size - fed);
      char* const buffer = piece > 0 ? ogg_sync_buffer(&sync, static_cast<long>(piece)) : nullptr;
      if (buffer == nullptr) break;
      std::memcpy(buffer, data + fed, piece);
      ogg_sync_wrote(&sync, static_cast<long>(piece));
      fed += piece;
    } else if (got > 0) {
      const bool begins = ogg_page_bos(&page) != 0;
      if (begins && !lastBegins) bounds.push_back(at);
      lastBegins = begins;
      endSeen = ogg_page_eos(&page) != 0;
    }
    at += static_cast<size_t>(std::labs(got));  // a page, or bytes that are none
  }
  ogg_sync_clear(&sync);
  if (!endSeen || at != size || bounds.empty()) return {};  // cut short within a page, or after one
  bounds.push_back(size);
  return bounds;
}

// One link's bytes as libvorbisfile reads them. Once it is open, the bytes it reads count towards
// the stream's budget of bytes without sound; past the budget the link ends for libvorbisfile.
struct LinkBytes {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t at = 0;
  size_t* sinceSound = nullptr;  // the stream's count, once the headers are read

  bool starved() const { return sinceSound != nullptr && *sinceSound > kMaxBytesWithoutSound; }
};

size_t read_link(void* out, size_t itemSize, size_t items, void* source) {
  LinkBytes& link = *static_cast<LinkBytes*>(source);
  if (link.starved() || itemSize == 0) return 0;
  const size_t taken = std::min(items, (link.size - link.at) / itemSize), bytes = taken * itemSize;
  std::memcpy(out, link.data + link.at, bytes);
  link.at += bytes;
  if (link.sinceSound != nullptr) *link.sinceSound += bytes;
  return taken;
}

int seek_link(void* source, ogg_int64_t offset, int whence) {
  LinkBytes& link = *static_cast<LinkBytes*>(source);
  const auto size = static_cast<ogg_int64_t>(link.size);
  const ogg_int64_t from = whence == SEEK_CUR ? static_cast<ogg_int64_t>(link.at) : whence == SEEK_END ? size : 0;
  if (offset < -from || offset > size - from) return -1;
  link.at = static_cast<size_t>(from + offset);
  return 0;
}

long tell_link(void* source) { return static_cast<long>(static_cast<LinkBytes*>(source)->at); }

// A link's decoder: the first one seeks back to its first sample, the later ones are read straight
// through and opened again on the next pass.
struct LinkDecoder {
  LinkBytes bytes;
  OggVorbis_File file{};  // ov_clear is harmless on a cleared one

  LinkDecoder() = default;
  LinkDecoder(const LinkDecoder&) = delete;
  LinkDecoder& operator=(const LinkDecoder&) = delete;
  ~LinkDecoder() { ov_clear(&file); }

  // False for a link the game cannot play: headers that do not read, more than two channels, or a
  // rate that would ask an unbounded number of source frames per output frame.
  bool open(const uint8_t* data, size_t size, bool seekable, size_t* sinceSound) {
    ov_clear(&file);
    bytes = {data, size};
    const ov_callbacks callbacks = {read_link, seekable ? seek_link : nullptr, nullptr, seekable ? tell_link : nullptr};
    if (ov_open_callbacks(&bytes, &file, nullptr, 0, callbacks) != 0) return false;
    vorbis_comment_clear(ov_comment(&file, 0));  // the tags are not needed, and may be megabytes
    vorbis_comment_init(ov_comment(&file, 0));
    bytes.sinceSound = sinceSound;
    const vorbis_info& info = *ov_info(&file, 0);
    return info.channels >= 1 && info.channels <= 2 && info.rate > 0 && info.rate <= 1000000;
  }
};

struct Frame {
  int32_t left = 0, right = 0;
  long rate = kOutputRate;  // of the link it comes from
};

int32_t to_sample(float value) { return static_cast<int32_t>(std::lrint(std::clamp(value * 32768.f, -32768.f, 32767.f))); }

class OggStream final : public PcmStream {
 public:
  OggStream(const uint8_t* data, std::vector<size_t> bounds) : data_(data), bounds_(std::move(bounds)) {}

  // Reads the first link's headers and primes the conversion with its first frames.
  bool open() { return first_.open(data_ + bounds_[0], bounds_[1] - bounds_[0], true, &sinceSound_) && restart(); }

  // Back to the first sample: the first link's headers stay read.
  bool restart() override {
    ov_clear(&later_.file);
    link_ = &first_;
    linkIndex_ = 0;
    damaged_ = false;
    sinceSound_ = 0;
    linksWithoutSound_ = 1;  // the first link's
    return ov_pcm_seek(&first_.file, 0) == 0 && prime();
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

  // The next piece of samples, at most a packet's: from the current link, else the next one.
  bool decode() {
    while (!damaged_) {
      float** pcm = nullptr;
      const long frames = ov_read_float(&link_->file, &pcm, static_cast<int>(std::size(decoded_)), nullptr);
      if (frames > 0) {
        const vorbis_info& info = *ov_info(&link_->file, 0);
        const int last = info.channels - 1;  // mono reaches both sides
        for (long i = 0; i < frames; ++i) decoded_[i] = {to_sample(pcm[0][i]), to_sample(pcm[last][i]), info.rate};
        decodedFrames_ = static_cast<size_t>(frames);
        decodedAt_ = 0;
        sinceSound_ = 0;
        linksWithoutSound_ = 0;
        return true;
      }
      if (frames < 0 || link_->bytes.starved()) return fail();  // a hole, or a run without sound
      if (linkIndex_ + 2 == bounds_.size()) return false;  // the end of the last link
      const size_t start = bounds_[++linkIndex_];
      if (++linksWithoutSound_ > kMaxLinksWithoutSound || !later_.open(data_ + start, bounds_[linkIndex_ + 1] - start, false, &sinceSound_)) {
        return fail();
      }
      link_ = &later_;
    }
    return false;
  }

  bool fail() {
    damaged_ = true;
    return false;
  }

  const uint8_t* data_;
  std::vector<size_t> bounds_;  // where each link begins, then the end
  LinkDecoder first_, later_;   // the first link's decoder is kept: looping needs no header again
  LinkDecoder* link_ = &first_;
  size_t linkIndex_ = 0;
  bool damaged_ = false;   // stopped for what it did; plays again only from the first link
  size_t sinceSound_ = 0;  // bytes of audio pages read since samples last came out
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
  std::vector<size_t> bounds = data != nullptr ? link_bounds(data, size) : std::vector<size_t>();
  if (bounds.empty()) return nullptr;
  auto stream = std::make_unique<OggStream>(data, std::move(bounds));
  if (!stream->open()) return nullptr;
  return stream;
}
