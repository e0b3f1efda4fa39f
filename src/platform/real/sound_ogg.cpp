// OGG Vorbis from memory through libvorbisfile, with a reader over the memory block.
#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/real/sound_decode.h"

namespace {

struct MemoryReader {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t position = 0;
};

size_t memory_read(void* target, size_t itemSize, size_t items, void* source) {
  MemoryReader* const reader = static_cast<MemoryReader*>(source);
  if (itemSize == 0) return 0;
  const size_t wanted = std::min(items, (reader->size - reader->position) / itemSize);
  std::memcpy(target, reader->data + reader->position, wanted * itemSize);
  reader->position += wanted * itemSize;
  return wanted;
}

int memory_seek(void* source, ogg_int64_t offset, int whence) {
  MemoryReader* const reader = static_cast<MemoryReader*>(source);
  const ogg_int64_t base = whence == SEEK_SET   ? 0
                           : whence == SEEK_CUR ? static_cast<ogg_int64_t>(reader->position)
                                                : static_cast<ogg_int64_t>(reader->size);
  const ogg_int64_t target = base + offset;
  if (target < 0 || target > static_cast<ogg_int64_t>(reader->size)) return -1;
  reader->position = static_cast<size_t>(target);
  return 0;
}

long memory_tell(void* source) { return static_cast<long>(static_cast<MemoryReader*>(source)->position); }

// A whole stream ends with a complete page marked end-of-stream. vorbisfile happily plays what it can
// of a cut file, so a stream cut short is caught here instead.
bool ogg_stream_complete(const uint8_t* data, size_t size) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  char* const buffer = ogg_sync_buffer(&sync, static_cast<long>(size));
  bool endSeen = false;
  bool trailingPartial = false;
  if (buffer != nullptr) {
    std::memcpy(buffer, data, size);
    ogg_sync_wrote(&sync, static_cast<long>(size));
    ogg_page page;
    int result = 0;
    while ((result = ogg_sync_pageout(&sync, &page)) != 0) {
      if (result > 0) endSeen = ogg_page_eos(&page) != 0;
    }
    trailingPartial = sync.fill > sync.returned;  // bytes of a page that never completed
  }
  ogg_sync_clear(&sync);
  return endSeen && !trailingPartial;
}

// The longest music accepted, as decoded PCM (about 25 minutes of 44,100 Hz stereo): a damaged or
// hostile stream of near-empty packets must not decode into gigabytes.
constexpr size_t kMaxPcmBytes = size_t{256} << 20;

}  // namespace

bool ogg_decode(const uint8_t* data, size_t size, std::vector<uint8_t>* pcm, int* rate, int* channels) {
  if (size == 0 || !ogg_stream_complete(data, size)) return false;
  MemoryReader reader{data, size, 0};
  const ov_callbacks callbacks{memory_read, memory_seek, nullptr, memory_tell};
  OggVorbis_File file;
  if (ov_open_callbacks(&reader, &file, nullptr, 0, callbacks) != 0) return false;

  const vorbis_info* const info = ov_info(&file, -1);
  bool ok = info != nullptr && info->channels > 0 && info->rate > 0;
  if (ok) {
    *rate = static_cast<int>(info->rate);
    *channels = info->channels;
    const ogg_int64_t frames = ov_pcm_total(&file, -1);
    // The length comes from the stream's last page: trusted only as far as the limit.
    if (frames > 0 && static_cast<uint64_t>(frames) <= kMaxPcmBytes / 2 / static_cast<unsigned>(info->channels)) {
      pcm->reserve(static_cast<size_t>(frames) * info->channels * 2);
    }
  }
  char chunk[16384];
  int section = 0;
  while (ok) {
    const long got = ov_read(&file, chunk, sizeof chunk, 0 /* little-endian */, 2, 1 /* signed */, &section);
    if (got == 0) break;
    if (got < 0) {
      ok = false;  // a hole or a broken link: the data is damaged
      break;
    }
    // Chained streams may change format midway; the game's music is one stream, so refuse those.
    const vorbis_info* const current = ov_info(&file, section);
    if (current == nullptr || current->channels != *channels || current->rate != *rate) {
      ok = false;
      break;
    }
    if (pcm->size() + static_cast<size_t>(got) > kMaxPcmBytes) {
      ok = false;
      break;
    }
    pcm->insert(pcm->end(), chunk, chunk + got);
  }
  ov_clear(&file);
  return ok && !pcm->empty();
}
