#include "app/startup.h"

#include <gtest/gtest.h>

#include "common/globals.h"
#include "engine/render/graphics.h"
#include "shell_fixture.h"
#include "sprite/tileset.h"

using StartupTest = ShellTest;

TEST_F(StartupTest, EveryImageAndSoundIsLoadedBeforeAnyWindow) {
  for (const ImageRef& image :
       {gLogoImage, gMouseImage, gFontImage, gTitleImage, gMenuButtonImage, gMenuButtonHoverImage}) {
    EXPECT_NE(image, nullptr);
  }
  for (const SoundRef& sound : {gMouseOverSound, gMouseClickSound, gTankMissileSound, gUfoFireballSound,
                                gUfoAttackSound, gUfoRetreatSound, gExplodeSound, gMenuMusic, gGameMusic}) {
    EXPECT_NE(sound, nullptr);
  }
  EXPECT_TRUE(gMenuMusic->Loops());
  EXPECT_TRUE(gGameMusic->Loops());
  EXPECT_FALSE(gMouseClickSound->Loops());
  EXPECT_EQ(gFontImage->FrameCount(), 90);
  EXPECT_EQ(gFontImage->width, 32);
  EXPECT_FLOAT_EQ(gLogoImage->handle_x, gLogoImage->width * 0.5f);
  EXPECT_NE(gScoutUfoTiles, nullptr);
  EXPECT_NE(gExplosion3Tiles, nullptr);
  EXPECT_NE(gRandomNumber, nullptr);
  EXPECT_EQ(AppTitle(), "VEXTORON");
}
