// The sound room: the SDL audio device and its callback, the channel table and the mixing
// arithmetic, WAV decoding and the OGG Vorbis stream decoded while it plays. Owns the device, the
// channel table and the loaded sounds (sound_device.cpp); the mixer runs on the device's thread
// under the audio lock. It uses no other room.
#pragma once

// Audio shutdown for platform_shutdown. Safe to call when sound never started.
void sound_shutdown();
