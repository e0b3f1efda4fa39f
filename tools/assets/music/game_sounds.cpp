#include "music/game_sounds.h"

#include "music/effects.h"
#include "music/instruments.h"
#include "music/score.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace music {

namespace {

constexpr double secondsPerEighth = static_cast<double>(framesPerBeat) / 2.0 / sampleRate;

std::size_t framesOf(double seconds) { return static_cast<std::size_t>(seconds * sampleRate); }

// What a sound is played into: `dry` straight out, `roomed` also into a small room.
struct Takes {
  LoopBuffer& dry;
  LoopBuffer& roomed;
};

// A fourth-order Butterworth low-pass at 4.5 kHz, two biquads: the attacks' and the high notes' top
// partials rounded off, so nothing of an effect glitters above 8 kHz.
void soften(std::vector<float>& samples) {
  for (const double q : {0.5412, 1.3066}) {
    const double w = 2.0 * M_PI * 4500.0 / sampleRate, alpha = std::sin(w) / (2.0 * q), a0 = 1.0 + alpha, c = std::cos(w);
    const double b0 = (1.0 - c) / 2.0 / a0, b1 = (1.0 - c) / a0, a1 = -2.0 * c / a0, a2 = (1.0 - alpha) / a0;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    for (float& s : samples) {
      const double y = b0 * s + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
      x2 = x1, x1 = s, y2 = y1, y1 = y;
      s = static_cast<float>(y);
    }
  }
}

// Plays `play` into a buffer two seconds longer than the sound, so nothing rings round to its start,
// adds the room, softens it, keeps `seconds` of it and lets the last `fadeSeconds` die away to silence. The
// loudest sample becomes `peak`.
LoopBuffer finished(double seconds, double fadeSeconds, double peak, const std::function<void(const Takes&)>& play) {
  const std::size_t length = framesOf(seconds), room = length + framesOf(2.0);
  LoopBuffer dry(room), roomed(room);
  play(Takes{dry, roomed});
  LoopBuffer mix(room);
  for (std::size_t i = 0; i < room; ++i) {
    mix.left[i] = dry.left[i] + roomed.left[i];
    mix.right[i] = dry.right[i] + roomed.right[i];
  }
  addReverb(roomed, mix, 0.45, 0.5, 0.6);
  soften(mix.left);
  soften(mix.right);
  LoopBuffer sound(length);
  const std::size_t fade = framesOf(fadeSeconds);
  float loudest = 0.0f;
  for (std::size_t i = 0; i < length; ++i) {
    const std::size_t left = length - 1 - i;  // frames after this one
    const double gain = left >= fade ? 1.0 : 0.5 - 0.5 * std::cos(M_PI * static_cast<double>(left) / fade);
    sound.left[i] = static_cast<float>(mix.left[i] * gain);
    sound.right[i] = static_cast<float>(mix.right[i] * gain);
    loudest = std::max({loudest, std::abs(sound.left[i]), std::abs(sound.right[i])});
  }
  const float scale = loudest > 0.0f ? static_cast<float>(peak) / loudest : 0.0f;
  for (std::size_t i = 0; i < length; ++i) sound.left[i] *= scale, sound.right[i] *= scale;
  return sound;
}

std::size_t at(double seconds) { return framesOf(seconds); }

// The first notes come in after a few milliseconds of silence, so no sound begins with a click.
constexpr double kLeadIn = 0.008;

// A card lands: a brush's swish and one short, soft vibraphone note; the second card of a turn a
// third higher.
LoopBuffer cardTurned(int midi, unsigned seed) {
  return finished(0.22, 0.12, 0.17, [&](const Takes& t) {
    brush(t.roomed, 0, 0.5, seed);
    mallet(t.dry, Note{at(kLeadIn), 0.05, static_cast<double>(midi), 0.35, 0.0});
    electricPiano(t.roomed, Note{at(kLeadIn), 0.05, static_cast<double>(midi - 12), 0.12, 0.0});
  });
}

// A gentle chime: E, G and C of C major rung quickly one after another at the top of the vibraphone,
// brighter than anything else the game sounds, with the piano's bell an octave below.
LoopBuffer pairFound() {
  return finished(0.9, 0.35, 0.16, [](const Takes& t) {
    const int notes[] = {88, 91, 96};  // E6 G6 C7
    for (int i = 0; i < 3; ++i) {
      const double start = kLeadIn + 0.07 * i;
      mallet(t.dry, Note{at(start), 0.4 - start, static_cast<double>(notes[i]), 0.3, -0.3 + 0.3 * i});
      electricPiano(t.roomed, Note{at(start), 0.3 - start, static_cast<double>(notes[i] - 12), 0.12, 0.2 - 0.2 * i});
    }
  });
}

// A wrong pair turns back: two low, muted piano notes falling a third, A to F, over a round bass F.
LoopBuffer wrongPair() {
  return finished(0.45, 0.2, 0.17, [](const Takes& t) {
    electricPiano(t.roomed, Note{at(kLeadIn), 0.1, 57.0, 0.3, -0.1});
    electricPiano(t.roomed, Note{at(kLeadIn + 0.12), 0.15, 53.0, 0.3, 0.1});
    bass(t.dry, Note{at(kLeadIn + 0.12), 0.2, 41.0, 0.25, 0.0});
  });
}

// The board cleared: the tune rises through C major to the octave over a C major seventh of piano
// and pad, at the music's own pace (an eighth note apart).
LoopBuffer wellDone() {
  return finished(2.8, 0.8, 0.18, [](const Takes& t) {
    const int tune[] = {72, 76, 79, 84};  // C5 E5 G5 C6
    for (int i = 0; i < 4; ++i) {
      const double start = kLeadIn + i * secondsPerEighth * 0.75, held = i == 3 ? 1.3 : secondsPerEighth * 0.7;
      mallet(t.dry, Note{at(start), held, static_cast<double>(tune[i]), 0.3, -0.2 + 0.15 * i});
    }
    for (const int midi : {60, 64, 67, 71}) {
      electricPiano(t.roomed, Note{at(kLeadIn), 1.6, static_cast<double>(midi), 0.08, (midi - 65) / 12.0});
      pad(t.roomed, Note{at(kLeadIn), 1.2, static_cast<double>(midi - 12), 0.04, (65 - midi) / 12.0});
    }
    bass(t.dry, Note{at(kLeadIn), 1.6, 36.0, 0.18, 0.0});
  });
}

}  // namespace

std::vector<GameSound> composeGameSounds() {
  std::vector<GameSound> sounds;
  sounds.push_back({"card turned 1.ogg", cardTurned(76, 11)});  // E5
  sounds.push_back({"card turned 2.ogg", cardTurned(79, 23)});  // G5
  sounds.push_back({"pair found.ogg", pairFound()});
  sounds.push_back({"wrong pair.ogg", wrongPair()});
  sounds.push_back({"well done.ogg", wellDone()});
  return sounds;
}

}  // namespace music
