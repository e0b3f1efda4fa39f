// Sound files to output-format PCM: WAV through SDL's loader, OGG Vorbis through sound_ogg.cpp, then
// SDL's converter for any other rate, sample format or channel count.
#include "platform/real/sound_decode.h"

#include <SDL.h>

#include <climits>
#include <cstring>

#include "platform/real/sound_mixer.h"

namespace {

bool convert_to_output(Uint16 format, int channels, int rate, const uint8_t* data, size_t size,
                       std::vector<uint8_t>* pcm) {
  SDL_AudioCVT convert;
  std::memset(&convert, 0, sizeof convert);
  const int built = SDL_BuildAudioCVT(&convert, format, static_cast<Uint8>(channels), rate, AUDIO_S16LSB,
                                      kOutputChannels, kOutputRate);
  if (built < 0) return false;
  if (built == 0) {
    if (pcm->data() != data) pcm->assign(data, data + size);  // decoded straight into pcm: kept as it is
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

bool wav_decode(const void* data, size_t size, std::vector<uint8_t>* pcm) {
  if (size > INT_MAX) return false;
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

}  // namespace

bool sound_decode(const void* data, size_t size, std::vector<uint8_t>* pcm) {
  pcm->clear();
  if (data == nullptr || size == 0) return false;
  if (size >= 4 && std::memcmp(data, "RIFF", 4) == 0) return wav_decode(data, size, pcm);

  // Decoded into pcm itself: a track already in the output format needs no second copy of a
  // minute of samples.
  int rate = 0;
  int channels = 0;
  if (!ogg_decode(static_cast<const uint8_t*>(data), size, pcm, &rate, &channels)) return false;
  return convert_to_output(AUDIO_S16LSB, channels, rate, pcm->data(), pcm->size(), pcm);
}
