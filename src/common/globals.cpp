#include "common/globals.h"

int gWindowMode = 0;
bool gRunning = true;
int gScreenCenterX = 0;
int gScreenCenterY = 0;
int gGameState = 1;
int gGameInProgress = 0;
int64_t gClosingStartTime = 0;
int gLevel = 0;
std::shared_ptr<TText> gLevelNumberText;
std::shared_ptr<TTutorial> gTutorial;
std::shared_ptr<TPlayer> gPlayer;

ImageRef gLogoImage;
ImageRef gMouseImage;
ImageRef gFontImage;
ImageRef gTitleImage;
ImageRef gMenuButtonImage;
ImageRef gMenuButtonHoverImage;

ChannelRef gMenuMusicChannel;
ChannelRef gGameMusicChannel;
SoundRef gMouseOverSound;
SoundRef gMouseClickSound;
SoundRef gTankMissileSound;
SoundRef gUfoFireballSound;
SoundRef gUfoAttackSound;
SoundRef gUfoRetreatSound;
SoundRef gExplodeSound;
SoundRef gMenuMusic;
SoundRef gGameMusic;

int gMenuButtonX = 0;
int gMenuButtonY = 0;
std::shared_ptr<TButton> gCreditsButton;
std::shared_ptr<TButton> gResumeButton;
std::shared_ptr<TButton> gTutorialButton;
std::shared_ptr<TButton> gOptionsButton;
std::shared_ptr<TButton> gNewGameButton;
std::shared_ptr<TButton> gQuitButton;
std::shared_ptr<TLine> gCreditsLine;
std::shared_ptr<TText> gLevelLabel;

std::shared_ptr<TVOTileset> gGreenTankTiles;
std::shared_ptr<TVOTileset> gHoverTankTiles;
std::shared_ptr<TVOTileset> gGreenUfoTiles;
std::shared_ptr<TVOTileset> gScoutUfoTiles;
std::shared_ptr<TVOTileset> gBoss1UfoTiles;
std::shared_ptr<TVOTileset> gTankFireballTiles;
std::shared_ptr<TVOTileset> gTankMissileTiles;
std::shared_ptr<TVOTileset> gUfoFireballTiles;
std::shared_ptr<TVOTileset> gSmoke1Tiles;
std::shared_ptr<TVOTileset> gSmoke2Tiles;
std::shared_ptr<TVOTileset> gSmoke3Tiles;
std::shared_ptr<TVOTileset> gExplosion1Tiles;
std::shared_ptr<TVOTileset> gExplosion2Tiles;
std::shared_ptr<TVOTileset> gExplosion3Tiles;

TList<IUfoBase> gUfoList;
TList<IWeaponBase> gUfoWeaponList;
TList<IWeaponBase> gTankWeaponList;
TList<IParticleBase> gParticleList;

std::shared_ptr<TRandomNumber> gRandomNumber;
