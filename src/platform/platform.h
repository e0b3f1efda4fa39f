// The one door between the game and the machine.
//
// Everything the game needs of the display, the window system, input, text rendering and audio is
// declared here as plain functions. Two implementations exist and one is chosen when linking:
//   src/platform/real/  X11 + GLX + XF86VidMode, GTK 3, cairo/pango, SDL 1.2 audio, libpng, libvorbis
//   src/platform/fake/  a recording fake that the unit tests drive and inspect
// No code outside src/platform/ includes a library header of the display, text or sound stack.
//
// Conventions: operations return 1 (or a handle) on success and 0 on failure; sprites and images are
// addressed by small fixed numbers, or by the handle returned when the number -1 is passed. Handles
// handed out for -1 never collide with the fixed numbers (they start at kFirstSpriteHandle) and are
// never 0. Colours are 32-bit: red bits 0-7, green 8-15, blue 16-23, alpha 24-31.
// Every function is called from the game thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using SpriteId = int64_t;  // a fixed sprite/image number or a handle; 0 is never a handle
constexpr SpriteId kNewSprite = -1;
constexpr SpriteId kFirstSpriteHandle = 1024;

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return (r & 255) | (g & 255) << 8 | (b & 255) << 16; }
constexpr uint32_t rgba(uint32_t r, uint32_t g, uint32_t b, uint32_t a) { return rgb(r, g, b) | (a & 255) << 24; }

// ---- process -----------------------------------------------------------------------------------
// The program's own parameters, argv[1] on, once GTK took out the options it knows (--display,
// --g-fatal-warnings, --class, --name, --gtk-module); platform_init applies those. Opens nothing,
// so the game reads its command line before any display or window. Called once, before
// platform_init.
std::vector<std::string> platform_program_parameters(int argc, char** argv);
// Called first thing by main: starts the libraries behind the services (GTK/GDK with the X11 backend
// when a display is reachable, the PNG and OGG decoders). Never fails: a missing display only makes
// opening a screen fail later and message boxes fall back to standard error.
void platform_init(int argc, char** argv);
// Called on every way out, fatal ones included: closes a screen that is still open (restoring the
// video mode), closes the audio device. Must not fail itself.
void platform_shutdown();
// Blocks the game thread for ms milliseconds (the 100 ms waits after clicks and while inactive).
void wait_ms(int ms);
// A steady clock in whole milliseconds, for what is timed in time rather than in frames.
int64_t platform_clock_ms();
// 1 once the desktop asked the game to end: the full-screen window's close request (Alt+F4, a
// taskbar's Close), the game's window destroyed under it, or a signal ending the session (SIGTERM at
// logout, SIGHUP when its terminal closes, Ctrl+C). The main loop reads it every pass and ends as
// QUIT ends it. (The window kinds' close request comes as EventCloseRequest.)
int platform_quit_requested();
// The game's last words when the X display is lost (the server ended, the connection killed): they
// run inside the display call that found it gone, where no screen, window or sound operation may
// run any more; the process then ends with status 1.
void platform_on_display_lost(void (*lastWords)());

// ---- subsystem starts (each 1 on success) -------------------------------------------------------
int sprite_init();
int keyboard_init();
int mouse_init();

// ---- screens ------------------------------------------------------------------------------------
// Size of desktop 0, the monitor holding the display's point (0, 0). 0 and width = height = 0 when no
// monitor is known.
int desktop_size(int desktop, int* width, int* height);
// Number of monitors of the default screen; 0 when there is no display.
int desktop_count();

constexpr int kFlipVsync = 2;
// Full screen at exactly width x height (switching the video mode). 0 when no such mode or no display.
int screen_open_fullscreen(int width, int height, int depth, const std::string& title, int flipMode);

enum WindowStyle { WindowStyleWindowed = 1, WindowStyleBorderless = 2 };
// Opens top-level window `window` (the game uses 0), hidden, centred on the desktop, fixed size.
int window_open(int window, int x, int y, int width, int height, const std::string& title, int style);
// Native handle of an open window, for screen_open_in_window; 0 when not open.
uintptr_t window_handle(int window);
// Opens the game screen as a drawing area of width x height inside the window with that handle.
int screen_open_in_window(uintptr_t windowHandle, int x, int y, int width, int height, int autoStretch,
                          int rightOffset, int bottomOffset, int flipMode);
