#include "music/effects.h"

#include <algorithm>
#include <array>
#include <functional>
#include <thread>
#include <vector>

namespace music {

namespace {

// Both effects first run over the last 20 seconds of the loop without writing, so the end's tails
// (the echo's are gone after a few seconds, the hall's after about three) already ring at the start.
constexpr std::size_t warmUpFrames = 20 * sampleRate;

class Comb {
 public:
  explicit Comb(std::size_t length) : buffer_(length, 0.0) {}
  double process(double input, double feedback, double damping) {
    const double output = buffer_[index_];
    filtered_ = output * (1.0 - damping) + filtered_ * damping;
    buffer_[index_] = input + filtered_ * feedback;
    index_ = (index_ + 1) % buffer_.size();
    return output;
  }

 private:
  std::vector<double> buffer_;
  std::size_t index_ = 0;
  double filtered_ = 0.0;
};

class AllPass {
 public:
  explicit AllPass(std::size_t length) : buffer_(length, 0.0) {}
  double process(double input) {
    const double delayed = buffer_[index_];
    const double output = delayed - input;
    buffer_[index_] = input + delayed * 0.5;
    index_ = (index_ + 1) % buffer_.size();
    return output;
  }

 private:
  std::vector<double> buffer_;
  std::size_t index_ = 0;
};

// Eight parallel combs into four all-passes per side; the right side's delays are a little longer
// so the two sides decorrelate into a wide image.
class Hall {
 public:
  explicit Hall(std::size_t spread) {
    constexpr std::array<std::size_t, 8> combLengths{1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    constexpr std::array<std::size_t, 4> allPassLengths{556, 441, 341, 225};
    for (const std::size_t length : combLengths) combs_.emplace_back(length + spread);
    for (const std::size_t length : allPassLengths) allPasses_.emplace_back(length + spread);
  }
  double process(double input, double feedback, double damping) {
    double sum = 0.0;
    for (Comb& comb : combs_) sum += comb.process(input, feedback, damping);
    for (AllPass& allPass : allPasses_) sum = allPass.process(sum);
    return sum;
  }

 private:
  std::vector<Comb> combs_;
  std::vector<AllPass> allPasses_;
};

}  // namespace

void addPingPongDelay(const LoopBuffer& send, LoopBuffer& out, std::size_t delayFrames, double feedback,
                      double level) {
  const std::size_t frames = send.frames();
  const std::size_t warmUp = std::min(frames, warmUpFrames);
  std::vector<double> leftLine(delayFrames, 0.0);
  std::vector<double> rightLine(delayFrames, 0.0);
  std::size_t index = 0;
  for (std::size_t k = 0; k < warmUp + frames; ++k) {
    const std::size_t i = (frames - warmUp + k) % frames;
    const double input = 0.5 * (send.left[i] + send.right[i]);
    const double fromLeft = leftLine[index];
    const double fromRight = rightLine[index];
    leftLine[index] = input + fromRight * feedback;
    rightLine[index] = fromLeft * feedback;
    index = (index + 1) % delayFrames;
    if (k >= warmUp) out.add(i, fromLeft * level, fromRight * level);
  }
}

void addReverb(const LoopBuffer& send, LoopBuffer& out, double roomSize, double damping, double level) {
  const double feedback = 0.7 + 0.28 * roomSize;
  const std::size_t frames = send.frames();
  const std::size_t warmUp = std::min(frames, warmUpFrames);
  // Each side has its own hall and its own half of `out`, so the two run side by side.
  const auto side = [&](std::size_t spread, std::vector<float>& into) {
    Hall hall(spread);
    for (std::size_t k = 0; k < warmUp + frames; ++k) {
      const std::size_t i = (frames - warmUp + k) % frames;
      const double wet = hall.process(0.015 * (send.left[i] + send.right[i]), feedback, damping);
      if (k >= warmUp) into[i] += static_cast<float>(wet * level);
    }
  };
  std::thread left(side, 0, std::ref(out.left));
  side(23, out.right);
  left.join();
}

}  // namespace music
