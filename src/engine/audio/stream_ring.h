#pragma once
// StreamRing: stereo 16-bit frames handed from one producer thread (the decoder) to one consumer thread
// (the mixer) without a lock, so the audio callback never waits for decoding.
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <vector>

class StreamRing {
 public:
  explicit StreamRing(int frames) : samples_(static_cast<size_t>(frames) * 2), capacity_(frames) {}

  int Capacity() const { return capacity_; }
  int Available() const {
    return static_cast<int>(written_.load(std::memory_order_acquire) - read_.load(std::memory_order_acquire));
  }

  // Producer: appends up to `frames` frames; returns how many fitted.
  int Push(const int16_t* stereo, int frames) {
    const uint64_t w = written_.load(std::memory_order_relaxed);
    const uint64_t r = read_.load(std::memory_order_acquire);
    const int n = std::min(frames, capacity_ - static_cast<int>(w - r));
    const int at = static_cast<int>(w % static_cast<uint64_t>(capacity_));
    const int first = FirstRun(at, n);
    Copy(samples_.data() + at * 2, stereo, first);
    Copy(samples_.data(), stereo + first * 2, n - first);
    written_.store(w + static_cast<uint64_t>(n), std::memory_order_release);
    return n;
  }

  // Consumer: takes up to `frames` frames; returns how many there were.
  int Pop(int16_t* stereo, int frames) {
    const uint64_t r = read_.load(std::memory_order_relaxed);
    const uint64_t w = written_.load(std::memory_order_acquire);
    const int n = std::min(frames, static_cast<int>(w - r));
    const int at = static_cast<int>(r % static_cast<uint64_t>(capacity_));
    const int first = FirstRun(at, n);
    Copy(stereo, samples_.data() + at * 2, first);
    Copy(stereo + first * 2, samples_.data(), n - first);
    read_.store(r + static_cast<uint64_t>(n), std::memory_order_release);
    return n;
  }

 private:
  // An empty run may come with a null pointer (an empty buffer), which memcpy must not be given.
  static void Copy(int16_t* to, const int16_t* from, int frames) {
    if (frames > 0) std::memcpy(to, from, static_cast<size_t>(frames) * 4);
  }

  // Frame slots [at, at + n) of the ring as at most two runs: (first run, start of the second).
  int FirstRun(int at, int n) const { return std::min(n, capacity_ - at); }

  std::vector<int16_t> samples_;
  int capacity_;
  std::atomic<uint64_t> written_{0};
  std::atomic<uint64_t> read_{0};
};
