// The sound service over SDL 1.2 audio: the device, the loaded sounds and the channel table that the
// device's callback thread mixes. The game thread changes the table only while holding SDL's audio
// lock, which the callback runs under, so the mixer never sees a half-made change.
#include <cstdlib>
#include <SDL.h>

#include <map>
#include <memory>
#include <vector>

#include "platform/platform.h"
#include "platform/real/sound/ogg_stream.h"
#include "platform/real/sound/sound.h"
#include "platform/real/sound/sound_decode.h"
#include "platform/real/sound/sound_mixer.h"

namespace {

constexpr Uint16 kDeviceFrames = 512;

// A WAV sound decoded whole, or an OGG one decoded as it plays from the caller's block.
struct Sound {
  std::vector<uint8_t> pcm;  // output format; channels point into it while they play it
  std::unique_ptr<PcmStream> stream;
  int volume = 100;
};

enum class DeviceState { NeverTried, Running, Failed };

DeviceState deviceState = DeviceState::NeverTried;
std::map<int, Sound> sounds;  // changed on the game thread only, under the lock while channels may use it
ChannelTable channels;

void mix_callback(void*, Uint8* stream, int length) {
  SDL_memset(stream, 0, static_cast<size_t>(length));
  mix_channels(channels, stream, static_cast<size_t>(length));
}

bool running() { return deviceState == DeviceState::Running; }

// Runs `change` on the channel table with the mixer held off.
template <typename Change>
void with_mixer_locked(Change change) {
  SDL_LockAudio();
  change();
  SDL_UnlockAudio();
}

bool open_device() {
  // SDL would otherwise turn SIGINT and SIGTERM into quit events that nobody reads, and the game
  // could no longer be stopped by a signal.
  setenv("SDL_NO_SIGNAL_HANDLERS", "1", 1);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return false;
  SDL_AudioSpec wanted;
  SDL_memset(&wanted, 0, sizeof wanted);
  wanted.freq = kOutputRate;
  wanted.format = AUDIO_S16LSB;
  wanted.channels = kOutputChannels;
  wanted.samples = kDeviceFrames;
  wanted.callback = mix_callback;
  // No "obtained" spec: SDL converts to the device's real format behind the callback.
  if (SDL_OpenAudio(&wanted, nullptr) < 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudio(0);
  return true;
}

}  // namespace

int sound_init() {
  if (deviceState == DeviceState::NeverTried) deviceState = open_device() ? DeviceState::Running : DeviceState::Failed;
  return running() ? 1 : 0;
}

// Also lets a later sound_init open the device afresh (the tests switch audio drivers this way).
void sound_shutdown() {
  if (running()) {
    SDL_CloseAudio();  // the callback has stopped when this returns
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  channels = ChannelTable{};
  sounds.clear();
  deviceState = DeviceState::NeverTried;
}

namespace {
// Puts `loaded` in place of the sound of that number (none when it did not decode). Channels still
// playing the old sound would read freed memory: they stop before it is replaced.
int replace_sound(int sound, bool decoded, Sound loaded) {
  Sound replaced;
  with_mixer_locked([&] {
    channel_stop(channels, sound);
    const auto old = sounds.find(sound);
    if (old != sounds.end()) {
      replaced = std::move(old->second);
      sounds.erase(old);
    }
    if (decoded) sounds[sound] = std::move(loaded);
  });
  return decoded ? 1 : 0;
}
}  // namespace

int sound_load_ogg(int sound, const void* data, size_t size) {
  if (!running()) return 0;
  Sound loaded;
  const bool decoded = wav_data(data, size) ? wav_decode(data, size, &loaded.pcm)
                                            : (loaded.stream = ogg_stream_open(static_cast<const uint8_t*>(data), size)) != nullptr;
  return replace_sound(sound, decoded, std::move(loaded));
}

int sound_load_ogg_decoded(int sound, const void* data, size_t size) {
  if (!running()) return 0;
  Sound loaded;
  const bool decoded = wav_data(data, size) ? wav_decode(data, size, &loaded.pcm) : ogg_decode_whole(data, size, &loaded.pcm);
  return replace_sound(sound, decoded, std::move(loaded));
}

void sound_play(int sound, int flags) {
  if (!running()) return;
  const auto found = sounds.find(sound);
  if (found == sounds.end()) return;
  const Sound& played = found->second;
  with_mixer_locked([&] {
    if (played.stream != nullptr) {
      channel_play_stream(channels, sound, played.stream.get(), played.volume, flags);
    } else {
      channel_play(channels, sound, played.pcm.data(), played.pcm.size(), played.volume, flags);
    }
  });
}

void sound_pause(int sound) {
  if (running()) with_mixer_locked([&] { channel_pause(channels, sound); });
}

void sound_resume(int sound) {
  if (running()) with_mixer_locked([&] { channel_resume(channels, sound); });
}

void sound_stop(int sound) {
  if (running()) with_mixer_locked([&] { channel_stop(channels, sound); });
}

void sound_volume(int sound, int volume) {
  if (running()) with_mixer_locked([&] { channel_set_volume(channels, sound, volume); });
}

int sound_status(int sound) {
  if (!running() || sounds.count(sound) == 0) return SoundMissing;
  int status = SoundIdle;
  with_mixer_locked([&] { status = channel_status(channels, sound); });
  return status;
}
