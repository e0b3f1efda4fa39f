// Opening the game screen with everything on it: the screen of a kind at the size chosen, every
// picture and text made for it. At start-up, and again whenever the player changes the screen kind
// or the window's size.
#pragma once

#include <cstdint>
#include <string>

#include "display/asset_loading.h"

enum class Opening { Opened, NoScreen, NoAsset };

std::string DataPackPath();
// The screen of `kind` at screenWidth x screenHeight (the board already laid out for it), then the
// pictures (unpacked beforehand, decoding ahead meanwhile) and the texts, and the final touches.
// NoScreen leaves the pictures unused for another try; NoAsset names the failed one in `failed`.
// `inOpenWindow`: the screen goes into the window that is open (laid out anew at its new size).
Opening OpenScreenWithPictures(int64_t kind, UnpackedPictures& pictures, std::string* failed, bool inOpenWindow = false);

// Every way out of a set-up stops the decoding ahead, whether all was loaded or not.
struct StopDecodingAhead {
  ~StopDecodingAhead() { picture_decode_ahead_stop(); }
};
