// The one looping music track, sound 0.
#pragma once

#include <string>

constexpr int kMusicSound = 0;
constexpr size_t kMusicBlock = 15728640;

// Unpacks and decodes "music.ogg" from the data pack into sound 0 and logs it. false on any failure
// (the caller reports "music.ogg" as a failed asset).
bool LoadMusic(const std::string& packPath);
// At exit: playing music is turned down in ten steps and stopped; paused or stopped music is left.
void FadeOutMusic();
// The M key outside the settings: stops the music or starts it from its beginning.
void ToggleMusic(int64_t* musicOn);
// While the game is away (inactive, minimised) playing music pauses; back, paused music plays on.
// Stopped music (M, the settings) is left as it is either way.
void PauseMusic();
void ResumeMusic();
