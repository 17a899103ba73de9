// The SDL audio output under SDL's dummy (or disk) driver: it opens, converts without losing frames and
// its device thread really pulls voices through the mixer.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine/audio/audio.h"
#include "engine/platform/headless/headless_platform.h"
#include "engine/platform/sdl/sdl_platform.h"
#include "engine/platform/seam.h"

namespace {
class SdlAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    platform_ = CreateSdlPlatform();
    ASSERT_TRUE(platform_) << "SDL video did not start (no X display?)";
    SetPlatform(platform_);
    ResetEngine();
  }
  void TearDown() override {
    // Close the device before SDL itself goes.
    ResetEngine();
    UseHeadlessPlatform();
    platform_.reset();
  }

  std::shared_ptr<Platform> platform_;
};

std::shared_ptr<TAudioSample> Constant8(int frames, int hertz, uint8_t value) {
  auto sample = TAudioSample::Create(frames, hertz, kMono8);
  sample->samples.assign(static_cast<size_t>(frames), value);
  return sample;
}
}  // namespace

TEST_F(SdlAudio, DeviceOpensWithAShortBuffer) {
  EXPECT_FALSE(AudioOutputSilent());
  const int rate = AudioOutputRate();
  EXPECT_TRUE(rate == 44100 || rate == 48000) << rate;
  EXPECT_GT(AudioOutputBufferFrames(), 0);
  EXPECT_LE(AudioOutputBufferFrames(), 1024);
}

TEST_F(SdlAudio, ConversionKeepsEveryFrame) {
  const int rate = AudioOutputRate();
  // Lengths around SDL's internal chunk sizes, and a long one: no tail may go missing.
  for (int frames : {1, 7, 512, 2047, 2048, 2049, 11025, 30001}) {
    SoundRef sound = LoadSound(Constant8(frames, 11025, 255), 0);
    ASSERT_TRUE(sound);
    const int64_t expected = (static_cast<int64_t>(frames) * rate + 11025 / 2) / 11025;
    ASSERT_EQ(sound->Pcm()->FrameCount(), expected) << frames;
    if (rate == 44100) {
      EXPECT_EQ(sound->Pcm()->FrameCount(), frames * 4);
    }
    if (frames < 2048) continue;
    // The sound is loud up to where its last source frame lands: the tail was converted, not dropped
    // or padded with silence (after that point the resampler may ease off towards the silence beyond).
    const std::vector<int16_t>& pcm = sound->Pcm()->frames;
    const int64_t last_source = static_cast<int64_t>(frames - 1) * rate / 11025;
    EXPECT_GT(pcm[pcm.size() / 2 & ~size_t{1}], 30000) << frames;
    EXPECT_GT(pcm[last_source * 2], 30000) << frames;
    EXPECT_GT(pcm[last_source * 2 + 1], 30000) << frames;
  }
  // Music: 16-bit stereo at 44100 Hz.
  auto music = TAudioSample::Create(44100, 44100, kStereo16LE);
  SoundRef song = LoadSound(music, kSoundLoop);
  ASSERT_TRUE(song);
  EXPECT_EQ(song->Pcm()->FrameCount(), rate);
}

TEST_F(SdlAudio, PlayedSoundIsPulledThroughTheMixer) {
  SoundRef sound = LoadSound(Constant8(1103, 11025, 200), 0);  // about 0.1 s
  ChannelRef channel = PlaySound(sound, AllocChannel());
  EXPECT_EQ(channel->Playing(), 1);
  // Only the device thread can move the voice to its end.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (channel->Playing() == 1 && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(channel->Playing(), 0);

  // A looping sound keeps playing, and a paused one holds still.
  SoundRef loop = LoadSound(Constant8(200, 11025, 200), kSoundLoop);
  PlaySound(loop, channel);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(channel->Playing(), 1);
  PauseChannel(channel);
  EXPECT_EQ(channel->Playing(), 0);
}
