#include "game/tutorial.h"

#include "common/globals.h"
#include "engine/platform/platform.h"
#include "game/player.h"
#include "game/regions.h"
#include "game/round.h"
#include "game/tile_lookup.h"
#include "sprite/sprite_kind.h"
#include "ui/text.h"

namespace {
constexpr int kFirstLineY = 100;
constexpr int kSecondLineY = 140;
constexpr int kThirdLineY = 180;
}  // namespace

std::shared_ptr<TText> TutorialLine(const std::string& text, int y) {
  return TText::CreateText(0, y, text, 0.5, 24.0, 32.0, gScreenWidth, 1);
}

int TTutorial::Draw(const ImageRef& /*font*/) {
  // Every page starts from an empty grid, as a frame of play does: shots entered in earlier frames
  // would pile up and be kept alive by it.
  ClearRegions();
  if (!objTank) {
    objTank = TPlayer::Create(gScreenCenterX, gScreenHeight - 100, kKindTank);
    Reset();
  }
  switch (intCurrentRule) {
    case 1:
      TeachTankMovement(false);
      break;
    case 2:
      TeachTankMovement(true);
      break;
    case 3:
      TeachShootingUFO();
      break;
    case 4:
      TeachShootingUFOBombs(false);
      break;
    case 5:
      TeachShootingUFOBombs(true);
      break;
    case kFinishedPage:
      ShowFinishedTutorial();
      break;
    default:
      break;
  }
  if (blnReadyForNextLesson && KeyPresses(kKeyEnter) == 1) {
    blnReadyForNextLesson = false;
    NextRule();
  }
  if (intCurrentRule == kFinishedPage && KeyPresses(kKeyEnter) == 1) blnPlayTutorial = false;
  return 0;
}

int TTutorial::NextRule() {
  intCurrentRule += 1;
  if (intCurrentRule > intMaxRule) intCurrentRule = kFinishedPage;
  objRule = nullptr;
  objRule2 = nullptr;
  objRule3 = nullptr;
  objTank = nullptr;
  Reset();
  return 0;
}

int TTutorial::Reset() {
  gUfoList.Clear();
  gUfoWeaponList.Clear();
  gTankWeaponList.Clear();
  gParticleList.Clear();
  return 0;
}

void TTutorial::ForgetEarlierPresses() {
  for (int key : {kKeyLeft, kKeyRight, kKeySpace, kKeyEnter}) KeyPresses(key);
}

void TTutorial::GoalMet() {
  if (!blnReadyForNextLesson) KeyPresses(kKeyEnter);
  blnReadyForNextLesson = true;
}

void TTutorial::DrawLines() {
  if (objRule) objRule->Draw(gFontImage);
  if (objRule2) objRule2->Draw(gFontImage);
  if (objRule3) objRule3->Draw(gFontImage);
}

int TTutorial::TeachTankMovement(bool canFire) {
  objTank->blnEnableFire = canFire;
  objTank->Move(gScreenWidth);
  if (!objRule) {
    ForgetEarlierPresses();
    if (canFire) {
      objRule = TutorialLine(strRule3, kFirstLineY);
    } else {
      objRule = TutorialLine(strRule1, kFirstLineY);
      objRule2 = TutorialLine(strRule2, kSecondLineY);
    }
  }
  if (canFire) {
    UpdateTankWeapons();
    UpdateParticles();
    DrawNearParticles();
    DrawTankWeapons();
  }
  objTank->Draw(GetTankTiles(objTank->intImageIndex));
  DrawLines();

  bool goal;
  if (canFire) {
    goal = KeyPresses(kKeySpace) != 0;
  } else {
    // Right is read only when Left had no press.
    goal = KeyPresses(kKeyLeft) != 0 || KeyPresses(kKeyRight) != 0;
  }
  if (goal) {
    GoalMet();
    objRule2 = nullptr;
    objRule = TutorialLine(strComplete, kFirstLineY);
  }
  return 0;
}

int TTutorial::TeachShootingUFO() {
  objTank->blnEnableFire = true;
  if (!objRule) {
    ForgetEarlierPresses();
    objRule = TutorialLine(strRule4, kFirstLineY);
    SpawnScoutUfos(1, false);
  }
  ClearRegions();
  objTank->Move(gScreenWidth);
  AddToRegions(objTank);
  UpdateUfos();
  UpdateTankWeapons();
  UpdateParticles();
  CheckCollisions(objTank);
  // This lesson neither moves nor draws UFO shots, so the ones its UFO drops are let go at once instead
  // of piling up unseen for as long as the player waits.
  gUfoWeaponList.Clear();
  DrawNearParticles();
  DrawTankWeapons();
  DrawNearUfos();
  objTank->Draw(GetTankTiles(objTank->intImageIndex));
  DrawLines();

  if (gUfoList.IsEmpty()) {
    GoalMet();
    objRule = TutorialLine(strComplete, kFirstLineY);
  }
  return 0;
}

int TTutorial::TeachShootingUFOBombs(bool canRetreat) {
  objTank->blnEnableFire = true;
  if (!objRule) {
    ForgetEarlierPresses();
    if (canRetreat) {
      objRule = TutorialLine(strRule6, kFirstLineY);
      objRule2 = TutorialLine(strRule7, kSecondLineY);
      objRule3 = TutorialLine(strRule8, kThirdLineY);
    } else {
      objRule = TutorialLine(strRule5, kFirstLineY);
    }
    SpawnScoutUfos(1, canRetreat);
  }
  // The bombs fall on the tank the player sees, the tutorial's own.
  UpdateWorld(objTank);
  DrawWorld(objTank);
  DrawLines();

  if (gUfoList.IsEmpty()) {
    GoalMet();
    objRule2 = nullptr;
    objRule3 = nullptr;
    objRule = TutorialLine(strComplete, kFirstLineY);
  }
  return 0;
}

int TTutorial::ShowFinishedTutorial() {
  if (!objRule) {
    ForgetEarlierPresses();
    objRule = TutorialLine(strFinished, kFirstLineY);
    objRule2 = TutorialLine(strFinished2, kSecondLineY);
    objRule3 = TutorialLine(strFinished3, kThirdLineY);
  }
  DrawLines();
  return 0;
}
