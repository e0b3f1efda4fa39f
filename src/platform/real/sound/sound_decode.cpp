// WAV files to output-format PCM: SDL's loader, then SDL's converter for any other rate, sample
// format or channel count. Short OGG Vorbis sounds: their stream read to its end at once.
#include "platform/real/sound/sound_decode.h"

#include <SDL.h>

#include <climits>
#include <cstring>
#include <memory>

#include "platform/real/sound/ogg_stream.h"
#include "platform/real/sound/sound_mixer.h"

namespace {

bool convert_to_output(Uint16 format, int channels, int rate, const uint8_t* data, size_t size,
                       std::vector<uint8_t>* pcm) {
  SDL_AudioCVT convert;
  std::memset(&convert, 0, sizeof convert);
  const int built = SDL_BuildAudioCVT(&convert, format, static_cast<Uint8>(channels), rate, AUDIO_S16LSB,
                                      kOutputChannels, kOutputRate);
  if (built < 0) return false;
  if (built == 0) {
    pcm->assign(data, data + size);
  } else {
    if (convert.len_mult <= 0 || size > static_cast<size_t>(INT_MAX / convert.len_mult)) return false;
    std::vector<uint8_t> work(size * convert.len_mult);
    std::memcpy(work.data(), data, size);
    convert.buf = work.data();
    convert.len = static_cast<int>(size);
    if (SDL_ConvertAudio(&convert) != 0 || convert.len_cvt < 0) return false;
    work.resize(static_cast<size_t>(convert.len_cvt));
    *pcm = std::move(work);
  }
  pcm->resize(pcm->size() / kOutputFrameBytes * kOutputFrameBytes);
  return !pcm->empty();
}

}  // namespace

bool wav_data(const void* data, size_t size) { return data != nullptr && size >= 4 && std::memcmp(data, "RIFF", 4) == 0; }

bool wav_decode(const void* data, size_t size, std::vector<uint8_t>* pcm) {
  pcm->clear();
  if (!wav_data(data, size) || size > INT_MAX) return false;
  SDL_RWops* const stream = SDL_RWFromConstMem(data, static_cast<int>(size));
  if (stream == nullptr) return false;
  SDL_AudioSpec spec;
  std::memset(&spec, 0, sizeof spec);
  Uint8* samples = nullptr;
  Uint32 length = 0;
  if (SDL_LoadWAV_RW(stream, 1 /* frees the stream */, &spec, &samples, &length) == nullptr) return false;
  const bool ok = convert_to_output(spec.format, spec.channels, spec.freq, samples, length, pcm);
  SDL_FreeWAV(samples);
  return ok;
}

bool ogg_decode_whole(const void* data, size_t size, std::vector<uint8_t>* pcm) {
  pcm->clear();
  const std::unique_ptr<PcmStream> stream = ogg_stream_open(static_cast<const uint8_t*>(data), size);
  if (stream == nullptr) return false;
  uint8_t chunk[16384];
  for (size_t got = 0; (got = stream->read(chunk, sizeof chunk)) > 0;) {
    if (pcm->size() + got > kMaxWholePcmBytes) return false;
    pcm->insert(pcm->end(), chunk, chunk + got);
  }
  return !stream->damaged() && !pcm->empty();
}
