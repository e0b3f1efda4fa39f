// Pictures decoded ahead on the other core: one worker thread goes through the blocks in the order
// they were handed in, while the game thread unpacks the music and opens the screen. The loads take
// the results (sprite_load_png, image_load_png); a block the worker has not started yet is decoded by
// the loading thread itself, so both cores share the work and nothing is decoded twice.
//
// Decoded pictures waiting to be taken are held within a budget of bytes: the worker waits rather
// than run so far ahead that the waiting pictures would raise the game's peak memory.
#include <algorithm>
#include <condition_variable>
#include <list>
#include <mutex>
#include <thread>

#include "platform/real/pictures/pictures.h"

namespace {

constexpr size_t kWaitingBudget = 30u << 20;

struct AheadPicture {
  const void* data = nullptr;
  size_t size = 0;
  enum State { Queued, Decoding, Decoded } state = Queued;
  bool decoded = false;  // the decoder's verdict
  RgbaImage image;
  bool hasAlpha = false;
};

std::mutex lock;
std::condition_variable changed;
std::list<AheadPicture> pictures;  // in the order handed in; entries stay put while decoding
size_t waitingBytes = 0;           // pixels decoded and not yet taken
bool stopping = false;
bool heldBack = false;             // the worker waits for pictures to be taken (for the tests)
int takenAhead = 0;                // loads that found their picture decoded ahead (for the tests)

// Never destroyed: a way out that skips picture_decode_ahead_stop (a fatal error mid-load) must not
// trip over a thread still running at exit.
std::thread& worker() {
  static std::thread* const thread = new std::thread;
  return *thread;
}

// Pixel bytes of the picture from its PNG header (width and height of IHDR); 0 when unreadable.
size_t pixel_bytes(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  if (size < 24) return 0;
  return png_u32(bytes + 16) * png_u32(bytes + 20) * 4;
}

void decode_in_order() {
  std::unique_lock<std::mutex> held(lock);
  for (;;) {
    auto next = pictures.begin();
    while (next != pictures.end() && next->state != AheadPicture::Queued) ++next;
    if (stopping || next == pictures.end()) return;
    const size_t bytes = pixel_bytes(next->data, next->size);
    if (waitingBytes > 0 && waitingBytes + bytes > kWaitingBudget) {
      heldBack = true;
      changed.wait(held);
      heldBack = false;
      continue;
    }
    next->state = AheadPicture::Decoding;
    held.unlock();
    RgbaImage image;
    bool hasAlpha = false;
    const bool decoded = png_decode_rgba(next->data, next->size, &image, &hasAlpha);
    held.lock();
    next->decoded = decoded;
    next->image = std::move(image);
    next->hasAlpha = hasAlpha;
    next->state = AheadPicture::Decoded;
    waitingBytes += next->image.pixels.size();
    changed.notify_all();
  }
}

void join_worker() {
  if (worker().joinable()) worker().join();
}

}  // namespace

void picture_decode_ahead(const void* data, size_t size) {
  std::lock_guard<std::mutex> held(lock);
  AheadPicture& picture = pictures.emplace_back();
  picture.data = data;
  picture.size = size;
  if (!worker().joinable()) {
    stopping = false;
    worker() = std::thread(decode_in_order);
  }
  changed.notify_all();
}

void picture_decode_ahead_stop() {
  {
    std::lock_guard<std::mutex> held(lock);
    stopping = true;
    changed.notify_all();
  }
  join_worker();
  std::lock_guard<std::mutex> held(lock);
  pictures.clear();
  waitingBytes = 0;
  stopping = false;
}

bool picture_decode(const void* data, size_t size, RgbaImage* out, bool* hasAlpha) {
  std::unique_lock<std::mutex> held(lock);
  auto found = pictures.begin();
  while (found != pictures.end() && !(found->data == data && found->size == size)) ++found;
  if (found == pictures.end() || found->state == AheadPicture::Queued) {
    if (found != pictures.end()) pictures.erase(found);  // not started: decoded here instead
    held.unlock();
    return png_decode_rgba(data, size, out, hasAlpha);
  }
  changed.wait(held, [&] { return found->state == AheadPicture::Decoded; });
  ++takenAhead;
  const bool decoded = found->decoded;
  waitingBytes -= found->image.pixels.size();
  if (decoded) {
    *out = std::move(found->image);
    if (hasAlpha != nullptr) *hasAlpha = found->hasAlpha;
  }
  pictures.erase(found);
  const bool workerDone = std::none_of(pictures.begin(), pictures.end(),
                                       [](const AheadPicture& p) { return p.state != AheadPicture::Decoded; });
  changed.notify_all();
  held.unlock();
  if (workerDone) join_worker();  // it has returned or is about to; a later hand-in starts a new one
  return decoded;
}

int platform_pictures_taken_ahead() {
  std::lock_guard<std::mutex> held(lock);
  return takenAhead;
}

bool platform_decoding_ahead_held_back() {
  std::lock_guard<std::mutex> held(lock);
  return heldBack;
}
