#include "ui/button.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/audio/audio.h"
#include "engine/audio/mixer.h"
#include "engine/media/audio_sample.h"
#include "engine/platform/input.h"
#include "ui_fixture.h"

namespace {

class ButtonTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    face = CreateImage(229, 69, 1, kDefaultImageFlags);
    hover = CreateImage(229, 69, 1, kDefaultImageFlags);
    sound = LoadSound(TAudioSample::Create(44100, 44100, kMono16LE), 0);
    ASSERT_NE(sound, nullptr);
    AudioMixer().StopAll();
  }

  // Draws the button with the pointer at (x, y); returns how many sounds it started.
  int DrawAt(TButton& button, int x, int y) {
    platform->MoveMouse(x, y);
    const int before = AudioMixer().ActiveVoices();
    button.Draw(face, hover, font, sound);
    return AudioMixer().ActiveVoices() - before;
  }

  // The face drawn by the last Draw.
  const TImage* FaceDrawn() const {
    for (const DrawRecord& r : platform->CurrentDraws())
      if (r.kind == DrawRecord::kImage && r.image != font.get()) last_face = r.image;
    return last_face;
  }

  ImageRef face, hover;
  SoundRef sound;
  mutable const TImage* last_face = nullptr;
};

}  // namespace

TEST_F(ButtonTest, CaptionIsCentredOnTheFaceAndOnlyTheFirstSpaceCounts) {
  auto button = TButton::CreateButton(285, 445, "NEW GAME", 1.0, 24.0, 32.0, 229);
  std::vector<float> xs;
  button->ForEach([&](const std::shared_ptr<TLetter>& l) {
    xs.push_back(l->x);
    EXPECT_FLOAT_EQ(l->y, 461);
  });
  EXPECT_EQ(xs, (std::vector<float>{303.5f, 327.5f, 351.5f, 399.5f, 423.5f, 447.5f, 471.5f}));

  auto two_spaces = TButton::CreateButton(0, 0, "A B C", 1.0, 10.0, 0, 50);
  xs.clear();
  two_spaces->ForEach([&](const std::shared_ptr<TLetter>& l) { xs.push_back(l->x); });
  EXPECT_EQ(xs, (std::vector<float>{0, 20, 30}));  // C touches B

  auto brace = TButton::CreateButton(0, 0, "A{B", 1.0, 10.0, 0, 30);
  xs.clear();
  brace->ForEach([&](const std::shared_ptr<TLetter>& l) { xs.push_back(l->x); });
  EXPECT_EQ(xs, (std::vector<float>{0, 20}));
}

TEST_F(ButtonTest, FaceAreaIncludesItsRightAndBottomEdgeLines) {
  auto button = TButton::CreateButton(285, 235, "CREDITS", 1.0, 24.0, 32.0, 229);
  DrawAt(*button, 285 + 229, 235 + 69);
  EXPECT_EQ(button->IsMouseOver, 1);
  EXPECT_EQ(FaceDrawn(), hover.get());
  DrawAt(*button, 285 + 230, 235 + 10);
  EXPECT_EQ(button->IsMouseOver, 0);
  EXPECT_EQ(FaceDrawn(), face.get());
  DrawAt(*button, 285, 235 - 1);
  EXPECT_EQ(button->IsMouseOver, 0);
}

TEST_F(ButtonTest, CaptionIsWhiteUnderTheMouseAndBlueOtherwise) {
  auto button = TButton::CreateButton(0, 0, "OK", 1.0, 24.0, 32.0, 229);
  DrawAt(*button, 10, 10);
  std::vector<DrawRecord> glyphs = Glyphs();
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[1].red, 255);
  EXPECT_EQ(glyphs[1].blue, 255);
  platform->Presented(false);
  DrawAt(*button, 400, 400);
  glyphs = Glyphs();
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[1].red, 0);
  EXPECT_EQ(glyphs[1].blue, 235);
  EXPECT_EQ(GetBlend(), 1);
}

TEST_F(ButtonTest, HoverSoundPlaysOncePerEntryAfterTheMouseWasSeenOff) {
  auto button = TButton::CreateButton(0, 0, "OK", 1.0, 24.0, 32.0, 229);
  EXPECT_EQ(DrawAt(*button, 10, 10), 0);  // already over on the first draw: no sound
  EXPECT_EQ(DrawAt(*button, 500, 500), 0);
  EXPECT_EQ(DrawAt(*button, 10, 10), 1);
  EXPECT_EQ(DrawAt(*button, 20, 20), 0);  // staying on it
  EXPECT_EQ(DrawAt(*button, 500, 500), 0);
  EXPECT_EQ(DrawAt(*button, 10, 10), 1);
}
