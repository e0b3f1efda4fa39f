#include "display/brieflz_match_finder.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "display/brieflz_costs.h"

using brieflz_costs::kMinMatch;

BriefLzMatchFinder::BriefLzMatchFinder(const uint8_t* data, size_t size, uint32_t maxChain, uint32_t niceLength)
    : data_(data),
      size_(size),
      maxChain_(maxChain),
      niceLength_(niceLength),
      hashBits_(std::clamp<unsigned>(std::bit_width(size), 8, 17)),
      head_(size_t{1} << hashBits_, 0),
      prev_(size, 0) {}

uint32_t BriefLzMatchFinder::hashAt(size_t pos) const {
  uint32_t word = 0;
  std::memcpy(&word, data_ + pos, sizeof word);
  return (word * 2654435761u) >> (32 - hashBits_);
}

void BriefLzMatchFinder::insert(size_t pos) {
  if (pos + kMinMatch > size_) return;
  uint32_t& head = head_[hashAt(pos)];
  prev_[pos] = head;
  head = static_cast<uint32_t>(pos + 1);
}

uint32_t BriefLzMatchFinder::matchLength(size_t candidate, size_t pos, size_t limit) const {
  size_t length = 0;
  while (length < limit && data_[candidate + length] == data_[pos + length]) ++length;
  return static_cast<uint32_t>(length);
}

size_t BriefLzMatchFinder::findAll(size_t pos, std::vector<BriefLzMatch>& out) const {
  out.clear();
  if (pos + kMinMatch > size_) return 0;
  const size_t limit = size_ - pos;
  uint32_t best = kMinMatch - 1;
  uint32_t steps = maxChain_;
  for (uint32_t link = head_[hashAt(pos)]; link != 0 && steps > 0; link = prev_[link - 1], --steps) {
    const size_t candidate = link - 1;
    // A longer match must also agree at the byte just past the best so far.
    if (data_[candidate + best] != data_[pos + best]) continue;
    const uint32_t length = matchLength(candidate, pos, limit);
    if (length <= best) continue;
    best = length;
    out.push_back({length, static_cast<uint32_t>(pos - candidate)});
    if (length >= niceLength_ || length == limit) break;
  }
  return out.size();
}