void window_show(int window);
void window_activate(int window);
void window_minimize(int window);
void window_close(int window);
// The size of the window's drawing area in game pixels (the desktop's scaled pixels): what the window
// manager gave it, or as opened while it is not shown yet. 0 and 0 x 0 when the window is not open.
// A window of the windowed style takes any size from kWindowMinWidth x kWindowMinHeight up.
constexpr int kWindowMinWidth = 320;
constexpr int kWindowMinHeight = 200;
int window_size(int window, int* width, int* height);

// The longest side a game screen in a window can have, in game pixels: what X gives a window and GL
// draws and keeps a copy of, divided by the desktop's scale. 0 when there is no display to ask.
int screen_largest_side();

// Every later flip waits until more than 1000 / fps whole milliseconds passed since the end of the
// previous flip. 0 switches the limit off.
void screen_set_frame_rate(int fps);
// Shows the frame drawn since the previous flip, takes pending input in full screen, paces. Returns 1.
int screen_flip();
// 1 while the game screen has the input focus. Losing it marks every key up.
int screen_is_active();
// Closes the screen, restores the video mode, invalidates every sprite.
void screen_close();
// 0 nearest-neighbour, 1 bilinear, for every later draw of a scaled sprite.
void screen_set_sprite_quality(int quality);

// ---- window events (window kinds only) ----------------------------------------------------------
enum WindowEventCode {
  EventNone = 0,
  EventNothing = -1,  // input was processed but produced no event
  EventCloseRequest = 2,
  EventRepaint = 4,
  EventMoved = 5,
  EventResized = 6,
  EventFocusIn = 7,
  EventFocusOut = 8,
  EventMinimized = 12,
  EventMaximized = 13,
  EventRestored = 14,
  EventRightClick = 16,
  EventLeftClick = 17,
  EventLeftDoubleClick = 18,
  EventMouseMove = 24,
};
// Oldest queued event, removed from the queue; otherwise lets the window system process one round of
// pending input and returns what it produced (-1 for nothing); 0 when both are empty. Never waits.
// An event equal to the last one still queued is not queued again.
int window_event();
// Pointer position relative to the window's drawing area; -1 outside its width (x) or height (y).
int window_mouse_x(int window);
int window_mouse_y(int window);

// Modal information box with one OK button; returns when it is closed. flags 0. Works before any
// screen exists; without a display it prints title and text to standard error.
void message_box(const std::string& title, const std::string& text, int flags);

// ---- sprites ------------------------------------------------------------------------------------
constexpr int kSpritePlain = 0;      // alpha from the colour key
constexpr int kSpriteKeepAlpha = 8;  // alpha kept as loaded or drawn
constexpr int kPng = 0;              // sprite_save_png format

// All-zero sprite. Returns the handle for kNewSprite, nonzero otherwise; 0 on failure.
// Re-creating a number in use replaces the old sprite.
SpriteId sprite_create(SpriteId number, int width, int height, int flags);
// Decodes a PNG from memory into a new sprite of its size. 0 when the data is no decodable picture.
SpriteId sprite_load_png(SpriteId number, const void* data, size_t size, int flags);
// Opaque: each pixel, colour times its own alpha, replaces the screen's pixel.
void sprite_draw(SpriteId sprite, int x, int y);
// Alpha-blended with each pixel's alpha times intensity / 255.
void sprite_draw_blended(SpriteId sprite, int x, int y, int intensity = 255);
void sprite_set_color_key(SpriteId sprite, uint32_t rgbKey);
// Only the rectangle (cut to the sprite) is displayed from now on. -1 for each = the whole sprite.
void sprite_clip(SpriteId sprite, int x, int y, int width, int height);
// The displayed area is drawn stretched to width x height; -1 = the size before scaling.
void sprite_scale(SpriteId sprite, int width, int height);
// Displayed size after clip or scale; 0 for an invalid sprite.
int sprite_width(SpriteId sprite);
int sprite_height(SpriteId sprite);
// Copies that rectangle of the current frame into the sprite (flags 0, black colour key applied).
int sprite_grab_screen(SpriteId number, int x, int y, int width, int height);
// Writes the sprite's whole pixel area as 8-bit RGBA PNG.
int sprite_save_png(SpriteId sprite, const std::string& path, int format);
// Makes the sprite the target of image_draw and draw_box until drawing_end.
int sprite_begin_drawing(SpriteId sprite);
// Puts the drawing back into the sprite; a sprite without kSpriteKeepAlpha gets its colour key again.
void drawing_end();
// Fills a box of the drawing target with an opaque colour.
void draw_box(int x, int y, int width, int height, uint32_t rgbColour);

