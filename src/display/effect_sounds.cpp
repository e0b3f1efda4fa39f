#include "display/effect_sounds.h"

#include <memory>

#include "display/data_pack.h"
#include "platform/platform.h"
#include "services/log.h"

namespace {
constexpr size_t kEffectBlock = 1048576;  // far more than any of them takes

struct EffectEntry {
  EffectSound sound;
  const char* name;
};
constexpr EffectEntry kEffects[] = {
    {kSoundCardTurned1, "card turned 1.ogg"}, {kSoundCardTurned2, "card turned 2.ogg"},
    {kSoundPairFound, "pair found.ogg"},      {kSoundWrongPair, "wrong pair.ogg"},
    {kSoundWellDone, "well done.ogg"},
};

// "" when it loaded, otherwise the word for the log.
const char* loadEffect(DataPack& pack, const EffectEntry& effect) {
  const int64_t size = pack.entrySize(effect.name);
  if (size < 0) return "MISSING";
  if (size == 0 || size > int64_t(kEffectBlock)) return "UNUSABLE";
  // Decoded whole, the sound no longer reads the block.
  auto block = std::make_unique_for_overwrite<unsigned char[]>(size_t(size));
  const int64_t unpacked = pack.unpack(effect.name, block.get(), size_t(size));
  if (unpacked <= 0 || !sound_load_ogg_decoded(effect.sound, block.get(), size_t(unpacked))) return "UNUSABLE";
  return "";
}
}  // namespace

void LoadEffectSounds(const std::string& packPath) {
  DataPack pack;
  pack.open(packPath);
  for (const EffectEntry& effect : kEffects) {
    const std::string failure = loadEffect(pack, effect);
    if (failure.empty()) continue;
    WriteLogLine("Load asset (" + std::string(effect.name) + "):" + Tabs(2) + failure + ", PLAYING WITHOUT IT");
  }
}

void PlayEffect(EffectSound effect, int64_t soundsOn) {
  if (soundsOn != 0) sound_play(effect, 0);
}
