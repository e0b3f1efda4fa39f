// The card emblems: bold silhouettes that stay recognisable at 110 pixels. Each adds its outline
// to the current path in a unit box (-1..1 on both axes, y down); holes wind the other way, so the
// path is filled with the non-zero rule.
#pragma once

#include <cairo.h>

namespace artwork {

enum class Symbol {
  Disc, Square, Triangle, Diamond, Star, Heart, Crescent, Cross, Hexagon, Ring, Drop, Spade, Club,
  Arrow, Hourglass, Compass, HalfDisc, Quatrefoil, Bolt, Cloud, Sun, Chevron, Shield, Flower,
  Leaf, Bell, House, Fish, Tree, Mushroom, Key, Crown, Shell, Cat, Bird, Anchor, Feather, Lantern,
  Acorn, Butterfly, Teacup, Snowflake, Pear, Candle, Umbrella, Note, Mountain, Kite,
};

void symbolPath(cairo_t* cr, Symbol symbol);

}  // namespace artwork