// ---- pictures decoded ahead -------------------------------------------------------------------
// Start-up hands in the PNG blocks it will load, in load order, before it opens the screen; they are
// decoded on another core meanwhile. A later sprite_load_png or image_load_png of the same block
// (same address and size) takes the decoded picture, waiting for it if need be; the results are the
// same as without. Blocks stay unchanged and alive until loaded or until picture_decode_ahead_stop,
// which drops every picture not taken (after a failed load, and once loading is over).
void picture_decode_ahead(const void* data, size_t size);
void picture_decode_ahead_stop();

// ---- off-screen images --------------------------------------------------------------------------
SpriteId image_load_png(SpriteId number, const void* data, size_t size);
// New image filled with the opaque colour; depth is always 32. 0 on failure.
SpriteId image_create(SpriteId number, int width, int height, int depth, uint32_t rgbFill);
int image_width(SpriteId image);
int image_height(SpriteId image);
// Bilinear rescale in place (mode 0). 0 on failure.
int image_resize(SpriteId image, int width, int height, int mode);
// New image `target` from a rectangle of `source`; 0 when the rectangle is not inside the source.
SpriteId image_copy_rect(SpriteId source, SpriteId target, int x, int y, int width, int height);
// Draws the image onto the current drawing target; pictures with alpha blend over what is there.
void image_draw(SpriteId image, int x, int y);
void image_free(SpriteId image);

// ---- text onto images ---------------------------------------------------------------------------
constexpr int kFontBold = 1;
constexpr int kFontItalic = 2;
constexpr int kParagraphLeft = 0;
constexpr int kParagraphRight = 2;
constexpr int kParagraphCentre = 4;
constexpr int kParagraphJustify = 8;

void font_load(int font, const std::string& family, int points, int style);
int image_begin_text_drawing(SpriteId image);
void text_set_font(int font);
void text_set_color(uint32_t rgbaColour);
void text_move_to(double x, double y);
void text_draw(const std::string& text);
void text_draw_paragraph(const std::string& text, int flags, double width, double height);
// Logical advance of the text as one line in the current font, fractions kept.
double text_width(const std::string& text);
void text_drawing_end();

// ---- input --------------------------------------------------------------------------------------
constexpr int kKeySpace = 32;
constexpr int kKeyEscape = 27;
constexpr int kKeyM = 109;
constexpr int kKeyS = 115;
constexpr int kKeyReturn = 13;
constexpr int kKeyKeypadEnter = 271;
constexpr int kKeyUp = 273;
constexpr int kKeyDown = 274;
constexpr int kKeyRight = 275;
constexpr int kKeyLeft = 276;
constexpr int kKeyF11 = 292;
constexpr int kKeyRightAlt = 307;
constexpr int kKeyLeftAlt = 308;

void keyboard_poll();
// 1 exactly once after a key seen down at an earlier call is up again.
int key_released(int code);
// 1 while the key is held (a modifier held with another key).
int key_down(int code);
void mouse_poll();
int mouse_x();
int mouse_y();
int mouse_button(int button);  // 1 left, 2 right, 3 middle

// ---- sound --------------------------------------------------------------------------------------
constexpr int kSoundLoop = 1;
constexpr int kSoundNoRestart = 2;
enum SoundStatus { SoundIdle = 0, SoundPlaying = 1, SoundPaused = 2, SoundMissing = 3 };

int sound_init();
// Loads a WAV or OGG Vorbis file into sound `sound` (replacing one of that number); 0 when it does
// not open. OGG Vorbis is decoded while it plays, from this very memory: the block must stay alive
// and unchanged as long as the sound exists.
int sound_load_ogg(int sound, const void* data, size_t size);
// The same for a short sound (at most a minute) decoded whole, at once: playing it decodes and
// allocates nothing, and the block may go as soon as this returns. 0 when it does not decode to its
// end.
int sound_load_ogg_decoded(int sound, const void* data, size_t size);
void sound_play(int sound, int flags);
void sound_pause(int sound);
void sound_resume(int sound);
void sound_stop(int sound);
void sound_volume(int sound, int volume);
int sound_status(int sound);
