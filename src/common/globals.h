#pragma once
// The program-wide state: screen constants, screen flow, the loaded assets, the menu widgets, the tile
// sets, the object lists and the game's random generator. Everything lives for the whole process.
#include <memory>

#include "engine/audio/audio.h"
#include "engine/base/base.h"
#include "engine/media/media.h"

class TButton;
class TLine;
class TText;
class TVOTileset;
class TPlayer;
class TTutorial;
class TRandomNumber;
class IUfoBase;
class IWeaponBase;
class IParticleBase;

inline constexpr int gScreenWidth = 800;
inline constexpr int gScreenHeight = 600;
inline constexpr int gScreenDepth = 16;

extern int gWindowMode;
extern bool gRunning;
extern int gScreenCenterX;
extern int gScreenCenterY;
extern int gGameState;
extern int gGameInProgress;
extern int64_t gClosingStartTime;
extern int gLevel;
extern std::shared_ptr<TText> gLevelNumberText;
extern std::shared_ptr<TTutorial> gTutorial;
extern std::shared_ptr<TPlayer> gPlayer;

// Images.
extern ImageRef gLogoImage;
extern ImageRef gMouseImage;
extern ImageRef gFontImage;
extern ImageRef gTitleImage;
extern ImageRef gMenuButtonImage;
extern ImageRef gMenuButtonHoverImage;

// Sounds and the two music channels.
extern ChannelRef gMenuMusicChannel;
extern ChannelRef gGameMusicChannel;
extern SoundRef gMouseOverSound;
extern SoundRef gMouseClickSound;
extern SoundRef gTankMissileSound;
extern SoundRef gUfoFireballSound;
extern SoundRef gUfoAttackSound;
extern SoundRef gUfoRetreatSound;
extern SoundRef gExplodeSound;
extern SoundRef gMenuMusic;
extern SoundRef gGameMusic;

// Menu widgets, credits and the level label.
extern int gMenuButtonX;
extern int gMenuButtonY;
extern std::shared_ptr<TButton> gCreditsButton;
extern std::shared_ptr<TButton> gResumeButton;
extern std::shared_ptr<TButton> gTutorialButton;
extern std::shared_ptr<TButton> gOptionsButton;
extern std::shared_ptr<TButton> gNewGameButton;
extern std::shared_ptr<TButton> gQuitButton;
extern std::shared_ptr<TLine> gCreditsLine;
extern std::shared_ptr<TText> gLevelLabel;

// Tile sets, one per sprite kind.
extern std::shared_ptr<TVOTileset> gGreenTankTiles;
extern std::shared_ptr<TVOTileset> gHoverTankTiles;
extern std::shared_ptr<TVOTileset> gGreenUfoTiles;
extern std::shared_ptr<TVOTileset> gScoutUfoTiles;
extern std::shared_ptr<TVOTileset> gBoss1UfoTiles;
extern std::shared_ptr<TVOTileset> gTankFireballTiles;
extern std::shared_ptr<TVOTileset> gTankMissileTiles;
extern std::shared_ptr<TVOTileset> gUfoFireballTiles;
extern std::shared_ptr<TVOTileset> gSmoke1Tiles;
extern std::shared_ptr<TVOTileset> gSmoke2Tiles;
extern std::shared_ptr<TVOTileset> gSmoke3Tiles;
extern std::shared_ptr<TVOTileset> gExplosion1Tiles;
extern std::shared_ptr<TVOTileset> gExplosion2Tiles;
extern std::shared_ptr<TVOTileset> gExplosion3Tiles;

// The live game objects.
extern TList<IUfoBase> gUfoList;
extern TList<IWeaponBase> gUfoWeaponList;
extern TList<IWeaponBase> gTankWeaponList;
extern TList<IParticleBase> gParticleList;

// The game's own random generator, seeded from the clock at start-up.
extern std::shared_ptr<TRandomNumber> gRandomNumber;
