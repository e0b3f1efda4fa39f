// Optimal level: the cheapest parse of the block under the exact bit costs of literals and
// matches, found by dynamic programming over positions. For every position the match finder
// lists, per reachable length, the nearest offset; every length of every listed match is tried.
// The 16-bit tag words make the true size differ from bits/8 by at most one word.
// A match of niceLength or more is taken without trying the positions it covers, which keeps
// long runs linear.

#include <limits>

#include "display/brieflz_block_writer.h"
#include "display/brieflz_costs.h"
#include "display/brieflz_match_finder.h"
#include "display/brieflz_parsers.h"

namespace {

constexpr uint32_t kOptimalMaxChain = 512;
constexpr uint32_t kOptimalNiceLength = 256;
constexpr uint32_t kUnreached = std::numeric_limits<uint32_t>::max();

// How the cheapest path arrives at a position: length 1 is a literal.
struct Step {
  uint32_t bits = kUnreached;
  uint32_t length = 0;
  uint32_t offset = 0;
};

void relax(Step& target, uint32_t bits, uint32_t length, uint32_t offset) {
  if (bits < target.bits) target = {bits, length, offset};
}

std::vector<Step> cheapestPaths(const uint8_t* in, size_t size) {
  std::vector<Step> steps(size + 1);
  steps[1].bits = 0;  // the first byte is a plain literal without a tag bit
  BriefLzMatchFinder finder(in, size, kOptimalMaxChain, kOptimalNiceLength);
  std::vector<BriefLzMatch> matches;
  finder.insert(0);
  size_t coveredUntil = 0;
  for (size_t pos = 1; pos < size; ++pos) {
    if (pos < coveredUntil) {
      finder.insert(pos);
      continue;
    }
    const uint32_t here = steps[pos].bits;
    relax(steps[pos + 1], here + brieflz_costs::kLiteralBits, 1, 0);
    finder.findAll(pos, matches);
    finder.insert(pos);
    uint32_t length = brieflz_costs::kMinMatch;
    for (const BriefLzMatch& m : matches) {
      for (; length <= m.length; ++length) {
        relax(steps[pos + length], here + brieflz_costs::matchBits(length, m.offset), length, m.offset);
      }
    }
    if (!matches.empty() && matches.back().length >= kOptimalNiceLength) coveredUntil = pos + matches.back().length;
  }
  return steps;
}

}  // namespace

std::vector<uint8_t> brieflz_encode_optimal(const uint8_t* in, size_t size) {
  const std::vector<Step> steps = cheapestPaths(in, size);
  std::vector<Step> path;
  for (size_t pos = size; pos > 1; pos -= steps[pos].length) path.push_back(steps[pos]);

  std::vector<uint8_t> out;
  out.reserve(size + size / 8 + 16);
  BriefLzBlockWriter writer(out);
  writer.firstLiteral(in[0]);
  size_t pos = 1;
  for (auto it = path.rbegin(); it != path.rend(); ++it) {
    if (it->length == 1) {
      writer.literal(in[pos]);
    } else {
      writer.match(it->length, it->offset);
    }
    pos += it->length;
  }
  return out;
}
