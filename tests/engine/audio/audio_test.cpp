#include "engine/audio/audio.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/audio/mixer.h"
#include "engine/media/decoders.h"
#include "engine/media/media_files.h"
#include "engine/media/sample_convert.h"
#include "engine/platform/headless/headless_platform.h"

namespace {
// 16-bit mono at the output rate whose frame i is value(i), so mixed output can be traced to positions.
std::shared_ptr<TAudioSample> Mono16(int frames, int16_t (*value)(int)) {
  auto sample = TAudioSample::Create(frames, 44100, kMono16LE);
  for (int i = 0; i < frames; ++i) {
    const uint16_t v = static_cast<uint16_t>(value(i));
    sample->samples[i * 2] = static_cast<uint8_t>(v & 0xFF);
    sample->samples[i * 2 + 1] = static_cast<uint8_t>(v >> 8);
  }
  return sample;
}

int16_t Index(int i) {
  return static_cast<int16_t>(i + 1);
}

// The whole track decoded and converted in one piece, as a sound loaded with LoadSound holds it.
std::vector<int16_t> FullDecode(const media_files::Bytes& ogg, int rate) {
  TRamStream stream(ogg.data(), ogg.size());
  std::shared_ptr<TAudioSample> sample = DecodeOgg(stream);
  std::vector<int16_t> out;
  if (sample) ConvertSampleToStereo16(*sample, rate, &out);
  return out;
}

// Pulls `frames` frames in uneven buffers, so that seams fall at every kind of place.
std::vector<int16_t> Pull(HeadlessPlatform& platform, int frames) {
  std::vector<int16_t> out;
  for (int step = 0; static_cast<int>(out.size() / 2) < frames; ++step) {
    const int n = std::min(frames - static_cast<int>(out.size() / 2), 700 + 1237 * (step % 5));
    std::vector<int16_t> part = platform.Mix(n);
    out.insert(out.end(), part.begin(), part.end());
  }
  return out;
}

std::vector<int16_t> Left(const std::vector<int16_t>& stereo) {
  std::vector<int16_t> left;
  for (size_t i = 0; i < stereo.size(); i += 2) left.push_back(stereo[i]);
  return left;
}
}  // namespace

TEST(Audio, FreshChannelIsIdleAndPausedChannelRestartsFromTheBeginning) {
  auto platform = UseHeadlessPlatform();
  SoundRef sound = LoadSound(Mono16(2000, Index), 0);
  ASSERT_TRUE(sound);
  ChannelRef channel = AllocChannel();
  EXPECT_EQ(channel->Playing(), 0);

  EXPECT_EQ(PlaySound(sound, channel), channel);
  EXPECT_EQ(channel->Playing(), 1);
  platform->Mix(300);
  EXPECT_EQ(PauseChannel(channel), 0);
  EXPECT_EQ(channel->Playing(), 0);
  EXPECT_EQ(Left(platform->Mix(4)), std::vector<int16_t>(4, 0));

  PlaySound(sound, channel);
  EXPECT_EQ(channel->Playing(), 1);
  EXPECT_EQ(Left(platform->Mix(3)), (std::vector<int16_t>{1, 2, 3}));

  EXPECT_EQ(StopChannel(channel), 0);
  EXPECT_EQ(channel->Playing(), 0);
  // Pausing an idle channel keeps it idle; a null channel is ignored.
  PauseChannel(channel);
  EXPECT_EQ(channel->Playing(), 0);
  EXPECT_EQ(PauseChannel(nullptr), 0);
  EXPECT_EQ(StopChannel(nullptr), 0);
}

TEST(Audio, OnceSoundEndsAndItsChannelBecomesIdle) {
  auto platform = UseHeadlessPlatform();
  SoundRef sound = LoadSound(Mono16(700, Index), 0);
  ChannelRef channel = PlaySound(sound, AllocChannel());
  std::vector<int16_t> left = Left(platform->Mix(512));
  EXPECT_EQ(channel->Playing(), 1);
  std::vector<int16_t> tail = Left(platform->Mix(512));
  left.insert(left.end(), tail.begin(), tail.end());
  EXPECT_EQ(channel->Playing(), 0);
  for (int i = 0; i < 700; ++i) ASSERT_EQ(left[i], i + 1) << i;
  for (int i = 700; i < 1024; ++i) ASSERT_EQ(left[i], 0) << i;
}

