// Each frame's draw calls against those of the frame on screen. Most frames repeat it: every screen
// of the game stands still until the player does something, and then mostly a little of it moves.
// - A frame's calls are held back until it ends (or the screen is read, or a texture changes or
//   goes: then they are drawn, and the frame's later calls as they come).
// - A frame that makes exactly the calls of the frame on screen, on the same texture contents, is
//   neither drawn nor shown, unless the window lost what it showed.
// - Where the screen shows parts of frames (screen.h), a frame that begins by replacing every pixel,
//   after one that did too, draws and shows only the rectangles where the two frames' calls differ:
//   those of the calls that are not in both, in the same order (a moving pointer's old and new
//   place, a turned card, a fading pair). Inside them every call of the frame is drawn, clipped to
//   them, so the screen holds exactly the pixels of the whole frame.
// - Where the screen also takes parts composed on the CPU, such frames that end with a call laid
//   over the rest (the full-screen pointer) draw only the calls under it, where those changed, and
//   leave the call to the CPU: the back buffer holds the frame without it, and the pixels under it
//   are read back where it is laid, once after they changed.
// - The layers under a full-screen veil are kept from one frame to the next. The menu and the
//   questions draw the background, 48 cards with their shadows and a dimming layer before the
//   panel, and it stays the same while the pointer or a vanishing pair moves over it: once two
//   frames in a row have drawn the same calls up to their last full-screen draw, the screen as it
//   stood after that draw is copied into a texture, and the next frames that begin with the same
//   calls draw the copy instead. The copy is exact (of the window's own depth, 1:1, nearest, no
//   blending), so the pixels are those the calls would have drawn.
#pragma once

#include <cstdint>

#include <GL/gl.h>

#include "platform/platform.h"
#include "platform/real/screen/screen.h"

// One sprite draw, as it reaches the screen: equal calls of sprites with the same texture content
// draw the same pixels. The sprite and its texture are found again when the call is drawn: a texture
// never changes or goes while calls are held back.
struct DrawCall {
  SpriteId id = 0;
  uint64_t textureVersion = 0;  // changes with every upload of the sprite's texture
  int x = 0, y = 0, shownWidth = 0, shownHeight = 0;
  int clipX = 0, clipY = 0, clipWidth = 0, clipHeight = 0;
  int intensity = 0;  // 1 to 255 blended; kReplace drawn without blending
  GLint filter = 0;
  bool operator==(const DrawCall&) const = default;
  static constexpr int kReplace = 256;
};

// Draws the call, or holds it back while the frame so far matches the frame on screen or the kept
// copy.
void frame_cache_draw(const DrawCall& call);
// Draws every call held back, so the screen shows all calls made; before reading the screen,
// changing or deleting a texture, and at the end of a frame.
void frame_cache_flush();
// The frame is complete: true when it must be shown, with the part of the screen it changed; false
// when the screen shows it already (then nothing of it was drawn). A frame that draws nothing shows
// the screen as it is.
bool frame_cache_end_frame(ScreenChange* changed);
// The window system lost what the screen showed (exposed, mapped again, resized): the next frame
// is drawn and shown, even one that draws nothing, which then shows the frame on screen again. Half
// way through a frame, no copy is kept of the rest of it.
void frame_cache_screen_damaged();
// A new GL context: nothing is on its screen yet, and the copy went with the old one.
void frame_cache_reset();

// In frame_changes.cpp: the rectangles where the frame `now` may give other pixels than `before`,
// merged so that none overlaps another; false when they would cover most of the screen.
bool frame_changes(const DrawCall* before, int beforeCount, const DrawCall* now, int nowCount, ScreenChange* changed);
// In frame_changes.cpp: whether the call draws into the rectangle.
bool call_reaches(const DrawCall& call, const ScreenChange::Rect& rect);

// In top_layer.cpp: the frame's last call laid over the pixels under it on the CPU, where the
// screen takes parts composed so (gl_composes_parts). Whether this call can be: drawn 1:1, opaque as
// a call, on its texture as it is now.
bool top_layer_composes(const DrawCall& call);
// The back buffer changed in these rectangles, or all of it, since the pixels under the top were
// read from it.
void top_layer_under_changed(const ScreenChange& change);
void top_layer_whole_under_changed();
// `call` laid over the pixels under it in the changed rectangles that it reaches, and in those
// where the pixels read are still good: ScreenChange::composed and pixels. The others are left to
// the back buffer.
void top_layer_compose(ScreenChange* change, const DrawCall& call);
// A new context: the texels of the last sprite composed went with the old one.
void top_layer_forget();
// In sprite_drawing.cpp: a new GL context, with no opacity set yet and nothing on its screen.
void draw_context_made();
// Draws one call now.
void draw_call(const DrawCall& call);
// Draws a copy of the whole screen, taken bottom row first, 1:1 over the screen.
void draw_screen_copy(GLuint texture);
