#include "ui/line.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/startup.h"
#include "common/globals.h"
#include "ui_fixture.h"

namespace {

// A line set up exactly as start-up sets up the credits, taken out of the program-wide slot so each
// test starts from a fresh one.
std::shared_ptr<TLine> CreditsLikeLine() {
  CreateCreditsLine();
  return std::move(gCreditsLine);
}

std::vector<std::shared_ptr<TLetter>> Letters(TLine& line) {
  std::vector<std::shared_ptr<TLetter>> out;
  line.ForEach([&](const std::shared_ptr<TLetter>& l) { out.push_back(l); });
  return out;
}

class LineTest : public UiTest {
 protected:
  void Draw(TLine& line, const std::string& text, float alphaOverride = -9.99f) {
    line.Draw(text, font, nullptr, nullptr, 0, alphaOverride, 1);
  }
};

}  // namespace

TEST_F(LineTest, FirstCallOnlyLaysOutAndLaterCallsScrollAndDraw) {
  auto line = CreditsLikeLine();
  Draw(*line, "AB");
  EXPECT_EQ(line->Count(), 2);
  EXPECT_TRUE(Glyphs().empty());
  Draw(*line, "AB");
  auto glyphs = Glyphs();
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_EQ(glyphs[0].frame, 'A' - 33);
  EXPECT_FLOAT_EQ(glyphs[0].y, 559.5f);
  // One step into the fade-in zone: faint and small.
  EXPECT_NEAR(glyphs[0].alpha, 0.005f, 1e-6);
  EXPECT_NEAR(glyphs[0].scale_x, 0.501f, 1e-6);
  EXPECT_EQ(GetBlend(), 1);
}

TEST_F(LineTest, ColourTagsColourEveryFollowingLetterAcrossLines) {
  auto line = CreditsLikeLine();
  Draw(*line, "/rgb(150,50,255)GRAPHICS BY:/nAB/rgb(1,2,3)C");
  auto letters = Letters(*line);
  ASSERT_EQ(letters.size(), 14u);
  for (size_t i = 0; i < 13; ++i) {
    EXPECT_EQ(letters[i]->red, 150);
    EXPECT_EQ(letters[i]->green, 50);
    EXPECT_EQ(letters[i]->blue, 255);
  }
  EXPECT_EQ(letters[13]->red, 1);
  EXPECT_EQ(letters[13]->blue, 3);
  EXPECT_FLOAT_EQ(letters[11]->y, 592);  // "AB" is on the next line
  EXPECT_FLOAT_EQ(letters[11]->x, 10);
}

TEST_F(LineTest, CentredLinesStartHalfTheFreeWidthIn) {
  auto line = CreditsLikeLine();
  Draw(*line, "/rgb(0,0,255)/c'7vu Dovov'/n/cVEXTORON/n");
  auto letters = Letters(*line);
  ASSERT_EQ(letters.size(), 10u + 8u);
  EXPECT_FLOAT_EQ(letters[0]->x, 268);  // 10 + (780 - 24 * 11) / 2
  EXPECT_EQ(letters[0]->blue, 255);
  EXPECT_FLOAT_EQ(letters[10]->x, 10 + (780 - 24 * 8) / 2.0f);
  EXPECT_FLOAT_EQ(letters[10]->y, 592);
}

TEST_F(LineTest, CharactersWithoutAGlyphTakeAWidthButMakeNoLetter) {
  auto line = CreditsLikeLine();
  // A space, "{" (admitted by the markup, but the font has no frame for it) and codes above the font.
  Draw(*line,
       "A B{C\x7f"
       "D|");
  auto letters = Letters(*line);
  ASSERT_EQ(letters.size(), 4u);
  EXPECT_FLOAT_EQ(letters[0]->x, 10);
  EXPECT_FLOAT_EQ(letters[1]->x, 58);
  EXPECT_FLOAT_EQ(letters[2]->x, 106);  // "{" took a width
  EXPECT_FLOAT_EQ(letters[3]->x, 154);
  for (const auto& l : letters) EXPECT_LT(l->chr, 90);
}

TEST_F(LineTest, BlankLinesAndSpaceSeparatedLines) {
  auto line = CreditsLikeLine();
  Draw(*line, "A/n/nB");
  auto letters = Letters(*line);
  ASSERT_EQ(letters.size(), 2u);
  EXPECT_FLOAT_EQ(letters[1]->y, 560 + 64);

  auto spaced = CreditsLikeLine();
  spaced->style = 1;
  Draw(*spaced, "AB CD E/nF");
  letters = Letters(*spaced);
  ASSERT_EQ(letters.size(), 6u);  // "/n" makes no letter, but ends no line in this style
  EXPECT_FLOAT_EQ(letters[2]->x, 10);
  EXPECT_FLOAT_EQ(letters[2]->y, 592);
  EXPECT_FLOAT_EQ(letters[4]->y, 624);
}

