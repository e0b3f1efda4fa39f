// Decoding a whole sound file from memory into PCM in the mixer's output format (44,100 Hz stereo
// S16LE): WAV files, and the short OGG Vorbis sounds that play many at a time and must cost nothing
// while they play. Called by sound_load_ogg and sound_load_ogg_decoded on the game thread; touches
// no shared state. The music's OGG Vorbis is not decoded whole but while it plays (ogg_stream.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Data beginning with "RIFF".
bool wav_data(const void* data, size_t size);
// False when it does not decode. The PCM is a whole number of stereo frames.
bool wav_decode(const void* data, size_t size, std::vector<uint8_t>* pcm);
// The longest sound decoded whole: a minute, 10 MiB of PCM.
constexpr size_t kMaxWholePcmBytes = size_t{60} * 44100 * 4;
// False when it does not decode to its end (damaged, cut short) or decodes to more than
// kMaxWholePcmBytes. The PCM is a whole number of stereo frames.
bool ogg_decode_whole(const void* data, size_t size, std::vector<uint8_t>* pcm);
