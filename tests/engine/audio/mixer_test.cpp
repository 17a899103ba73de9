#include "engine/audio/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <numbers>
#include <vector>

namespace {
// A stereo ramp: frame i is (base + i, -(base + i)).
std::shared_ptr<const PcmData> Ramp(int frames, int base = 1) {
  auto pcm = std::make_shared<PcmData>();
  pcm->rate = 44100;
  for (int i = 0; i < frames; ++i) {
    pcm->frames.push_back(static_cast<int16_t>(base + i));
    pcm->frames.push_back(static_cast<int16_t>(-(base + i)));
  }
  return pcm;
}

std::shared_ptr<const PcmData> Constant(int frames, int16_t value) {
  auto pcm = std::make_shared<PcmData>();
  pcm->frames.assign(static_cast<size_t>(frames) * 2, value);
  return pcm;
}

std::vector<int16_t> Pull(Mixer& mixer, int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 12345);
  mixer.Mix(out.data(), frames);
  return out;
}
}  // namespace

TEST(Mixer, SilenceWithoutVoicesAndVoicesSum) {
  Mixer mixer;
  EXPECT_EQ(Pull(mixer, 4), std::vector<int16_t>(8, 0));
  auto a = std::make_shared<Voice>();
  auto b = std::make_shared<Voice>();
  mixer.Play(a, Constant(16, 100), false);
  mixer.Play(b, Constant(16, -30), false);
  EXPECT_EQ(Pull(mixer, 4), std::vector<int16_t>(8, 70));
}

TEST(Mixer, SumsSaturateInsteadOfWrapping) {
  Mixer mixer;
  std::vector<std::shared_ptr<Voice>> voices;
  for (int i = 0; i < 3; ++i) {
    voices.push_back(std::make_shared<Voice>());
    mixer.Play(voices.back(), Constant(8, 20000), false);
  }
  EXPECT_EQ(Pull(mixer, 2), std::vector<int16_t>(4, 32767));
  mixer.StopAll();
  for (auto& voice : voices) mixer.Play(voice, Constant(8, -20000), false);
  EXPECT_EQ(Pull(mixer, 2), std::vector<int16_t>(4, -32768));
}

TEST(Mixer, LoudPeaksAreScaledDownNotFlattenedAndTheGainRecovers) {
  Mixer mixer;
  // Two voices of a ramp up to 20000 sum to 40000 at the top: the buffer is scaled so that the top lands
  // on full scale and every other frame keeps its share of it.
  std::vector<std::shared_ptr<Voice>> voices;
  for (int i = 0; i < 2; ++i) {
    voices.push_back(std::make_shared<Voice>());
    mixer.Play(voices.back(), Ramp(400, 19601), false);
  }
  const std::vector<int16_t> loud = Pull(mixer, 400);
  EXPECT_EQ(loud[2 * 399], 32767);
  EXPECT_EQ(loud[2 * 399 + 1], -32767);
  EXPECT_LT(loud[2 * 398], 32767) << "no flat top";
  const float gain = 32767.0f / 40000.0f;
  for (int f = 0; f < 400; f += 37) EXPECT_NEAR(loud[2 * f], 2.0f * (19601 + f) * gain, 1.0f) << f;
  // Quiet sound afterwards: the gain climbs back to 1 and then passes samples unchanged.
  mixer.Play(voices[0], Constant(20000, 1000), false);
  const std::vector<int16_t> after = Pull(mixer, 1);
  EXPECT_LT(after[0], 1000);
  Pull(mixer, 8192);
  EXPECT_EQ(Pull(mixer, 3), std::vector<int16_t>(6, 1000));
}

// A sine of `frames` frames, the same on both channels, starting at phase 0.
std::shared_ptr<const PcmData> Sine(int frames, int period, double amplitude) {
  auto pcm = std::make_shared<PcmData>();
  pcm->rate = 44100;
  for (int i = 0; i < frames; ++i) {
    const auto v = static_cast<int16_t>(std::lround(amplitude * std::sin(2 * std::numbers::pi * i / period)));
    pcm->frames.push_back(v);
    pcm->frames.push_back(v);
  }
  return pcm;
}