TEST(Audio, LoopingSoundWrapsSeamlessly) {
  auto platform = UseHeadlessPlatform();
  // A ramp 1..300 that loops: across the seam the next frame after 300 must be 1, never 0 or a repeat.
  SoundRef sound = LoadSound(Mono16(300, Index), kSoundLoop);
  ASSERT_TRUE(sound->Loops());
  ChannelRef channel = PlaySound(sound, AllocChannel());
  std::vector<int16_t> left;
  for (int buffer = 0; buffer < 4; ++buffer) {
    std::vector<int16_t> part = Left(platform->Mix(512));
    left.insert(left.end(), part.begin(), part.end());
  }
  for (size_t i = 0; i < left.size(); ++i) ASSERT_EQ(left[i], static_cast<int16_t>(1 + i % 300)) << i;
  EXPECT_EQ(channel->Playing(), 1);
}

TEST(Audio, PlayWithoutChannelMakesOneThatPlaysToTheEnd) {
  auto platform = UseHeadlessPlatform();
  SoundRef sound = LoadSound(Mono16(100, [](int) -> int16_t { return 1000; }), 0);
  ChannelRef first = PlaySound(sound);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Playing(), 1);
  first.reset();
  // Two instances of one sound at once, one of them on a dropped channel.
  ChannelRef second = PlaySound(sound);
  EXPECT_EQ(Left(platform->Mix(2)), (std::vector<int16_t>{2000, 2000}));
  platform->Mix(200);
  EXPECT_EQ(second->Playing(), 0);
  EXPECT_EQ(AudioMixer().ActiveVoices(), 0);
}

TEST(Audio, SilentOutputStillHandsOutObjects) {
  auto platform = UseHeadlessPlatform();
  platform->SetAudioAvailable(false);
  SoundRef sound = LoadSound(Mono16(100, Index), kSoundLoop);
  ASSERT_TRUE(sound);
  ChannelRef channel = AllocChannel();
  ASSERT_TRUE(channel);
  EXPECT_EQ(PlaySound(sound, channel), channel);
  EXPECT_EQ(channel->Playing(), 0);
  ChannelRef made = PlaySound(sound);
  ASSERT_TRUE(made);
  EXPECT_EQ(made->Playing(), 0);
  EXPECT_TRUE(AudioOutputSilent());
  EXPECT_EQ(AudioOutputRate(), 0);
  EXPECT_EQ(AudioOutputBufferFrames(), 0);
  EXPECT_EQ(Left(platform->Mix(4)), std::vector<int16_t>(4, 0));
  // A null sample is still no sound.
  EXPECT_FALSE(LoadSound(std::shared_ptr<TAudioSample>(), 0));
}

TEST(Audio, HeadlessOutputFormat) {
  UseHeadlessPlatform();
  EXPECT_FALSE(AudioOutputSilent());
  EXPECT_EQ(AudioOutputRate(), 44100);
  EXPECT_EQ(AudioOutputBufferFrames(), 512);
}

TEST(Audio, EightBitMonoEffectsComeOutAtFourTimesTheFrames) {
  auto sample = TAudioSample::Create(5, 11025, kMono8);
  sample->samples = {128, 255, 0, 128, 192};
  std::vector<int16_t> out;
  ASSERT_TRUE(ConvertSampleToStereo16(*sample, 44100, &out));
  ASSERT_EQ(out.size(), 5u * 4 * 2);
  // Every source frame lands exactly on every fourth output frame, both channels.
  const int16_t expected[] = {0, 127 * 256, -128 * 256, 0, 64 * 256};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(out[k * 8], expected[k]) << k;
    EXPECT_EQ(out[k * 8 + 1], expected[k]) << k;
  }
  // In between, a straight line.
  EXPECT_EQ(out[2 * 2], expected[1] / 2);
  // The last source frame is held, not faded to silence.
  EXPECT_EQ(out[19 * 2], expected[4]);
}

