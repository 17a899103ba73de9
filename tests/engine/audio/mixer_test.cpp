#include "engine/audio/mixer.h"

#include <gtest/gtest.h>

#include <memory>
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
