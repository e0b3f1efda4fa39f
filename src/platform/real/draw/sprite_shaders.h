// The two small sprite shaders: the texture alone (opaque draws and full opacity), and the texture
// times a constant opacity. A shader that reads only a texture and constants, with no projective
// lookup as the fixed pipeline makes, is one the rasteriser runs on its fast path.
#pragma once

// Builds both for the current GL context. false when the context has no shaders (GL before 2.0, as
// indirect GLX and old drivers give) or they fail to compile or link: sprites are then drawn
// through the texture environment, with the same pixels.
bool sprite_shaders_start();
// The shader for this opacity (1 to 255) from now on; only after sprite_shaders_start succeeded.
void sprite_shaders_use(int intensity);
