#include "app/startup.h"

#include <thread>

#include "app/menu.h"
#include "common/globals.h"
#include "common/random_number.h"
#include "common/register_assets.h"
#include "engine/audio/audio.h"
#include "engine/media/media.h"
#include "engine/platform/platform.h"
#include "engine/render/render.h"
#include "game/regions.h"
#include "game/tile_sets.h"
#include "sprite/tileset.h"
#include "ui/button.h"
#include "ui/line.h"
#include "ui/text.h"

namespace {

ImageRef Image(const char* name) {
  return LoadImage(std::string("incbin::../Images/") + name, -1);
}
SoundRef Sound(const char* name) {
  return LoadSound(std::string("incbin::../Sounds/") + name, 0);
}
// The two music tracks would take a while to decode and 20 MB to hold: they are decoded as they play.
SoundRef Music(const char* name) {
  return LoadSoundStreamed(std::string("incbin::../Sounds/") + name, kSoundLoop);
}

}  // namespace

void LoadImages() {
  gLogoImage = Image("lanternworks.png");
  CentreHandle(gLogoImage);
  gMouseImage = Image("mouse.png");
  gFontImage = LoadStripImage("incbin::../Images/font.png", 32, 32, 0, 90, -1);
  gTitleImage = Image("title3.png");
  gMenuButtonImage = Image("menubutton.png");
  gMenuButtonHoverImage = Image("menubuttonhover.png");
}

void LoadSounds() {
  gMenuMusicChannel = AllocChannel();
  gGameMusicChannel = AllocChannel();

  gMouseOverSound = Sound("mouseover.wav");
  gMouseClickSound = Sound("mouseclick.wav");
  gTankMissileSound = Sound("tankmissile.wav");
  gUfoFireballSound = Sound("ufofireball.wav");
  gUfoAttackSound = Sound("ufoattack.wav");
  gUfoRetreatSound = Sound("uforetreat.wav");
  gExplodeSound = Sound("explode.wav");
  gMenuMusic = Music("menuambient.ogg");
  gGameMusic = Music("8_Bit_Battle_Metal.ogg");
}

void LoadImagesAndSounds() {
  LoadImages();
  LoadSounds();
}

void CreateMenuButtons() {
  const int width = gMenuButtonImage ? gMenuButtonImage->width : 0;
  const int height = gMenuButtonImage ? gMenuButtonImage->height : 0;
  gMenuButtonX = (gScreenWidth - width) / 2;
  gMenuButtonY = gScreenHeight - 365;
  auto make = [&](const char* text, int y) {
    return TButton::CreateButton(gMenuButtonX, y, text, 1.0, 24.0, 32.0, width);
  };
  // CREDITS and RESUME share the top slot; only the top slot has a gap below it.
  gCreditsButton = make("CREDITS", gMenuButtonY);
  gResumeButton = make("RESUME", gMenuButtonY);
  gTutorialButton = make("TUTORIAL", gMenuButtonY + height + 3);
  gOptionsButton = make("OPTIONS", gMenuButtonY + 2 * height + 3);
  gNewGameButton = make("NEW GAME", gMenuButtonY + 3 * height + 3);
  gQuitButton = make("QUIT", gMenuButtonY + 4 * height + 3);
  ResetMenuFocus();
}

void CreateCreditsLine() {
  auto line = std::make_shared<TLine>();
  line->x = 10;
  line->y = 560;
  line->xmin = -10;
  line->xmax = 790;
  line->ymin = 30;
  line->ymax = 560;
  line->yspeed = -0.5;
  line->charheight = 32;
  line->charwidth = 24;
  line->loopwait = 0;
  line->Loop = 1;
  line->style = 0;
  line->fadespeed = 0.005f;
  line->scalespeed = 0.001f;
  line->startscale = 0.5f;
  line->endscale = 0.75f;
  gCreditsLine = line;
}

void CreateLevelLabel() {
  gLevelLabel = TText::CreateText(10, 10, "Level: ", 1.0, 24.0, 32.0, 32, 0);
}

void CreateObjectLists() {
  gUfoList.Clear();
  gUfoWeaponList.Clear();
  gTankWeaponList.Clear();
  gParticleList.Clear();
  ClearRegions();
}

void CreateRandomNumber() {
  gRandomNumber = TRandomNumber::Create(static_cast<double>(ClockMillis()));
}

namespace {
std::thread& Loader() {
  static std::thread loader;
  return loader;
}
}  // namespace

void BeginStartup() {
  RegisterAssets();
  // The audio output opens here, on the thread that runs the window system.
  LoadSounds();
  CreateRandomNumber();
  SetAppTitle(kAppTitle);
  // Nothing the chooser shows comes from these, and nothing else touches them until FinishStartup.
  Loader() = std::thread([] {
    LoadImages();
    CreateMenuButtons();
    CreateCreditsLine();
    CreateLevelLabel();
    CreateTileSets();
    CreateObjectLists();
  });
}

void FinishStartup() {
  if (Loader().joinable()) Loader().join();
}

void RunStartup() {
  BeginStartup();
  FinishStartup();
}
