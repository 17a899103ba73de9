// Running out of memory while loading: whichever allocation of a load fails (in a decoder, in making
// the pixmap or sample, in starting the music's decoding thread), the load gives the empty reference
// or a whole result, and never lets an exception out.
#include <gtest/gtest.h>

#include "engine/engine.h"
#include "engine/media/decoders.h"
#include "engine/media/media_files.h"
#include "engine/media/pixmap.h"
#include "engine/media/stream.h"
#include "failing_new.h"

namespace {

using media_files::Bytes;

// Runs `load` with its n-th allocation failing, for n = 0, 1, 2 ... until a run no longer reaches the
// failure, and checks every result with check(result, whole): a run that ended without a failure must
// give the whole result. Returns how many runs had an allocation fail.
template <class Load, class Check>
int SweepFailures(Load load, Check check) {
  for (long n = 0; n < 20000; ++n) {
    FailAllocationAfter(n);
    decltype(load()) result;
    bool threw = false;
    try {
      result = load();
    } catch (...) {
      threw = true;
    }
    const bool failed = Disarm();
    EXPECT_FALSE(threw) << "an exception escaped when allocation " << n << " failed";
    EXPECT_TRUE(check(result, !failed)) << "allocation " << n;
    if (!failed) return static_cast<int>(n);
  }
  ADD_FAILURE() << "the load never finished";
  return 0;
}

class LoadFailureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Bytes pixels(8 * 4 * 4);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<uint8_t>(i * 7);
    png_url_ = media_files::RegisterCopy("alloc/strip.png", media_files::MakePng(8, 4, 4, pixels));
    media_files::WavSpec wav;
    wav.data = Bytes(2 * 500, 3);
    wav_url_ = media_files::RegisterCopy("alloc/effect.wav", media_files::MakeWav(wav));
    ogg_url_ = media_files::RegisterCopy("alloc/music.ogg", media_files::MakeOgg(2, 22050, 3000));
    // The audio output opens on first use; these tests are about the loads.
    ASSERT_NE(LoadSound(wav_url_, 0), nullptr);
  }

  static bool WholeSound(const SoundRef& sound, int frames_at_least) {
    return sound && sound->Pcm() && sound->Pcm()->FrameCount() >= frames_at_least;
  }
  // A failed load is either no sound or a sound with nothing to play.
  static bool EmptyOrWhole(const SoundRef& sound, bool whole, int frames_at_least) {
    if (whole) return WholeSound(sound, frames_at_least);
    return !sound || !sound->Pcm() || WholeSound(sound, frames_at_least);
  }

  static std::string png_url_, wav_url_, ogg_url_;
};
std::string LoadFailureTest::png_url_, LoadFailureTest::wav_url_, LoadFailureTest::ogg_url_;

TEST_F(LoadFailureTest, ImageStripAndPngDecoder) {
  const int runs = SweepFailures([] { return LoadStripImage(png_url_, 4, 4, 0, 2, 0); },
                                 [](const ImageRef& image, bool whole) {
                                   if (!image) return !whole;
                                   return image->FrameCount() == 2 && image->pixmaps[0] && image->pixmaps[1];
                                 });
  EXPECT_GT(runs, 3);
  // The decoder on its own, under the loaders.
  std::unique_ptr<TRamStream> stream = OpenStream(png_url_);
  ASSERT_NE(stream, nullptr);
  SweepFailures(
      [&] {
        stream->Seek(0);
        return DecodeImageChain(*stream);
      },
      [](const std::shared_ptr<TPixmap>& pixmap, bool whole) {
        return pixmap ? pixmap->width == 8 && pixmap->height == 4 : !whole;
      });
}

TEST_F(LoadFailureTest, WavAndOggSounds) {
  EXPECT_GT(SweepFailures([] { return LoadSound(wav_url_, 0); },
                          [](const SoundRef& s, bool whole) { return EmptyOrWhole(s, whole, 500); }),
            2);
  EXPECT_GT(SweepFailures([] { return LoadSound(ogg_url_, 0); },
                          [](const SoundRef& s, bool whole) { return EmptyOrWhole(s, whole, 3000); }),
            2);
}

TEST_F(LoadFailureTest, MusicDecodedOnItsOwnThread) {
  // The failure may come in starting the thread, in the thread's decoding or in handing the result
  // back; the sound's PCM is then empty, and asking for it must not throw.
  const int runs = SweepFailures(
      [] {
        SoundRef sound = LoadSoundAsync(ogg_url_, kSoundLoop);
        if (sound) (void)sound->Pcm();  // waits for the decoding thread
        return sound;
      },
      [](const SoundRef& s, bool whole) { return EmptyOrWhole(s, whole, 3000) && (!s || s->Loops()); });
  EXPECT_GT(runs, 5);
}

TEST_F(LoadFailureTest, PixmapsAndSamplesThatCannotBeMadeAreEmpty) {
  FailAllocationAfter(1);  // the pixel buffer, after the pixmap itself
  auto pixmap = TPixmap::Create(64, 64, kFormatRGBA8888);
  EXPECT_TRUE(Disarm());
  EXPECT_EQ(pixmap, nullptr);
  FailAllocationAfter(1);
  auto sample = TAudioSample::Create(1000, 22050, kStereo16LE);
  EXPECT_TRUE(Disarm());
  EXPECT_EQ(sample, nullptr);
}

}  // namespace