TEST(Audio, ConverterHandlesEveryFormatAndOddRates) {
  auto be = TAudioSample::Create(2, 44100, kStereo16BE);
  be->samples = {0x12, 0x34, 0xFF, 0xFE, 0x00, 0x01, 0x80, 0x00};
  std::vector<int16_t> out;
  ASSERT_TRUE(ConvertSampleToStereo16(*be, 44100, &out));
  EXPECT_EQ(out, (std::vector<int16_t>{0x1234, -2, 1, -32768}));

  auto stereo8 = TAudioSample::Create(1, 44100, kStereo8);
  stereo8->samples = {0, 255};
  ASSERT_TRUE(ConvertSampleToStereo16(*stereo8, 44100, &out));
  EXPECT_EQ(out, (std::vector<int16_t>{-32768, 32512}));

  // 22050 -> 48000 and 48000 -> 44100: the length follows the ratio, rounded.
  auto music = TAudioSample::Create(22050, 22050, kMono16LE);
  ASSERT_TRUE(ConvertSampleToStereo16(*music, 48000, &out));
  EXPECT_EQ(out.size(), 48000u * 2);
  EXPECT_EQ(ConvertedFrameCount(48000, 48000, 44100), 44100);
  EXPECT_EQ(ConvertedFrameCount(3, 44100, 48000), 3);

  // A sample that claims more frames than it holds is read only as far as its bytes go.
  auto short_sample = TAudioSample::Create(4, 44100, kMono16LE);
  short_sample->samples.resize(4);
  ASSERT_TRUE(ConvertSampleToStereo16(*short_sample, 44100, &out));
  EXPECT_EQ(out.size(), 4u);
  TAudioSample bad;
  bad.format = 9;
  bad.hertz = 44100;
  EXPECT_FALSE(ConvertSampleToStereo16(bad, 44100, &out));
}

TEST(Audio, LoadSoundFromEmbeddedData) {
  auto platform = UseHeadlessPlatform();
  media_files::WavSpec spec;
  spec.rate = 11025;
  spec.bits = 8;
  spec.data = {128, 200, 56, 128};
  const std::string url = media_files::RegisterCopy("io_audio_test_effect.wav", media_files::MakeWav(spec));
  SoundRef sound = LoadSound(url, 0);
  ASSERT_TRUE(sound);
  ASSERT_TRUE(sound->Pcm());
  EXPECT_EQ(sound->Pcm()->FrameCount(), 16);
  EXPECT_EQ(sound->Pcm()->rate, 44100);
  EXPECT_FALSE(LoadSound("incbin::io_audio_test_missing.wav", 0));
  const std::string junk = media_files::RegisterCopy("io_audio_test_junk.wav", {'n', 'o', 'p', 'e'});
  EXPECT_FALSE(LoadSound(junk, 0));

  // Data that is not Ogg Vorbis loads as usual when asked to stream; a failed load is null there too.
  SoundRef later = LoadSoundStreamed(url, kSoundLoop);
  ASSERT_TRUE(later);
  EXPECT_TRUE(later->Loops());
  ChannelRef channel = PlaySound(later, AllocChannel());
  EXPECT_EQ(channel->Playing(), 1);
  EXPECT_EQ(later->Pcm()->frames, sound->Pcm()->frames);

  EXPECT_FALSE(LoadSoundStreamed("incbin::io_audio_test_missing.wav", 0));
  EXPECT_FALSE(LoadSoundStreamed(junk, 0));
}

TEST(Audio, ResetStopsEverythingAndReopensOnNextUse) {
  auto platform = UseHeadlessPlatform();
  SoundRef sound = LoadSound(Mono16(1000, Index), kSoundLoop);
  ChannelRef channel = PlaySound(sound, AllocChannel());
  EXPECT_EQ(channel->Playing(), 1);
  ResetEngine();
  EXPECT_EQ(channel->Playing(), 0);
  EXPECT_EQ(AudioMixer().ActiveVoices(), 0);
  PlaySound(sound, channel);
  EXPECT_EQ(channel->Playing(), 1);
  EXPECT_EQ(Left(platform->Mix(1)), (std::vector<int16_t>{1}));
}

