// Real game controllers, without hardware: SDL's own virtual joysticks, announced as game
// controllers, go through SDL's event queue, its mapping and our translation into pad input.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "app/startup.h"
#include "common/actions.h"
#include "common/delta.h"
#include "common/globals.h"
#include "common/register_assets.h"
#include "engine/platform/input.h"
#include "game/player.h"
#include "game/tile_sets.h"
#include "game/tutorial.h"
#include "game/ufo_base.h"
#include "real/gl_fixture.h"
#include "ui/text.h"

namespace {

int g_rumbles = 0;
int SDLCALL CountRumble(void* /*userdata*/, Uint16 low, Uint16 high) {
  if (low > 0 && high > 0) ++g_rumbles;
  return 0;
}

class PadSdl : public GlWindowTest {
 protected:
  void SetUp() override {
    // Xvfb without a window manager may never give our window the focus; SDL would then drop pad
    // input as meant for another program.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    GlWindowTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(Open());
    g_rumbles = 0;
  }

  // Plugs in a virtual pad with every standard button and axis; returns its device index.
  int Attach(const char* name) {
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.name = name;
    desc.Rumble = CountRumble;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(index, 0) << SDL_GetError();
    return index;
  }

  // Saves the last read back buffer as a binary PPM for people to look at.
  void Save(const std::string& name) const {
    const std::string dir = std::string(VX_BINARY_DIR) + "/artifacts";
    std::FILE* f = std::fopen((dir + "/" + name).c_str(), "wb");
    if (!f) return;
    std::fprintf(f, "P6\n%d %d\n255\n", width_, height_);
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x)
        std::fwrite(pixels_.data() + (static_cast<size_t>(y) * width_ + x) * 4, 1, 3, f);
    }
    std::fclose(f);
  }

  // Lit pixels in the first 18 columns of a 43-letter tutorial line at y 100; a 39-letter one starts
  // 24 pixels further right and leaves them dark.
  int LitAtStartOfLongLine() const {
    int lit = 0;
    for (int y = 100; y < 124; ++y)
      for (int x = 142; x < 160; ++x) lit += Lit(x, y);
    return lit;
  }

  // Polls until the condition holds (SDL needs a few event pumps to announce and update a pad).
  static bool Eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 200; ++i) {
      PollInput();
      if (condition()) return true;
      SDL_Delay(5);
    }
    return false;
  }
};

TEST_F(PadSdl, VirtualPadsPlugInPlayAndUnplugThroughSdlsControllerEvents) {
  const int first_index = Attach("VEXTORON test pad one");
  ASSERT_TRUE(Eventually([] { return PadCount() == 1; })) << "no controller-added event";
  SDL_Joystick* first = SDL_JoystickOpen(first_index);
  ASSERT_NE(first, nullptr);
  // Triggers rest at the bottom of their range.
  SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
  SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);

  SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_A, 1);
  ASSERT_TRUE(Eventually([] { return PadDown(kPadA) == 1; }));
  EXPECT_EQ(ActionDown(kActionFire), 1);
  EXPECT_TRUE(LastInputFromPad());
  SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_A, 0);
  ASSERT_TRUE(Eventually([] { return PadDown(kPadA) == 0; }));
  EXPECT_EQ(PadPresses(kPadA), 1);

  SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1);
  EXPECT_TRUE(Eventually([] { return ActionDown(kActionLeft) == 1; }));
  SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0);
  SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_LEFTX, 30000);
  EXPECT_TRUE(Eventually([] { return ActionDown(kActionRight) == 1 && ActionDown(kActionLeft) == 0; }));
  SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  EXPECT_TRUE(Eventually([] { return ActionDown(kActionFaster) == 1; }));
  SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_START, 1);
  EXPECT_TRUE(Eventually([] { return PadDown(kPadStart) == 1; }));
  EXPECT_EQ(ActionPresses(kActionBack), 1);

  RumblePads(0.6f, 100);
  EXPECT_TRUE(Eventually([] { return g_rumbles > 0; })) << "the rumble did not reach the pad";

  // A second pad plays too; unplugging the first lets go of everything it held.
  const int second_index = Attach("VEXTORON test pad two");
  ASSERT_TRUE(Eventually([] { return PadCount() == 2; }));
  SDL_Joystick* second = SDL_JoystickOpen(second_index);
  ASSERT_NE(second, nullptr);
  SDL_JoystickSetVirtualAxis(second, SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
  SDL_JoystickSetVirtualAxis(second, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
  SDL_JoystickClose(first);
  ASSERT_EQ(SDL_JoystickDetachVirtual(first_index), 0);
  ASSERT_TRUE(Eventually([] { return PadCount() == 1; }));
  EXPECT_EQ(PadDown(kPadStart), 0);
  EXPECT_EQ(ActionDown(kActionRight), 0);
  SDL_JoystickSetVirtualButton(second, SDL_CONTROLLER_BUTTON_B, 1);
  EXPECT_TRUE(Eventually([] { return PadDown(kPadB) == 1; }));
  SDL_JoystickClose(second);
}

TEST_F(PadSdl, TheTutorialNamesThePadsControlsOnceARealPadIsUsed) {
  static const bool loaded = [] {
    RegisterAssets();
    LoadImagesAndSounds();
    CreateTileSets();
    CreateRandomNumber();
    return true;
  }();
  (void)loaded;
  gScreenCenterX = gScreenWidth / 2;
  gScreenCenterY = gScreenHeight / 2;
  gPlayer = TPlayer::Create(gScreenCenterX, gScreenHeight - 100, 100);
  TDelta::Start();
  TDelta::Update();
  auto tutorial = std::make_shared<TTutorial>();
  auto frame = [&] {
    Cls();
    tutorial->Draw(gFontImage);
    EXPECT_TRUE(Read());
    Flip(0);
  };
  frame();
  EXPECT_GT(LitAtStartOfLongLine(), 20) << "keyboard line: \"" << tutorial->objRule->text << "\"";
  Save("tutorial-key-prompts.ppm");

  const int index = Attach("VEXTORON test pad");
  ASSERT_TRUE(Eventually([] { return PadCount() == 1; }));
  SDL_Joystick* pad = SDL_JoystickOpen(index);
  ASSERT_NE(pad, nullptr);
  SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_X, 1);
  ASSERT_TRUE(Eventually([] { return LastInputFromPad(); }));
  frame();
  EXPECT_EQ(tutorial->objRule->text, "Use the d-pad or the left stick to move");
  EXPECT_EQ(LitAtStartOfLongLine(), 0);
  Save("tutorial-pad-prompts.ppm");
  SDL_JoystickClose(pad);
  gPlayer.reset();
  tutorial.reset();
  gUfoList.Clear();
}

}  // namespace
