// WAV files to output-format PCM: SDL's loader, then SDL's converter for any other rate, sample
// format or channel count.
#include "platform/real/sound/sound_decode.h"

#include <SDL.h>

#include <climits>
#include <cstring>

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

