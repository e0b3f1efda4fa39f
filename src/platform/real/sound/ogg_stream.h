// OGG Vorbis decoded while it plays, straight from the memory block it was loaded from: memory does
// not grow with the length of the track, so every track that fits its block plays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/real/sound/sound_mixer.h"

// Opens a stream over `data`, which must stay alive as long as the stream, and unchanged from the
// first audio page on. nullptr unless it is a whole OGG stream (not cut short) whose first Vorbis
// link, in one or two channels, has headers that read and audio that decodes.
std::unique_ptr<PcmStream> ogg_stream_open(const uint8_t* data, size_t size);