TEST(Mixer, ALoudBurstOverAQuietToneIsLimitedWithoutAClick) {
  // A tone, then four loud voices starting together at a buffer boundary (where the tone is near its
  // top), summing to three times full scale. The limiter must bring them into range without a step of
  // its own: no frame-to-frame jump of the output may exceed the largest jump of the unlimited sum.
  constexpr int kBuffer = 512, kTonePeriod = 100, kBurstPeriod = 200, kBurstFrames = 20 * kBurstPeriod;
  Mixer mixer;
  auto tone = std::make_shared<Voice>();
  auto tone_pcm = Sine(kTonePeriod * 200, kTonePeriod, 10000);
  mixer.Play(tone, tone_pcm, true);
  std::vector<int16_t> out;
  for (int b = 0; b < 2; ++b) {
    const auto part = Pull(mixer, kBuffer);
    out.insert(out.end(), part.begin(), part.end());
  }
  std::vector<std::shared_ptr<Voice>> burst(4);
  auto burst_pcm = Sine(kBurstFrames, kBurstPeriod, 24000);
  for (auto& voice : burst) {
    voice = std::make_shared<Voice>();
    mixer.Play(voice, burst_pcm, false);
  }
  for (int b = 0; b < 14; ++b) {
    const auto part = Pull(mixer, kBuffer);
    out.insert(out.end(), part.begin(), part.end());
  }
  const int frames = static_cast<int>(out.size() / 2);
  int raw_jump = 0, out_jump = 0, loudest = 0;
  int32_t previous_raw = 0;
  for (int f = 0; f < frames; ++f) {
    int32_t raw = tone_pcm->frames[2 * static_cast<size_t>(f % tone_pcm->FrameCount())];
    const int b = f - 2 * kBuffer;
    if (b >= 0 && b < kBurstFrames) raw += 4 * burst_pcm->frames[2 * static_cast<size_t>(b)];
    EXPECT_EQ(out[2 * static_cast<size_t>(f)], out[2 * static_cast<size_t>(f) + 1]);
    if (f > 0) {
      raw_jump = std::max(raw_jump, std::abs(raw - previous_raw));
      out_jump =
          std::max(out_jump, std::abs(out[2 * static_cast<size_t>(f)] - out[2 * static_cast<size_t>(f) - 2]));
    }
    loudest = std::max(loudest, std::abs(static_cast<int>(out[2 * static_cast<size_t>(f)])));
    previous_raw = raw;
  }
  EXPECT_GT(loudest, 30000) << "the burst is limited to full scale, not far below it";
  EXPECT_LE(out_jump, raw_jump) << "the limiter's gain changed in a step";
}

TEST(Mixer, OnceVoiceEndsAndBecomesIdle) {
  Mixer mixer;
  auto voice = std::make_shared<Voice>();
  mixer.Play(voice, Ramp(5), false);
  std::vector<int16_t> out = Pull(mixer, 3);
  EXPECT_EQ(out, (std::vector<int16_t>{1, -1, 2, -2, 3, -3}));
  EXPECT_TRUE(mixer.IsPlaying(*voice));
  // The last two frames, then silence in the same buffer; the voice is idle right after.
  out = Pull(mixer, 4);
  EXPECT_EQ(out, (std::vector<int16_t>{4, -4, 5, -5, 0, 0, 0, 0}));
  EXPECT_FALSE(mixer.IsPlaying(*voice));
  EXPECT_EQ(mixer.StateOf(*voice), Voice::State::kIdle);
  EXPECT_EQ(mixer.ActiveVoices(), 0);
}

TEST(Mixer, LoopingVoiceWrapsWithoutAGapOrRepeat) {
  Mixer mixer;
  auto voice = std::make_shared<Voice>();
  mixer.Play(voice, Ramp(3), true);
  // Buffers that cut across the seam at different places: the stream must be 1 2 3 1 2 3 ...
  std::vector<int16_t> left;
  for (int frames : {2, 5, 1, 4}) {
    std::vector<int16_t> out = Pull(mixer, frames);
    for (int i = 0; i < frames; ++i) left.push_back(out[i * 2]);
  }
  ASSERT_EQ(left.size(), 12u);
  for (size_t i = 0; i < left.size(); ++i) EXPECT_EQ(left[i], static_cast<int16_t>(1 + i % 3)) << i;
  EXPECT_TRUE(mixer.IsPlaying(*voice));
}

TEST(Mixer, PauseKeepsPositionAndPlayRestarts) {
  Mixer mixer;
  auto voice = std::make_shared<Voice>();
  mixer.Play(voice, Ramp(10), false);
  Pull(mixer, 4);
  mixer.Pause(voice);
  EXPECT_EQ(mixer.StateOf(*voice), Voice::State::kPaused);
  EXPECT_EQ(mixer.PositionOf(*voice), 4);
  EXPECT_EQ(Pull(mixer, 2), std::vector<int16_t>(4, 0));
  EXPECT_EQ(mixer.PositionOf(*voice), 4);

  // Playing again starts from the first frame, and only one copy of the voice sounds.
  mixer.Play(voice, Ramp(10), false);
  mixer.Play(voice, Ramp(10), false);
  EXPECT_EQ(mixer.ActiveVoices(), 1);
  EXPECT_EQ(Pull(mixer, 1), (std::vector<int16_t>{1, -1}));

  // Pausing an idle voice leaves it idle.
  mixer.Stop(voice);
  mixer.Pause(voice);
  EXPECT_EQ(mixer.StateOf(*voice), Voice::State::kIdle);
}

TEST(Mixer, DroppedVoiceKeepsPlayingToItsEnd) {
  Mixer mixer;
  {
    auto voice = std::make_shared<Voice>();
    mixer.Play(voice, Constant(6, 7), false);
  }
  EXPECT_EQ(mixer.ActiveVoices(), 1);
  EXPECT_EQ(Pull(mixer, 4), std::vector<int16_t>(8, 7));
  Pull(mixer, 4);
  EXPECT_EQ(mixer.ActiveVoices(), 0);
}

TEST(Mixer, EmptySoundLeavesVoiceIdle) {
  Mixer mixer;
  auto voice = std::make_shared<Voice>();
  mixer.Play(voice, std::make_shared<PcmData>(), true);
  mixer.Play(nullptr, Ramp(4), false);
  EXPECT_FALSE(mixer.IsPlaying(*voice));
  EXPECT_EQ(Pull(mixer, 2), std::vector<int16_t>(4, 0));
}
