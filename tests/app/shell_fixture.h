#pragma once
// The shell under test: the real start-up (once per test program), a fresh headless platform and an
// open game window for every test, and the program-wide state back at its start values.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/platform/headless/headless_platform.h"

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // One frame of the main loop, and 17 ms of the clock.
  void Frame();
  void Frames(int count);
  // Moves the pointer and clicks the left button once; the click is read by the next frame.
  void ClickAt(int x, int y);

  // Draws of the last finished frame that used the given image.
  std::vector<DrawRecord> DrawsOf(const std::shared_ptr<struct TImage>& image) const;
  // The caption spelled by the font glyphs drawn on a face at the given y in the last frame.
  std::string CaptionAt(int face_y) const;
  // Sounds started (voices added to the mixer) by `count` frames.
  int SoundsStartedBy(int count);

  std::shared_ptr<HeadlessPlatform> platform;
};
