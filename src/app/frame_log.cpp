#include "app/frame_log.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

FILE* LogFile() {
  static FILE* file = [] {
    const char* path = std::getenv("VEXTORON_FRAME_LOG");
    return (path && *path) ? std::fopen(path, "a") : nullptr;
  }();
  return file;
}

int64_t NowMicros() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace

void FrameLogMark(const char* name) {
  FILE* file = LogFile();
  if (!file) return;
  std::fprintf(file, "%s %lld\n", name, static_cast<long long>(NowMicros()));
  std::fflush(file);
}

void FrameLogFrame(int state) {
  FILE* file = LogFile();
  if (!file) return;
  static int64_t previous = 0;
  const int64_t now = NowMicros();
  std::fprintf(file, "frame %lld %lld %d\n", static_cast<long long>(now),
               static_cast<long long>(previous ? now - previous : 0), state);
  previous = now;
  std::fflush(file);
}
