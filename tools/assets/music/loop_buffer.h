// A stereo buffer that is one turn of a loop: everything written past its end wraps round to its
// start, so notes ringing over the end of the piece sound again at its beginning and the loop has
// no seam.
#pragma once

#include <cstddef>
#include <vector>

namespace music {

inline constexpr int sampleRate = 44'100;

struct LoopBuffer {
  explicit LoopBuffer(std::size_t frameCount) : left(frameCount, 0.0f), right(frameCount, 0.0f) {}

  std::size_t frames() const { return left.size(); }
  void add(std::size_t frame, double leftValue, double rightValue) {
    const std::size_t at = frame % left.size();
    left[at] += static_cast<float>(leftValue);
    right[at] += static_cast<float>(rightValue);
  }

  std::vector<float> left;
  std::vector<float> right;
};

}  // namespace music
