// The two card sets. Set 1, "Ivory": warm cream faces with enamelled geometric emblems under a gold
// frame, wine-red backs with a gold lattice. Set 2, "Midnight": deep blue faces with glowing emblems
// of small things of the evening, blue backs with a moon. Within a set every face differs in both
// emblem shape and colour, so the pairs can be told apart without colour vision.
#pragma once

#include "artwork/canvas.h"
#include "artwork/symbols.h"

namespace artwork {

inline constexpr int cardPixels = 256;
inline constexpr int facesPerSet = 24;

// set 1 or 2, face 1..24.
Symbol cardSymbol(int set, int face);
Colour cardColour(int set, int face);

Surface paintCardFace(int set, int face);
Surface paintCardBack(int set);
// Soft dark rounded square, drawn under every card at half opacity and offset a little.
Surface paintCardShadow();

}  // namespace artwork
