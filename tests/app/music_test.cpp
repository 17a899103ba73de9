#include <gtest/gtest.h>

#include "app/music.h"
#include "app/screens.h"
#include "common/globals.h"
#include "engine/audio/audio.h"
#include "engine/audio/mixer.h"
#include "engine/platform/input.h"
#include "shell_fixture.h"

namespace {

using MusicTest = ShellTest;

Voice::State StateOf(const ChannelRef& channel) {
  return AudioMixer().StateOf(*channel->voice());
}
int64_t PositionOf(const ChannelRef& channel) {
  return AudioMixer().PositionOf(*channel->voice());
}

}  // namespace

TEST_F(MusicTest, SwitchingGroupsPausesOneAndRestartsTheOtherFromItsBeginning) {
  Frame();
  EXPECT_EQ(gMenuMusicChannel->Playing(), 1);
  EXPECT_EQ(StateOf(gGameMusicChannel), Voice::State::kIdle);
  platform->Mix(4410);
  EXPECT_GT(PositionOf(gMenuMusicChannel), 0);

  gGameState = kStatePlay;
  Frame();
  EXPECT_EQ(StateOf(gMenuMusicChannel), Voice::State::kPaused);
  EXPECT_EQ(gGameMusicChannel->Playing(), 1);
  platform->Mix(4410);
  EXPECT_GT(PositionOf(gGameMusicChannel), 0);

  platform->TapKey(kKeyEscape);
  Frame();  // play notices Escape
  Frame();  // the menu's first frame
  EXPECT_EQ(StateOf(gGameMusicChannel), Voice::State::kPaused);
  EXPECT_EQ(gMenuMusicChannel->Playing(), 1);
  EXPECT_EQ(PositionOf(gMenuMusicChannel), 0);

  gGameState = kStateTutorial;  // the tutorial belongs to the play group
  UpdateMusic();
  EXPECT_EQ(gGameMusicChannel->Playing(), 1);
  EXPECT_EQ(PositionOf(gGameMusicChannel), 0);
}

TEST_F(MusicTest, OptionsAndClosingLeaveTheMusicAlone) {
  Frame();
  platform->Mix(1000);
  for (int state : {kStateOptions, kStateClosing}) {
    gGameState = state;
    UpdateMusic();
    EXPECT_EQ(gMenuMusicChannel->Playing(), 1);
    EXPECT_EQ(PositionOf(gMenuMusicChannel), 1000);
  }
  StopMusic();
  EXPECT_EQ(StateOf(gMenuMusicChannel), Voice::State::kIdle);
  EXPECT_EQ(StateOf(gGameMusicChannel), Voice::State::kIdle);
}
