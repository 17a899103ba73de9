// WAV and Ogg Vorbis decoding through the audio chain.
#include <gtest/gtest.h>

#include "engine/media/decoders.h"
#include "engine/media/media_files.h"

namespace {

using media_files::Bytes;
using media_files::WavSpec;

std::shared_ptr<TAudioSample> Decode(const Bytes& bytes) {
  TRamStream stream(bytes.data(), bytes.size());
  return DecodeAudioChain(stream);
}

TEST(MediaWav, PlainFilesGiveTheirFormats) {
  WavSpec spec;
  spec.data = {1, 2, 3, 4, 5, 6, 7, 8};
  auto mono16 = Decode(media_files::MakeWav(spec));
  ASSERT_TRUE(mono16);
  EXPECT_EQ(mono16->format, kMono16LE);
  EXPECT_EQ(mono16->length, 4);
  EXPECT_EQ(mono16->hertz, 22050);
  EXPECT_EQ(mono16->samples, spec.data);

  spec.channels = 2;
  EXPECT_EQ(Decode(media_files::MakeWav(spec))->format, kStereo16LE);
  spec.bits = 8;
  auto stereo8 = Decode(media_files::MakeWav(spec));
  EXPECT_EQ(stereo8->format, kStereo8);
  EXPECT_EQ(stereo8->length, 4);
  spec.channels = 1;
  EXPECT_EQ(Decode(media_files::MakeWav(spec))->format, kMono8);

  // A trailing half frame is read past and dropped.
  spec.bits = 16;
  spec.data = {1, 2, 3};
  auto odd = Decode(media_files::MakeWav(spec));
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->length, 1);
}

TEST(MediaWav, LongerFmtAndExtraChunksAreSkipped) {
  WavSpec spec;
  spec.data = {9, 9, 8, 8};
  spec.fmt_extra = {0, 0};  // an 18-byte fmt chunk
  auto a = Decode(media_files::MakeWav(spec));
  ASSERT_TRUE(a);
  EXPECT_EQ(a->samples, spec.data);

  spec.fmt_extra.clear();
  spec.between = media_files::Chunk("LIST", {'I', 'N', 'F', 'O', 1, 2});
  const Bytes fact = media_files::Chunk("fact", {4, 0, 0, 0});
  spec.between.insert(spec.between.end(), fact.begin(), fact.end());
  auto b = Decode(media_files::MakeWav(spec));
  ASSERT_TRUE(b);
  EXPECT_EQ(b->samples, spec.data);
}

TEST(MediaWav, UnsupportedOrDamagedFilesAreRefused) {
  WavSpec base;
  base.data = Bytes(64, 1);
  WavSpec s = base;
  s.bits = 24;
  EXPECT_FALSE(Decode(media_files::MakeWav(s)));
  s = base;
  s.format_tag = 2;  // ADPCM
  EXPECT_FALSE(Decode(media_files::MakeWav(s)));
  s = base;
  s.channels = 6;
  EXPECT_FALSE(Decode(media_files::MakeWav(s)));

  // The data chunk promises more than the file holds.
  s = base;
  s.data_length = 65;
  EXPECT_FALSE(Decode(media_files::MakeWav(s)));
  const Bytes good = media_files::MakeWav(base);
  for (size_t cut = 0; cut < good.size(); cut += 7) {
    EXPECT_FALSE(Decode(Bytes(good.begin(), good.begin() + cut))) << "cut at " << cut;
  }
  // Lengths that would run past the end or allocate without bound.
  s = base;
  s.data_length = 0xFFFFFFFF;
  EXPECT_FALSE(Decode(media_files::MakeWav(s)));
  s = base;
  s.between = media_files::Chunk("junk", {});
  s.between[4] = s.between[5] = s.between[6] = s.between[7] = 0xFF;  // skip 4 GB
  EXPECT_FALSE(Decode(media_files::MakeWav(s)));
  // No data chunk at all.
  Bytes no_data = media_files::MakeWav(base);
  no_data.resize(36);
  EXPECT_FALSE(Decode(no_data));
  // An empty data chunk has nothing to play.
  s = base;
  s.data.clear();
  EXPECT_FALSE(Decode(media_files::MakeWav(s)));
  // A fmt chunk shorter than its fields.
  Bytes short_fmt = media_files::MakeWav(base);
  short_fmt[16] = 14;
  EXPECT_FALSE(Decode(short_fmt));
}

TEST(MediaOgg, MonoAndStereoDecodeCompletely) {
  const Bytes mono_file = media_files::MakeOgg(1, 22050, 3000);
  ASSERT_FALSE(mono_file.empty());
  auto mono = Decode(mono_file);
  ASSERT_TRUE(mono);
  EXPECT_EQ(mono->format, kMono16LE);
  EXPECT_EQ(mono->hertz, 22050);
  EXPECT_EQ(mono->length, 3000);
  EXPECT_EQ(mono->samples.size(), 6000u);
  bool any_sound = false;
  for (uint8_t b : mono->samples) any_sound |= b != 0;
  EXPECT_TRUE(any_sound);

  auto stereo = Decode(media_files::MakeOgg(2, 44100, 5000));
  ASSERT_TRUE(stereo);
  EXPECT_EQ(stereo->format, kStereo16LE);
  EXPECT_EQ(stereo->hertz, 44100);
  EXPECT_EQ(stereo->length, 5000);
}

TEST(MediaOgg, TruncatedOrCorruptFilesAreRefused) {
  const Bytes good = media_files::MakeOgg(2, 44100, 20000);
  ASSERT_TRUE(Decode(good));
  for (size_t cut : {size_t{0}, size_t{30}, size_t{200}, good.size() / 2, good.size() - 100}) {
    EXPECT_FALSE(Decode(Bytes(good.begin(), good.begin() + cut))) << "cut at " << cut;
  }
  Bytes corrupt = good;
  for (size_t i = 60; i < corrupt.size(); i += 97) corrupt[i] ^= 0x5A;
  EXPECT_FALSE(Decode(corrupt));
}

}  // namespace
