// OGG Vorbis from memory through libvorbisfile, converted on the fly to the output format. A damaged
// or hostile stream is stopped by what it does, not by its length: a decoding error, a change of
// format between chained streams, or too many bytes read without a single sample coming out (a run
// of packets that decode to nothing), each of which ends the stream for good.
#include "platform/real/sound/ogg_stream.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

namespace {

// Far more than any real packet, with its pages, takes to bring out samples.
constexpr size_t kMaxBytesWithoutSound = 256 << 10;

// The block read from the start; unseekable for vorbisfile, so opening reads the headers only and
// never scans the whole stream. Refuses to read on once too many bytes gave no sound.
struct MemoryReader {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t position = 0;
  bool limited = false;   // the headers, which may carry pictures in their comments, read freely
  size_t sinceSound = 0;  // bytes read since samples last came out
  bool starved = false;
};

size_t memory_read(void* target, size_t itemSize, size_t items, void* source) {
  MemoryReader* const reader = static_cast<MemoryReader*>(source);
  if (itemSize != 1) return 0;
  size_t wanted = std::min(items, reader->size - reader->position);
  if (reader->limited && reader->sinceSound + wanted > kMaxBytesWithoutSound) {
    reader->starved = true;
    wanted = 0;
  }
  std::memcpy(target, reader->data + reader->position, wanted);
  reader->position += wanted;
  reader->sinceSound += wanted;
  return wanted;
}

// A whole stream ends with a complete page marked end-of-stream. vorbisfile happily plays what it can
// of a cut file, so a stream cut short is caught here instead. Fed in small pieces: the check costs
// no copy of the stream.
bool ogg_stream_complete(const uint8_t* data, size_t size) {
  constexpr size_t kPiece = 16384;
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  bool endSeen = false;
  bool fed = true;
  for (size_t at = 0; at < size && fed; at += kPiece) {
    const size_t piece = std::min(kPiece, size - at);
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

struct Frame {
  int32_t left = 0, right = 0;
};

class OggStream final : public PcmStream {
 public:
  OggStream(const uint8_t* data, size_t size) : reader_{data, size} {}
  ~OggStream() override { close(); }
  OggStream(const OggStream&) = delete;
  OggStream& operator=(const OggStream&) = delete;

  // Opens the stream at its beginning (again) and primes the conversion with its first frames.
  bool start() {
    close();
    reader_.position = reader_.sinceSound = 0;
    reader_.limited = false;
    const ov_callbacks callbacks{memory_read, nullptr, nullptr, nullptr};
    if (broken_ || ov_open_callbacks(&reader_, &file_, nullptr, 0, callbacks) != 0) return fail();
    open_ = true;
    reader_.limited = true;
    // One or two channels, at a rate that asks a bounded number of source frames per output frame.
    const vorbis_info* const info = ov_info(&file_, -1);
    if (info == nullptr || info->rate <= 0 || info->rate > 1000000 || info->channels < 1 || info->channels > 2 ||
        (rate_ != 0 && (info->rate != rate_ || info->channels != channels_))) {
      return fail();
    }
    rate_ = info->rate;
    channels_ = info->channels;
    decodedBytes_ = decodedAt_ = 0;
    fraction_ = 0;
    haveCurrent_ = pull(&current_);
    haveNext_ = haveCurrent_ && pull(&next_);
    return haveCurrent_;
  }

  bool restart() override { return start(); }

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
      for (fraction_ += rate_; fraction_ >= kOutputRate && haveCurrent_; fraction_ -= kOutputRate) {
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

  // The next source frame, decoding more when the last piece is used up; false at the end of the
  // stream and once it went wrong.
  bool pull(Frame* frame) {
    if (decodedAt_ == decodedBytes_ && !decode()) return false;
    const auto sample = [&](size_t index) {
      return static_cast<int16_t>(decoded_[decodedAt_ + index * 2] | decoded_[decodedAt_ + index * 2 + 1] << 8);
    };
    frame->left = sample(0);
    frame->right = sample(channels_ - 1);  // mono reaches both sides
    decodedAt_ += static_cast<size_t>(channels_) * 2;
    return true;
  }

  bool decode() {
    if (!open_) return false;
    int section = 0;
    const long got = ov_read(&file_, reinterpret_cast<char*>(decoded_), sizeof decoded_, 0 /* little-endian */, 2,
                             1 /* signed */, &section);
    const vorbis_info* const info = got > 0 ? ov_info(&file_, section) : nullptr;
    // A hole, a broken link or starvation is damage; so is a chained stream that changes format.
    if (got < 0 || reader_.starved || (got > 0 && (info == nullptr || info->rate != rate_ || info->channels != channels_))) {
      return fail();
    }
    if (got == 0) return false;
    reader_.sinceSound = 0;
    decodedBytes_ = static_cast<size_t>(got) / (static_cast<size_t>(channels_) * 2) * (static_cast<size_t>(channels_) * 2);
    decodedAt_ = 0;
    return decodedBytes_ > 0;
  }

  bool fail() {
    broken_ = true;
    close();
    haveCurrent_ = haveNext_ = false;
    return false;
  }

  void close() {
    if (open_) ov_clear(&file_);
    open_ = false;
  }

  MemoryReader reader_;
  OggVorbis_File file_{};
  bool open_ = false;
  bool broken_ = false;  // went wrong once: never plays again
  long rate_ = 0;
  int channels_ = 0;
  uint8_t decoded_[8192];  // S16LE at the stream's own rate and channel count
  size_t decodedBytes_ = 0;
  size_t decodedAt_ = 0;
  Frame current_, next_;
  bool haveCurrent_ = false, haveNext_ = false;
  long fraction_ = 0;  // in 1/kOutputRate steps of a source frame
};

}  // namespace

std::unique_ptr<PcmStream> ogg_stream_open(const uint8_t* data, size_t size) {
  if (data == nullptr || size == 0 || !ogg_stream_complete(data, size)) return nullptr;
  auto stream = std::make_unique<OggStream>(data, size);
  if (!stream->start()) return nullptr;
  return stream;
}
