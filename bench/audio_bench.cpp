// Mixing cost: 32 voices for one device buffer, as a share of the real time that buffer lasts, and the
// output's buffer size with the latency it implies.
#include <benchmark/benchmark.h>

#include <time.h>

#include <memory>
#include <vector>

#include "engine/audio/audio.h"
#include "engine/audio/mixer.h"
#include "engine/media/sample_convert.h"
#include "engine/platform/headless/headless_platform.h"

namespace {
double ThreadCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::shared_ptr<const PcmData> Noise(int frames, uint32_t seed) {
  auto pcm = std::make_shared<PcmData>();
  pcm->rate = 44100;
  pcm->frames.resize(static_cast<size_t>(frames) * 2);
  for (int16_t& s : pcm->frames) {
    seed = seed * 1664525u + 1013904223u;
    s = static_cast<int16_t>(seed >> 16);
  }
  return pcm;
}

void BM_Mix32VoicesOneBuffer(benchmark::State& state) {
  auto platform = UseHeadlessPlatform();
  const int rate = AudioOutputRate();
  const int frames = AudioOutputBufferFrames();
  Mixer mixer;
  std::vector<std::shared_ptr<Voice>> voices;
  for (int i = 0; i < 32; ++i) {
    voices.push_back(std::make_shared<Voice>());
    // Loud looping voices of different lengths, so seams fall anywhere and sums saturate often.
    mixer.Play(voices.back(), Noise(rate / 2 + i * 97, static_cast<uint32_t>(i + 1)), true);
  }
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
  const double cpu_start = ThreadCpuSeconds();
  for (auto _ : state) {
    mixer.Mix(out.data(), frames);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  const double cpu_seconds = ThreadCpuSeconds() - cpu_start;
  const double buffer_seconds = static_cast<double>(frames) / rate;
  // CPU time spent over the audio time produced: the share of one core the device thread needs.
  state.counters["cpu_pct_of_realtime"] =
      100.0 * cpu_seconds / (buffer_seconds * static_cast<double>(state.iterations()));
  state.counters["buffer_frames"] = frames;
  state.counters["latency_ms"] = buffer_seconds * 1000.0;
}
BENCHMARK(BM_Mix32VoicesOneBuffer);

// Load-time conversion of a one-second 11025 Hz 8-bit effect to the output format.
void BM_ConvertEffect(benchmark::State& state) {
  auto sample = TAudioSample::Create(11025, 11025, kMono8);
  for (size_t i = 0; i < sample->samples.size(); ++i) sample->samples[i] = static_cast<uint8_t>(i * 7);
  std::vector<int16_t> out;
  for (auto _ : state) {
    ConvertSampleToStereo16(*sample, 44100, &out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_ConvertEffect);
}  // namespace