TEST_F(LineTest, LoopingLineRestsTwoCallsThenLaysOutAgain) {
  auto line = CreditsLikeLine();
  line->ymin = 555;  // a short area, so the letters leave quickly
  line->ymax = 560;
  Draw(*line, "A");
  int calls = 0;
  while (line->Count() > 0 && calls < 100) {
    Draw(*line, "A");
    ++calls;
  }
  ASSERT_EQ(line->Count(), 0);
  platform->Presented(false);
  Draw(*line, "A");  // finds no letters: the scroll is complete
  EXPECT_EQ(line->scrollcomplete, 1);
  Draw(*line, "A");  // the wait is over: back to the start
  EXPECT_EQ(line->LetterPosition, 0);
  EXPECT_EQ(line->Count(), 0);
  Draw(*line, "A");  // laid out again, nothing drawn yet
  EXPECT_EQ(line->Count(), 1);
  EXPECT_TRUE(Glyphs().empty());
  Draw(*line, "A");
  ASSERT_EQ(Glyphs().size(), 1u);
  EXPECT_FLOAT_EQ(Glyphs()[0].y, 559.5f);
}

TEST_F(LineTest, RestartClearsAndLaysOutAtOnce) {
  auto line = CreditsLikeLine();
  Draw(*line, "AB");
  Draw(*line, "AB");
  line->Draw("XYZ", font, nullptr, nullptr, 1, -9.99f, 1);
  auto letters = Letters(*line);
  ASSERT_EQ(letters.size(), 3u);
  EXPECT_EQ(letters[0]->chr, 'X' - 33);
  EXPECT_FLOAT_EQ(letters[0]->y, 560);
}

TEST_F(LineTest, AlphaOverrideAboveTheMarkerForcesOpacity) {
  auto line = CreditsLikeLine();
  Draw(*line, "A");
  Draw(*line, "A", 1.0f);
  ASSERT_EQ(Glyphs().size(), 1u);
  EXPECT_GT(Glyphs()[0].alpha, 0.99f);
}

TEST_F(LineTest, CreditsLettersFadeInOverTwoHundredFramesAndLeaveAtTheTop) {
  auto line = CreditsLikeLine();
  Draw(*line, "A");
  for (int i = 0; i < 200; ++i) Draw(*line, "A");
  auto letter = Letters(*line).at(0);
  EXPECT_FLOAT_EQ(letter->y, 460);
  EXPECT_NEAR(letter->alpha, 1.0f, 0.01f);
  EXPECT_NEAR(letter->scale, 0.7f, 0.001f);  // 0.5 + 200 x 0.001, still growing
  // 860 steps take it from 560 to 130; it fades through the top 140 pixels and goes above y 30.
  int steps = 200;
  while (line->Count() > 0 && steps < 2000) {
    Draw(*line, "A");
    ++steps;
  }
  EXPECT_EQ(steps, 1061);  // (560 - 29.5) / 0.5
  EXPECT_LT(letter->alpha, 0.5f);
}

TEST_F(LineTest, ColourSpecsReadDecimalHexAndBinaryFields) {
  TLine line;
  line.SetRGBColor(" 12, $ff,%101");
  EXPECT_EQ(line.mRed, 12);
  EXPECT_EQ(line.mGreen, 255);
  EXPECT_EQ(line.mBlue, 5);
  line.SetRGBColor("-3x,abc");
  EXPECT_EQ(line.mRed, -3);
  EXPECT_EQ(line.mGreen, 0);
  EXPECT_EQ(line.mBlue, 0);
  EXPECT_EQ(line.GetCenterTextString("/cHELLO/nREST", 3), "HELLO");
  EXPECT_EQ(line.GetCenterTextString("/cEND", 3), "END");
  EXPECT_EQ(line.GetCenterTextString("AB", 9), "");
}

TEST_F(LineTest, UnclosedColourTagEndsTheLayoutSafely) {
  auto line = CreditsLikeLine();
  Draw(*line, "AB/rgb(1,2");
  EXPECT_EQ(line->Count(), 2);
  Draw(*line, "AB/rgb(1,2");  // scrolls; does not lay out again
  EXPECT_EQ(line->Count(), 2);
}
