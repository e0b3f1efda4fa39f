#include "display/music.h"

#include <memory>
#include <utility>

#include "display/data_pack.h"
#include "platform/platform.h"
#include "services/log.h"

namespace {
// The unpacked track: the sound service decodes the music from it while it plays, so it lives as long
// as sound 0 does, to the end of the program (never freed: the audio thread may still read it while
// the program exits).
unsigned char* musicBlock = nullptr;
}  // namespace

bool LoadMusic(const std::string& packPath) {
  DataPack pack;
  if (!pack.open(packPath)) return false;
  // The block holds just the track (at most kMusicBlock bytes), left uninitialised for the unpacking.
  const int64_t stored = pack.entrySize("music.ogg");
  if (stored <= 0 || stored > int64_t(kMusicBlock)) return false;
  auto block = std::make_unique_for_overwrite<unsigned char[]>(size_t(stored));
  const int64_t size = pack.unpack("music.ogg", block.get(), size_t(stored));
  if (size <= 0 || !sound_load_ogg(kMusicSound, block.get(), size_t(size))) return false;
  // The sound now reads the new block; the one it replaced is no longer read.
  delete[] std::exchange(musicBlock, block.release());
  WriteLogLine("Load asset (music.ogg):" + Tabs(2) + "OK");
  return true;
}

void FadeOutMusic() {
  if (sound_status(kMusicSound) != SoundPlaying) return;
  for (int volume = 100; volume >= 10; volume -= 10) sound_volume(kMusicSound, volume);
  sound_stop(kMusicSound);
}

void PauseMusic() {
  if (sound_status(kMusicSound) == SoundPlaying) sound_pause(kMusicSound);
}

void ResumeMusic() {
  if (sound_status(kMusicSound) == SoundPaused) sound_resume(kMusicSound);
}

void ToggleMusic(int64_t* musicOn) {
  if (*musicOn == 1) {
    sound_stop(kMusicSound);
    *musicOn = 0;
  } else {
    sound_play(kMusicSound, kSoundLoop);
    *musicOn = 1;
  }
}
