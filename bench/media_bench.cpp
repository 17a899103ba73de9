// Start-up cost of registering and decoding the built-in assets, and the cost of the pixel overlap test.
#include <benchmark/benchmark.h>

#include <string>

#include "app/startup.h"
#include "common/embedded_table.h"
#include "common/register_assets.h"
#include "engine/media/decoders.h"
#include "engine/media/embedded.h"
#include "engine/media/image.h"
#include "engine/media/overlap.h"
#include "engine/platform/headless/headless_platform.h"

namespace {

bool EndsWith(const std::string& s, const char* tail) {
  const std::string t(tail);
  return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

// Registers everything and decodes the assets whose names end in `extension`.
void DecodeAssets(benchmark::State& state, const char* extension) {
  int64_t bytes = 0;
  for (auto _ : state) {
    ClearEmbeddedRegistry();
    RegisterAssets();
    for (int i = 0; i < kEmbeddedFileCount; ++i) {
      const std::string name = kEmbeddedFiles[i].name;
      if (!EndsWith(name, extension)) continue;
      bytes += kEmbeddedFiles[i].end - kEmbeddedFiles[i].begin;
      if (EndsWith(name, ".png")) {
        benchmark::DoNotOptimize(LoadImage("incbin::" + name, -1));
      } else {
        auto stream = OpenStream("incbin::" + name);
        benchmark::DoNotOptimize(DecodeAudioChain(*stream));
      }
    }
  }
  state.SetBytesProcessed(bytes);
}

void BM_DecodePngAssets(benchmark::State& state) {
  DecodeAssets(state, ".png");
}
void BM_DecodeWavAssets(benchmark::State& state) {
  DecodeAssets(state, ".wav");
}
void BM_DecodeOggAssets(benchmark::State& state) {
  DecodeAssets(state, ".ogg");
}
BENCHMARK(BM_DecodePngAssets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeWavAssets)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeOggAssets)->Unit(benchmark::kMillisecond);

ImageRef OpaqueSquare() {
  auto pixmap = TPixmap::Create(64, 64, kFormatRGBA8888);
  for (auto& byte : pixmap->pixels) byte = 255;
  return LoadImage(pixmap, 0);
}

// Two 64 x 64 frames sharing only their last row: the worst case that still ends at the first hit.
void BM_OverlapLastRowOnly(benchmark::State& state) {
  ImageRef a = OpaqueSquare(), b = OpaqueSquare();
  for (auto _ : state)
    benchmark::DoNotOptimize(FramesOverlapTransformed(*a, 0, 0, 0, *b, 0, 63, 0, 1, 0, 0, 1));
}
BENCHMARK(BM_OverlapLastRowOnly);

// Overlapping rectangles whose solid parts never meet: every shared pixel is examined.
void BM_OverlapFullMiss(benchmark::State& state) {
  auto top = TPixmap::Create(64, 64, kFormatRGBA8888);
  auto bottom = TPixmap::Create(64, 64, kFormatRGBA8888);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) (y < 32 ? top : bottom)->Row(y)[x * 4 + 3] = 255;
  ImageRef a = LoadImage(top, 0), b = LoadImage(bottom, 0);
  for (auto _ : state)
    benchmark::DoNotOptimize(FramesOverlapTransformed(*a, 0, 0, 0, *b, 0, 0, 0, 1, 0, 0, 1));
}
BENCHMARK(BM_OverlapFullMiss);

void BM_OverlapRejectedByBoxes(benchmark::State& state) {
  ImageRef a = OpaqueSquare(), b = OpaqueSquare();
  for (auto _ : state)
    benchmark::DoNotOptimize(FramesOverlapTransformed(*a, 0, 0, 0, *b, 200, 0, 0, 1, 0, 0, 1));
}
BENCHMARK(BM_OverlapRejectedByBoxes);

// Scaled to 70 % and rotated by 30 degrees, touching at one corner region only.
void BM_OverlapRotatedScaled(benchmark::State& state) {
  ImageRef a = OpaqueSquare(), b = OpaqueSquare();
  CentreHandle(a);
  CentreHandle(b);
  const float c = 0.866025f * 0.7f, s = 0.5f * 0.7f;
  for (auto _ : state)
    benchmark::DoNotOptimize(FramesOverlapTransformed(*a, 100, 100, 0, *b, 160, 100, 0, c, -s, s, c));
}
BENCHMARK(BM_OverlapRotatedScaled);

}  // namespace

// The whole start-up before the mode chooser (registering, loading every image, strip and sound,
// widgets and tile sets) on the headless platform: the work the chooser's first frame waits for.
void BM_Startup(benchmark::State& state) {
  for (auto _ : state) {
    UseHeadlessPlatform();
    ClearEmbeddedRegistry();
    RunStartup();
  }
}
BENCHMARK(BM_Startup)->Unit(benchmark::kMillisecond);
