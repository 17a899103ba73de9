#include "shell_fixture.h"

#include "app/main_loop.h"
#include "app/startup.h"
#include "app/window_mode.h"
#include "common/delta.h"
#include "common/globals.h"
#include "engine/audio/audio.h"
#include "engine/audio/mixer.h"
#include "engine/render/graphics.h"
#include "game/regions.h"

void ShellTest::SetUp() {
  static const bool started = [] {
    UseHeadlessPlatform();
    RunStartup();
    return true;
  }();
  (void)started;
  platform = UseHeadlessPlatform();
  SetAppTitle(kAppTitle);
  AudioMixer().StopAll();
  gGameState = 1;
  gGameInProgress = 0;
  gRunning = true;
  gClosingStartTime = 0;
  gLevel = 0;
  gLevelNumberText.reset();
  gTutorial.reset();
  gMenuMusicChannel = AllocChannel();
  gGameMusicChannel = AllocChannel();
  CreateMenuButtons();
  CreateCreditsLine();
  CreateObjectLists();
  TDelta::Reset();
  ASSERT_TRUE(OpenGameWindow(TWindowMode::C_Window));
}

void ShellTest::Frame() {
  RunFrame();
  // The headless display presents at once; the retrace of a 60 Hz display would take this long.
  platform->AdvanceMillis(17);
}

void ShellTest::Frames(int count) {
  for (int i = 0; i < count; ++i) Frame();
}

void ShellTest::ClickAt(int x, int y) {
  platform->Click(1, x, y);
}

std::vector<DrawRecord> ShellTest::DrawsOf(const std::shared_ptr<TImage>& image) const {
  std::vector<DrawRecord> out;
  for (const DrawRecord& r : platform->LastFrame())
    if (r.kind == DrawRecord::kImage && r.image == image.get()) out.push_back(r);
  return out;
}

std::string ShellTest::CaptionAt(int face_y) const {
  std::string caption;
  for (const DrawRecord& r : DrawsOf(gFontImage))
    if (r.y == static_cast<float>(face_y + 16)) caption += static_cast<char>(r.frame + 33);
  return caption;
}

int ShellTest::SoundsStartedBy(int count) {
  const int before = AudioMixer().ActiveVoices();
  Frames(count);
  return AudioMixer().ActiveVoices() - before;
}
