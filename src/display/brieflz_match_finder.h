#pragma once
// Hash chains over one block for the compressor: every position is inserted in order, and a
// search walks the chain of earlier positions sharing the next four bytes, nearest first, for a
// bounded number of steps.

#include <cstddef>
#include <cstdint>
#include <vector>

struct BriefLzMatch {
  uint32_t length = 0;
  uint32_t offset = 0;
};

class BriefLzMatchFinder {
 public:
  // maxChain bounds the steps per search; a search stops early at a match of niceLength.
  BriefLzMatchFinder(const uint8_t* data, size_t size, uint32_t maxChain, uint32_t niceLength);

  // Adds position pos; positions must be inserted in increasing order, each once.
  void insert(size_t pos);

  // Matches at pos against the positions inserted so far (pos itself not yet inserted), with
  // strictly increasing lengths; each is the nearest offset reaching its length. Lengths are
  // capped at the block end. Returns the number written to out.
  size_t findAll(size_t pos, std::vector<BriefLzMatch>& out) const;

 private:
  uint32_t hashAt(size_t pos) const;
  uint32_t matchLength(size_t candidate, size_t pos, size_t limit) const;

  const uint8_t* data_;
  size_t size_;
  uint32_t maxChain_;
  uint32_t niceLength_;
  unsigned hashBits_;
  std::vector<uint32_t> head_;  // position + 1 of the latest entry per hash, 0 for none
  std::vector<uint32_t> prev_;  // position + 1 of the previous entry with the same hash
};