TEST(Audio, StreamedMusicLoopsSampleExactlyAsTheWholeTrackDecoded) {
  auto platform = UseHeadlessPlatform();
  // Stereo at the output rate, and mono at half of it (converted while streaming): longer than the part
  // decoded at load, so the decoder is reopened, sought and wrapped at the seam.
  struct Case {
    const char* name;
    int channels, rate, frames;
  };
  for (const Case& c : {Case{"io_audio_stream_stereo.ogg", 2, 44100, 41000},
                        Case{"io_audio_stream_mono.ogg", 1, 22050, 15000}}) {
    const media_files::Bytes ogg = media_files::MakeOgg(c.channels, c.rate, c.frames);
    const std::vector<int16_t> whole = FullDecode(ogg, 44100);
    ASSERT_FALSE(whole.empty()) << c.name;
    const size_t pass = whole.size();
    SoundRef music = LoadSoundStreamed(media_files::RegisterCopy(c.name, ogg), kSoundLoop);
    ASSERT_TRUE(music) << c.name;
    EXPECT_FALSE(music->Pcm()) << "streamed music holds no decoded track";
    ChannelRef channel = PlaySound(music, AllocChannel());
    const int frames = static_cast<int>(pass / 2 * 5 / 2);
    const std::vector<int16_t> played = Pull(*platform, frames);
    for (size_t i = 0; i < played.size(); ++i) {
      ASSERT_EQ(played[i], whole[i % pass]) << c.name << " sample " << i << " of a pass of " << pass;
    }
    EXPECT_EQ(channel->Playing(), 1);
    EXPECT_EQ(AudioMixer().PositionOf(*channel->voice()), frames % static_cast<int>(pass / 2));

    // Pausing keeps the place; playing again starts from the first frame.
    PauseChannel(channel);
    const int64_t kept = AudioMixer().PositionOf(*channel->voice());
    EXPECT_EQ(Left(platform->Mix(64)), std::vector<int16_t>(64, 0));
    EXPECT_EQ(AudioMixer().PositionOf(*channel->voice()), kept);
    PlaySound(music, channel);
    const std::vector<int16_t> again = Pull(*platform, 20000);
    EXPECT_TRUE(std::equal(again.begin(), again.end(), whole.begin())) << c.name;
    StopChannel(channel);
  }
}

TEST(Audio, StreamedMusicThatDoesNotLoadIsNullAsWithLoadSound) {
  auto platform = UseHeadlessPlatform();
  const media_files::Bytes ogg = media_files::MakeOgg(2, 44100, 60000);
  // A stream cut short (its last page does not close it), data that is no sound at all, and a name that
  // is not registered: null, exactly where LoadSound gives null.
  const media_files::Bytes cut(ogg.begin(), ogg.begin() + static_cast<long>(ogg.size() * 2 / 3));
  const std::string cut_url = media_files::RegisterCopy("io_audio_stream_cut.ogg", cut);
  const std::string junk_url = media_files::RegisterCopy("io_audio_stream_junk.ogg", {'O', 'g', 'g', 'S'});
  for (const std::string& url : {cut_url, junk_url, std::string("incbin::io_audio_stream_missing.ogg")}) {
    EXPECT_FALSE(LoadSound(url, kSoundLoop)) << url;
    EXPECT_FALSE(LoadSoundStreamed(url, kSoundLoop)) << url;
  }
  // Without an output device the track is still checked, then kept as a silent sound.
  platform->SetAudioAvailable(false);
  ResetEngine();
  EXPECT_FALSE(LoadSoundStreamed(cut_url, kSoundLoop));
  SoundRef silent = LoadSoundStreamed(media_files::RegisterCopy("io_audio_stream_ok.ogg", ogg), kSoundLoop);
  ASSERT_TRUE(silent);
  EXPECT_EQ(PlaySound(silent, AllocChannel())->Playing(), 0);
}

TEST(Audio, MutingSilencesTheOutputWhileEveryChannelPlaysOn) {
  auto platform = UseHeadlessPlatform();
  SoundRef sound = LoadSound(Mono16(3000, Index), kSoundLoop);
  ChannelRef channel = PlaySound(sound, AllocChannel());
  platform->Mix(100);
  SetAudioMuted(true);
  for (int16_t v : platform->Mix(512)) ASSERT_EQ(v, 0);
  EXPECT_EQ(channel->Playing(), 1);
  // Unmuted, the sound is heard from where it has got to, not from where it was silenced.
  SetAudioMuted(false);
  EXPECT_EQ(Left(platform->Mix(1))[0], 613);
  SetAudioMuted(true);
  ResetEngine();
  EXPECT_FALSE(AudioMuted());
}
