// Encodes a stereo loop (or a sound) as an OGG Vorbis file (44,100 Hz) with libvorbisenc.
#pragma once

#include "music/loop_buffer.h"

#include <cstddef>
#include <string>

namespace music {

// quality: libvorbisenc's VBR quality, -0.1..1.0; `title` goes into its tags. Returns the file size;
// throws on failure.
std::size_t writeOggVorbis(const LoopBuffer& loop, const std::string& path, float quality, const std::string& title);

}  // namespace music
