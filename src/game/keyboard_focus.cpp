#include "game/keyboard_focus.h"

#include <span>

#include "display/screen_setup.h"
#include "game/clicks.h"
#include "game/game_state.h"
#include "game/sprite_numbers.h"

namespace {
// A dialog item in reading order: its clickable record and the row it sits on, for Left and Right.
struct FocusItem {
  int record;
  int row;
};
constexpr FocusItem kMenuItems[] = {{ItemStart, 0}, {ItemContinue, 1}, {ItemSettings, 2}, {ItemCredits, 3}, {ItemQuit, 4}};
constexpr FocusItem kQuestionItems[] = {{ItemYes, 0}, {ItemNo, 0}};
constexpr FocusItem kCreditsItems[] = {{ItemCreditsOk, 0}};
constexpr FocusItem kSettingsItems[] = {
    {ItemLeftArrow, 0}, {ItemRightArrow, 0}, {ItemMusicBox, 1}, {ItemSoundsBox, 2},
    {ItemScreenLeft, 3}, {ItemScreenRight, 3}, {ItemSettingsOk, 4}, {ItemCancel, 4}};

std::span<const FocusItem> dialogItems(int64_t state) {
  switch (state) {
    case Menu: return kMenuItems;
    case AskNewGame:
    case AskQuit: return kQuestionItems;
    case Credits: return kCreditsItems;
    case Settings: return kSettingsItems;
    default: return {};
  }
}

// Whatever changed the state (a key, a click, the last pair), every dialog starts on its first item,
// also when it is drawn before the keys of the pass have noticed the change.
int64_t focusedPosition() { return game.focus.screen == game.gameState ? game.focus.item : 0; }

void followState() {
  if (game.focus.screen == game.gameState) return;
  game.focus.screen = game.gameState;
  game.focus.item = 0;
}

struct Box {
  int64_t x, y, width, height;
};

// The area a click on the focused target would hit, and its record (-1 for a card); false where
// there is none (well done, intro).
bool focusedArea(Box* box, int* record = nullptr) {
  if (record != nullptr) *record = -1;
  if (game.gameState == Playing) {
    const BoardCell& cell = game.board[game.focus.col][game.focus.row];
    *box = {cell.x, cell.y, game.cardSize, game.cardSize};
    return true;
  }
  const auto items = dialogItems(game.gameState);
  if (items.empty()) return false;
  const int focused = items[focusedPosition()].record;
  const HitArea& a = game.items[focused];
  *box = {a.x, a.y, a.width, ItemHeight(focused)};
  if (record != nullptr) *record = focused;
  return true;
}

int64_t wrap(int64_t value, int64_t count) { return (value % count + count) % count; }

void moveInDialog(std::span<const FocusItem> items, int step, bool sameRowOnly) {
  int64_t position = focusedPosition();
  const int row = items[position].row;
  const int64_t count = static_cast<int64_t>(items.size());
  // Left and Right step along the row, wrapping at its ends; Up and Down through all items.
  for (int64_t tries = 0; tries < count; ++tries) {
    position = wrap(position + step, count);
    if (!sameRowOnly || items[position].row == row) break;
  }
  game.focus.item = position;
}

void moveFocus(int dx, int dy) {
  if (game.gameState == Playing) {
    game.focus.col = wrap(game.focus.col + dx, kBoardColumns);
    game.focus.row = wrap(game.focus.row + dy, kBoardRows);
    return;
  }
  const auto items = dialogItems(game.gameState);
  if (!items.empty()) moveInDialog(items, dx + dy, dx != 0);
}

// The first arrow press only shows the focus, on the first item of whatever is on screen.
void showFocus() {
  game.focus.shown = 1;
  game.focus.col = game.focus.row = 0;
  game.focus.screen = game.gameState;
  game.focus.item = 0;
}

void arrow(int dx, int dy) {
  if (game.gameState == Logo || game.gameState == Title) return;
  if (game.focus.shown == 0)
    showFocus();
  else
    moveFocus(dx, dy);
}

// Return clicks the middle of the focused area, so every rule of a click holds: the pick of a
// face-down card only, the waits, the ends of the language list, CONTINUE only with a game running.
// The banner has nothing to choose between: Return leaves it at once, ring or not.
void activate() {
  const ClickPath path = game.prefs.screenKind == ScreenFull ? ClickPath::FullScreen : ClickPath::Window;
  Box box{};
  if (game.gameState == WellDone)
    LeftButtonAction(0, 0, path);  // the banner takes a click anywhere
  else if (game.focus.shown != 0 && focusedArea(&box))
    LeftButtonAction(box.x + box.width / 2, box.y + box.height / 2, path);
}

constexpr uint32_t kRingAmber = rgb(241, 172, 71);  // the amber of the text pictures
constexpr uint32_t kRingEdge = rgb(224, 80, 40);    // the text colour, so the ring shows on the panel too
constexpr int kRingEdgeWidth = 2;
constexpr int kRingThickness = 7;

// A band of the amber between two edges; the inside is black, which the colour key clears.
void makeRing(int width, int height) {
  if (sprite_create(kSpriteFocusRing, width, height, kSpritePlain) == 0) return;
  if (sprite_begin_drawing(kSpriteFocusRing) == 0) return;
  const auto frame = [&](int inset, uint32_t colour) {
    draw_box(inset, inset, width - 2 * inset, height - 2 * inset, colour);
  };
  frame(0, kRingEdge);
  frame(kRingEdgeWidth, kRingAmber);
  frame(kRingThickness - kRingEdgeWidth, kRingEdge);
  frame(kRingThickness, rgb(0, 0, 0));
  drawing_end();
  game.focus.ringWidth = width;
  game.focus.ringHeight = height;
}

// Where the ring goes: over the outer edge of a card; around the letters of a text, whose picture
// holds the text at its top; around the 20-pixel picture of an arrow or the check box, which is
// drawn 5 pixels right of and below its clickable area.
Box ringBox(const Box& target, int record) {
  if (game.gameState == Playing) return {target.x - 3, target.y - 3, target.width + 6, target.height + 6};
  switch (KindOfItem(record)) {
    case ItemKind::Entry: return {target.x - 14, target.y - 6, target.width + 28, 74};
    case ItemKind::Small: return {target.x - 4, target.y - 4, 38, 38};
    case ItemKind::Button: break;
  }
  return {target.x - 10, target.y - 5, target.width + 20, 42};
}
}  // namespace

void HandleFocusKeys() {
  followState();
  if (key_released(kKeyUp)) arrow(0, -1);
  if (key_released(kKeyDown)) arrow(0, 1);
  if (key_released(kKeyLeft)) arrow(-1, 0);
  if (key_released(kKeyRight)) arrow(1, 0);
  // Both releases are taken, so an Enter let go together with Return does not act a frame later.
  const bool enter = key_released(kKeyKeypadEnter);
  if (key_released(kKeyReturn) || enter) activate();
}

void HideFocus() { game.focus.shown = 0; }

void DrawFocusRing() {
  Box target{};
  int record = -1;
  if (game.focus.shown == 0 || !focusedArea(&target, &record)) return;
  const Box ring = ringBox(target, record);
  if (ring.width != game.focus.ringWidth || ring.height != game.focus.ringHeight)
    makeRing(static_cast<int>(ring.width), static_cast<int>(ring.height));
  sprite_draw_blended(kSpriteFocusRing, static_cast<int>(ring.x), static_cast<int>(ring.y), 255);
}
