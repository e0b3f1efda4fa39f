// Fast level: greedy matching with one step of lookahead. At each position the candidate with
// the largest saving in bits over plain literals is taken, unless the next position offers a
// larger one, in which case one literal goes first.

#include "display/brieflz_block_writer.h"
#include "display/brieflz_costs.h"
#include "display/brieflz_match_finder.h"
#include "display/brieflz_parsers.h"

namespace {

constexpr uint32_t kFastMaxChain = 16;
constexpr uint32_t kFastNiceLength = 128;

struct Choice {
  BriefLzMatch match;
  int64_t gain = 0;  // bits saved against writing the same bytes as literals
};

Choice choose(const BriefLzMatchFinder& finder, size_t pos, std::vector<BriefLzMatch>& scratch) {
  Choice best;
  finder.findAll(pos, scratch);
  for (const BriefLzMatch& m : scratch) {
    const int64_t gain = int64_t{brieflz_costs::kLiteralBits} * m.length - brieflz_costs::matchBits(m.length, m.offset);
    if (gain > best.gain) best = {m, gain};
  }
  return best;
}

}  // namespace

std::vector<uint8_t> brieflz_encode_fast(const uint8_t* in, size_t size) {
  std::vector<uint8_t> out;
  out.reserve(size + size / 8 + 16);
  BriefLzBlockWriter writer(out);
  writer.firstLiteral(in[0]);
  BriefLzMatchFinder finder(in, size, kFastMaxChain, kFastNiceLength);
  std::vector<BriefLzMatch> scratch;
  finder.insert(0);

  size_t pos = 1;
  Choice current = pos < size ? choose(finder, pos, scratch) : Choice{};
  while (pos < size) {
    finder.insert(pos);
    const Choice next = current.gain > 0 && pos + 1 < size ? choose(finder, pos + 1, scratch) : Choice{};
    if (current.gain <= 0 || next.gain > current.gain) {
      writer.literal(in[pos]);
      ++pos;
      current = current.gain > 0 ? next : (pos < size ? choose(finder, pos, scratch) : Choice{});
      continue;
    }
    writer.match(current.match.length, current.match.offset);
    const size_t end = pos + current.match.length;
    for (++pos; pos < end; ++pos) finder.insert(pos);
    current = pos < size ? choose(finder, pos, scratch) : Choice{};
  }
  return out;
}
