// Numbered or handle-addressed objects (sprites, off-screen images): the game picks small fixed
// numbers, or passes kNewSprite and gets a fresh handle from kFirstSpriteHandle up.
#pragma once

#include <unordered_map>

#include "platform/platform.h"

// What claim gives for a number that cannot be created under (0 is the pointer's fixed number).
constexpr SpriteId kNoId = -2;

template <typename T>
class IdStore {
 public:
  // The id to create under: `number` itself, or a fresh handle for kNewSprite; kNoId for other negatives.
  SpriteId claim(SpriteId number) {
    if (number >= 0) {
      return number;
    }
    if (number != kNewSprite) {
      return kNoId;
    }
    while (items_.count(nextHandle_) != 0) {
      ++nextHandle_;
    }
    return nextHandle_++;
  }
  // Stores `item` under id (replacing what was there) and gives what the create call returns.
  SpriteId put(SpriteId id, T&& item) {
    items_.insert_or_assign(id, std::move(item));
    return id >= kFirstSpriteHandle ? id : 1;
  }
  T* find(SpriteId id) {
    const auto it = items_.find(id);
    return it == items_.end() ? nullptr : &it->second;
  }
  void erase(SpriteId id) { items_.erase(id); }
  void clear() { items_.clear(); }
  template <typename F>
  void for_each(F&& visit) {
    for (auto& [id, item] : items_) {
      visit(item);
    }
  }

 private:
  std::unordered_map<SpriteId, T> items_;
  SpriteId nextHandle_ = kFirstSpriteHandle;
};
