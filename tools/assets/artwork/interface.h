// The pictures of the game's dialogs and controls: the menu panel (its inner area is exactly the
// amber of the text sprites, so the opaque text rectangles vanish into it), shadows, the separator
// strip, the well-done banner, the mouse pointer, the language arrows, the music check box and the
// application icon.
#pragma once

#include "artwork/canvas.h"

namespace artwork {

inline constexpr int panelWidth = 700;
inline constexpr int panelHeight = 660;
// Top of the amber area below the header band.
inline constexpr int panelHeaderHeight = 128;

Surface paintMenuPanel();
Surface paintMenuPanelShadow();
Surface paintSeparator();
Surface paintWellDoneBanner();
// The silhouette of the banner's solid parts, dark and soft, the same size as the banner.
Surface paintWellDoneShadow();
Surface paintPointer();
// The pointer drawn again for a screen of `density` pixels a game pixel on each side, 32 x density
// pixels wide, as sharp there as the 32-pixel one is at density 1 (which it is at 1). The game's
// full screen takes these densities, built into the program.
inline constexpr int pointerDensities[] = {2, 3, 4};
Surface paintPointerAt(int density);
// left: true for the left arrow. Usable arrows carry alpha; unavailable ones are opaque squares of
// the text amber so they hide the usable arrow drawn beneath them.
Surface paintArrow(bool left);
Surface paintArrowUnavailable(bool left);
Surface paintCheckBox(bool ticked);
// The application icon, `pixels` wide and high; the desktop's menus, title bars and window lists
// take it at these sizes. 16, 24 and 32 pixels have a design of their own (paintIcon).
inline constexpr int iconSizes[] = {16, 24, 32, 48, 64, 128, 256, 512};
Surface paintIcon(int pixels);

}  // namespace artwork
