// Generated sound files for the sound tests: sine tones as OGG Vorbis (encoded here with
// libvorbisenc) and as WAV, so no test depends on a file on disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

std::vector<uint8_t> sine_ogg(double frequency, double seconds, int rate, int channels);
std::vector<uint8_t> sine_wav(double frequency, double seconds, int rate, int channels);

// Output-format PCM (S16LE stereo) of `frames` frames, every sample `value`.
std::vector<uint8_t> constant_pcm(int16_t left, int16_t right, size_t frames);
// Sample `index` (counting left and right separately) of S16LE bytes.
int16_t sample_at(const std::vector<uint8_t>& pcm, size_t index);
