// Decoding a whole WAV file from memory into PCM in the mixer's output format (44,100 Hz stereo
// S16LE). Called by sound_load_ogg on the game thread; touches no shared state. OGG Vorbis is not
// decoded whole but while it plays (ogg_stream.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Data beginning with "RIFF".
bool wav_data(const void* data, size_t size);
// False when it does not decode. The PCM is a whole number of stereo frames.
bool wav_decode(const void* data, size_t size, std::vector<uint8_t>* pcm);
