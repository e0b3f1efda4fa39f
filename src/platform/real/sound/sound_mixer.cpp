#include "platform/real/sound/sound_mixer.h"

#include <algorithm>

#include "platform/platform.h"

namespace {

int16_t read_sample(const uint8_t* bytes) { return static_cast<int16_t>(bytes[0] | bytes[1] << 8); }

void write_sample(uint8_t* bytes, int32_t value) {
  const int32_t clipped = std::clamp<int32_t>(value, -32768, 32767);
  bytes[0] = static_cast<uint8_t>(clipped & 255);
  bytes[1] = static_cast<uint8_t>(clipped >> 8 & 255);
}

void mix_samples(uint8_t* out, const uint8_t* in, size_t bytes, int volume128) {
  for (size_t i = 0; i + 1 < bytes; i += 2) {
    write_sample(out + i, read_sample(out + i) + read_sample(in + i) * volume128 / 128);
  }
}

bool in_use(const MixChannel& channel) { return channel.remaining > 0 || channel.stream != nullptr; }
bool holds(const MixChannel& channel, int sound) { return in_use(channel) && channel.sound == sound; }

// A stream's next bytes through a small buffer, restarted where it ends while looping. A restart
// happens at most once a buffer: a stream that ends again within the same buffer (shorter than a
// buffer) frees its channel, as does a damaged one.
void mix_stream(MixChannel& channel, uint8_t* buffer, size_t bytes) {
  uint8_t chunk[4096];
  bool restarted = false;
  size_t done = 0;
  while (done < bytes) {
    const size_t wanted = std::min(bytes - done, sizeof chunk);
    const size_t got = channel.stream->read(chunk, wanted);
    mix_samples(buffer + done, chunk, got, mixer_volume(channel.volume));
    done += got;
    if (got == wanted) continue;
    if ((channel.flags & kSoundLoop) == 0 || restarted || channel.stream->damaged() || !channel.stream->restart()) {
      channel = MixChannel{};
      return;
    }
    restarted = true;
  }
}

}  // namespace

void mix_channels(ChannelTable& channels, uint8_t* buffer, size_t bytes) {
  for (MixChannel& channel : channels) {
    if (!in_use(channel) || channel.state != ChannelPlaying) continue;
    if (channel.stream != nullptr) {
      mix_stream(channel, buffer, bytes);
      continue;
    }
    size_t done = 0;
    while (done < bytes && channel.remaining > 0) {
      const size_t chunk = std::min(bytes - done, channel.remaining);
      mix_samples(buffer + done, channel.data + channel.position, chunk, mixer_volume(channel.volume));
      channel.position += chunk;
      channel.remaining -= chunk;
      done += chunk;
      if (channel.remaining == 0 && channel.loopLength > 0) {
        channel.position = channel.loopStart;
        channel.remaining = channel.loopLength;
      }
    }
    if (channel.remaining == 0) channel = MixChannel{};
  }
}

void channel_play(ChannelTable& channels, int sound, const uint8_t* data, size_t length, int volume, int flags) {
  if ((flags & kSoundNoRestart) == 0) channel_stop(channels, sound);
  if (data == nullptr || length == 0) return;
  for (MixChannel& channel : channels) {
    if (in_use(channel)) continue;
    const bool loop = (flags & kSoundLoop) != 0;
    channel = MixChannel{sound, data, nullptr, 0, length, clamp_volume(volume), 0, loop ? length : 0, flags, ChannelPlaying};
    return;
  }
}

void channel_play_stream(ChannelTable& channels, int sound, PcmStream* stream, int volume, int flags) {
  channel_stop(channels, sound);
  if (stream == nullptr || !stream->restart()) return;
  for (MixChannel& channel : channels) {
    if (in_use(channel)) continue;
    channel = MixChannel{sound, nullptr, stream, 0, 0, clamp_volume(volume), 0, 0, flags, ChannelPlaying};
    return;
  }
}

void channel_stop(ChannelTable& channels, int sound) {
  for (MixChannel& channel : channels) {
    if (holds(channel, sound)) channel = MixChannel{};
  }
}

void channel_pause(ChannelTable& channels, int sound) {
  for (MixChannel& channel : channels) {
    if (holds(channel, sound) && channel.state == ChannelPlaying) channel.state = ChannelPaused;
  }
}

void channel_resume(ChannelTable& channels, int sound) {
  for (MixChannel& channel : channels) {
    if (holds(channel, sound) && channel.state == ChannelPaused) channel.state = ChannelPlaying;
  }
}

void channel_set_volume(ChannelTable& channels, int sound, int volume) {
  for (MixChannel& channel : channels) {
    if (holds(channel, sound)) channel.volume = clamp_volume(volume);
  }
}

int channel_status(const ChannelTable& channels, int sound) {
  for (const MixChannel& channel : channels) {
    if (holds(channel, sound)) return channel.state;
  }
  return ChannelFree;
}
