#include <gtest/gtest.h>

#include <vector>

#include "app/credits.h"
#include "app/screens.h"
#include "common/globals.h"
#include "engine/platform/input.h"
#include "engine/render/graphics.h"
#include "shell_fixture.h"
#include "ui/line.h"

namespace {

using CreditsTest = ShellTest;

std::vector<std::shared_ptr<TLetter>> CreditLetters() {
  std::vector<std::shared_ptr<TLetter>> out;
  gCreditsLine->ForEach([&](const std::shared_ptr<TLetter>& l) { out.push_back(l); });
  return out;
}

}  // namespace

TEST_F(CreditsTest, CentredLinesStartHalfTheFreeWidthIn) {
  gGameState = kStateCredits;
  Frame();
  auto letters = CreditLetters();
  ASSERT_FALSE(letters.empty());
  // "VEXTORON" opens the credits, centred, in light blue.
  EXPECT_EQ(letters[0]->chr, 'V' - 33);
  EXPECT_FLOAT_EQ(letters[0]->x, 10 + (780 - 24 * 8) / 2.0f);
  EXPECT_FLOAT_EQ(letters[0]->y, 560);
  EXPECT_EQ(letters[0]->red, 100);
  EXPECT_EQ(letters[0]->blue, 255);
  // The menu music's title, "'7vu Dovov'", stands at x 268 in blue.
  bool found = false;
  for (size_t i = 0; i + 1 < letters.size(); ++i) {
    if (letters[i]->chr == '\'' - 33 && letters[i + 1]->chr == '7' - 33) {
      found = true;
      EXPECT_FLOAT_EQ(letters[i]->x, 268);
      EXPECT_EQ(letters[i]->red, 0);
      EXPECT_EQ(letters[i]->blue, 255);
    }
  }
  EXPECT_TRUE(found);
  // Every letter of the text fits the area from left to right.
  for (const auto& l : letters) {
    EXPECT_GE(l->x, -10);
    EXPECT_LE(l->x + 24, 790 + 24);
  }
}

TEST_F(CreditsTest, CreditsKeepTheCallersColourAndScrollOnePixelEveryTwoFrames) {
  SetColor(1, 2, 3);
  DrawCredits();
  DrawCredits();
  int r = 0, g = 0, b = 0;
  GetColor(&r, &g, &b);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(g, 2);
  EXPECT_EQ(b, 3);
  EXPECT_FLOAT_EQ(CreditLetters()[0]->y, 559.5f);
  EXPECT_NEAR(CreditLetters()[0]->alpha, 0.005f, 1e-6);
}

TEST_F(CreditsTest, LeavingCreditsRestartsTheScrollAfterThreeEmptyFrames) {
  gGameState = kStateCredits;
  Frames(30);
  platform->TapKey(kKeyEscape);
  Frame();
  ASSERT_EQ(gGameState, kStateMenu);
  gGameState = kStateCredits;
  for (int i = 0; i < 3; ++i) {
    Frame();
    EXPECT_TRUE(DrawsOf(gFontImage).empty()) << "frame " << i;
  }
  Frame();
  auto glyphs = DrawsOf(gFontImage);
  ASSERT_FALSE(glyphs.empty());
  EXPECT_FLOAT_EQ(glyphs[0].y, 559.5f);
}

TEST_F(CreditsTest, OptionsScrollTheSameLineAndKeepItsPlaceOnEscape) {
  gGameState = kStateOptions;
  Frames(11);  // layout, then ten steps: the first line at y 555
  platform->TapKey(kKeyEscape);
  Frame();  // one more step, then back to the menu
  ASSERT_EQ(gGameState, kStateMenu);
  gGameState = kStateCredits;
  Frame();
  auto glyphs = DrawsOf(gFontImage);
  ASSERT_FALSE(glyphs.empty());
  EXPECT_FLOAT_EQ(glyphs[0].y, 554);
}

TEST_F(CreditsTest, TextCreditsTheProjectAndItsGenerators) {
  const std::string& text = CreditsText();
  EXPECT_EQ(text.rfind("/rgb(100,100,255)/cVEXTORON/n/n", 0), 0u);
  EXPECT_EQ(ProgrammerName(), "The VEXTORON project");
  EXPECT_NE(
      text.find("/rgb(0,255,255)PROGRAMMED BY:/n/rgb(0,0,255)/cThe VEXTORON project/n/c(lanternworks)/n/n"),
      std::string::npos);
  // Every picture and both pieces of music come from the generators in tools/.
  EXPECT_NE(text.find("/rgb(150,50,255)GRAPHICS BY:/n/rgb(0,0,255)/ctools/gen_images.py/n/c(made from code "
                      "alone)/n/n"),
            std::string::npos);
  EXPECT_NE(text.find("/c(Game Menu Music)/n/cby/n/ctools/music/ambient.py/n/n"), std::string::npos);
  EXPECT_NE(text.find("/c(Game Play Music)/n/cby/n/ctools/music/metal.py/n/n/n/n/n"), std::string::npos);
  // The last line is the web address, with no line end after it, short enough to stay inside the area.
  const size_t last = text.rfind("/rgb(255,128,128)/c");
  ASSERT_NE(last, std::string::npos);
  const std::string address = text.substr(last + 19);
  EXPECT_EQ(address.find("/n"), std::string::npos);
  EXPECT_LE(address.size() * 24, 780u);
}
