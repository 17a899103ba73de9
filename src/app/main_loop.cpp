#include "app/main_loop.h"

#include <cstdio>

#include "app/credits.h"
#include "app/desktop_keys.h"
#include "app/frame_log.h"
#include "app/music.h"
#include "app/screens.h"
#include "app/startup.h"
#include "app/window_mode.h"
#include "common/delta.h"
#include "common/globals.h"
#include "engine/platform/platform.h"
#include "engine/process/process.h"
#include "engine/render/render.h"
#include "game/player.h"
#include "sprite/sprite_kind.h"

namespace {

// The game window lives for the rest of the run.
GraphicsRef gGameWindow;

// A minimised window shows nothing: the loop naps instead of drawing.
constexpr int kMinimisedNapMillis = 50;

}  // namespace

std::string CreditLine() {
  return "Written by: " + ProgrammerName();
}

void ReportNoWindow() {
  std::fprintf(stderr, "vextoron: cannot open a window with an OpenGL 3.3 context\n");
}

void ReportNoDisplay() {
  std::fprintf(stderr, "vextoron: no display to show a window on\n");
}

bool OpenGameWindow(int windowMode) {
  const int depth = windowMode == TWindowMode::C_FullScreen ? gScreenDepth : 0;
  gGameWindow = OpenGraphics(gScreenWidth, gScreenHeight, depth, 60, kGraphicsResizable);
  if (!gGameWindow) return false;
  gScreenCenterX = gScreenWidth / 2;
  gScreenCenterY = gScreenHeight / 2;
  gClosingStartTime = 0;
  gRunning = true;
  HidePointer();
  TDelta::Start();
  TDelta::Update();
  gPlayer = TPlayer::Create(gScreenCenterX, gScreenHeight - 100, kKindTank);
  return true;
}

void RunFrame() {
  HandleDesktopKeys();
  if (WindowMinimised()) {
    PauseOnFocusLoss();
    UpdateMusic();
    Delay(kMinimisedNapMillis);
    TDelta::Update();
    return;
  }
  UpdateMusic();
  SetBlend(kBlendAlpha);
  const int state_before = gGameState;
  RunScreen();
  if (gGameState != state_before) FlushPresses();
  Flip(1);
  TDelta::Update();
  Cls();
  FrameLogFrame(gGameState);
}

int RunFrames() {
  bool first = true;
  // A stop signal ends the game after the frame it arrived in, on any screen.
  while (gRunning && !StopRequested()) {
    RunFrame();
    if (first) FrameLogMark("game_first_frame");
    first = false;
  }
  ShowPointer();
  return 0;
}

int MainLoop() {
  gWindowMode = TWindowMode::GetMode(AppTitle(), CreditLine());
  FinishStartup();
  if (gWindowMode == TWindowMode::C_NoWindow) {
    ReportNoWindow();
    return 1;
  }
  if (gWindowMode == TWindowMode::C_Cancelled) EndProcess(0);
  if (!OpenGameWindow(gWindowMode)) {
    ReportNoWindow();
    return 1;
  }
  return RunFrames();
}
