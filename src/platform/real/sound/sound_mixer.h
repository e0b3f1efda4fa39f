// The sound channel table and the mixing arithmetic, free of any audio device so the tests can run
// them on plain buffers. The device callback (sound_device.cpp) calls mix_channels; the game thread
// changes the table through the channel_* operations while holding the audio lock.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Output format of every sound and of the device: 44,100 Hz, stereo, signed 16-bit little-endian.
constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;
constexpr size_t kOutputFrameBytes = 4;
constexpr int kMixChannels = 32;

enum ChannelState { ChannelFree = 0, ChannelPlaying = 1, ChannelPaused = 2 };

// A sound decoded while it plays: the mixer pulls its PCM, in the output format, a buffer at a time
// on the device's thread (under the audio lock, like every change of the channel table), so a read
// does a bounded amount of work.
class PcmStream {
 public:
  virtual ~PcmStream() = default;
  // Up to `bytes` bytes (whole frames) of the next PCM; fewer only at the end of the sound or when
  // it cannot go on (damaged data), and then nothing more until restarted.
  virtual size_t read(uint8_t* out, size_t bytes) = 0;
  // True once it stopped for damaged data rather than at its end: a loop does not restart it.
  virtual bool damaged() const = 0;
  // Back to the first sample, also after damage; false when even that does not play.
  virtual bool restart() = 0;
};

struct MixChannel {
  int sound = -1;
  const uint8_t* data = nullptr;  // the sound's PCM in the output format
  PcmStream* stream = nullptr;    // or the stream it comes from (data, position and remaining unused)
  size_t position = 0;            // byte offset of the next sample
  size_t remaining = 0;           // bytes left; 0 (and no stream) means the channel is free
  int volume = 100;               // 0-100
  size_t loopStart = 0;
  size_t loopLength = 0;          // 0 when not looping (a stream loops by its flags)
  int flags = 0;
  int state = ChannelFree;
};
using ChannelTable = std::array<MixChannel, kMixChannels>;

// 0-100 onto the mixer's 0-128 scale.
constexpr int mixer_volume(int volume) { return volume * 128 / 100; }
constexpr int clamp_volume(int volume) { return volume < 0 ? 0 : volume > 100 ? 100 : volume; }

// Adds every playing channel into `buffer` (S16LE stereo, `bytes` long) in table order, with
// saturation, each at its own volume, and advances the channels. A looping channel that runs out
// inside the buffer starts again at its loop start (a stream at its first sample) and fills the rest
// of the buffer from there; a stream that cannot go on (damaged) frees its channel.
void mix_channels(ChannelTable& channels, uint8_t* buffer, size_t bytes);

// The game's sound operations on the table. `flags`: bit 0 loop; without bit 1 the sound's channels
// are stopped first, so playing restarts the sound. The sound takes the first free channel (none
// free: nothing plays).
void channel_play(ChannelTable& channels, int sound, const uint8_t* data, size_t length, int volume, int flags);
// The same for a streamed sound, restarted from its first sample. A stream has one reading position,
// so its other channels always stop first. Nothing plays when it cannot restart.
void channel_play_stream(ChannelTable& channels, int sound, PcmStream* stream, int volume, int flags);
void channel_stop(ChannelTable& channels, int sound);
void channel_pause(ChannelTable& channels, int sound);
void channel_resume(ChannelTable& channels, int sound);
// Clamps to 0-100 and sets it on every channel holding the sound.
void channel_set_volume(ChannelTable& channels, int sound, int volume);
// State of the first channel holding the sound: ChannelFree when it holds none.
int channel_status(const ChannelTable& channels, int sound);
