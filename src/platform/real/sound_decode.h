// Decoding a whole sound file from memory into PCM in the mixer's output format (44,100 Hz stereo
// S16LE). Called by sound_load_ogg on the game thread; touches no shared state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// "RIFF" data is read as WAV, anything else as OGG Vorbis. False when neither decodes it, including
// an OGG stream that is cut short. The PCM is a whole number of stereo frames.
bool sound_decode(const void* data, size_t size, std::vector<uint8_t>* pcm);

// Decodes an OGG Vorbis stream to interleaved S16LE at its own rate and channel count.
bool ogg_decode(const uint8_t* data, size_t size, std::vector<uint8_t>* pcm, int* rate, int* channels);
