#include "game/tutorial.h"

#include <utility>

#include "common/actions.h"
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
  if (blnReadyForNextLesson && ActionPresses(kActionContinue) == 1) {
    blnReadyForNextLesson = false;
    NextRule();
  }
  if (intCurrentRule == kFinishedPage && ActionPresses(kActionContinue) == 1) blnPlayTutorial = false;
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
  for (int action : {kActionLeft, kActionRight, kActionFire, kActionContinue}) ActionPresses(action);
}

void TTutorial::GoalMet() {
  if (!blnReadyForNextLesson) ActionPresses(kActionContinue);
  blnReadyForNextLesson = true;
}

std::string TTutorial::ForDevice(const std::string& text) const {
  const std::pair<const std::string*, const std::string*> wordings[] = {
      {&strRule1, &strPadRule1},       {&strRule2, &strPadRule2},         {&strRule3, &strPadRule3},
      {&strComplete, &strPadComplete}, {&strFinished3, &strPadFinished3},
  };
  const bool pad = LastInputFromPad();
  for (const auto& [keys, buttons] : wordings) {
    if (text == *keys || text == *buttons) return pad ? *buttons : *keys;
  }
  return text;
}

std::shared_ptr<TText> TTutorial::DeviceLine(const std::string& text, int y) const {
  return TutorialLine(ForDevice(text), y);
}

void TTutorial::DrawLines() {
  // The wording follows the device as soon as the player switches.
  for (std::shared_ptr<TText>* line : {&objRule, &objRule2, &objRule3}) {
    if (!*line) continue;
    const std::string wanted = ForDevice((*line)->text);
    if (wanted != (*line)->text) *line = DeviceLine(wanted, (*line)->posy);
  }
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
      objRule = DeviceLine(strRule3, kFirstLineY);
    } else {
      objRule = DeviceLine(strRule1, kFirstLineY);
      objRule2 = DeviceLine(strRule2, kSecondLineY);
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

  // Once met, the goal is not read again: on a pad the A that fires is also the A that continues.
  bool goal = false;
  if (!blnReadyForNextLesson) {
    // Right is read only when Left had no press.
    goal = canFire ? ActionPresses(kActionFire) != 0
                   : ActionPresses(kActionLeft) != 0 || ActionPresses(kActionRight) != 0;
  }
  if (goal) {
    GoalMet();
    objRule2 = nullptr;
    objRule = DeviceLine(strComplete, kFirstLineY);
  }
  return 0;
}

int TTutorial::TeachShootingUFO() {
  objTank->blnEnableFire = true;
  if (!objRule) {
    ForgetEarlierPresses();
    objRule = DeviceLine(strRule4, kFirstLineY);
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
    objRule = DeviceLine(strComplete, kFirstLineY);
  }
  return 0;
}

int TTutorial::TeachShootingUFOBombs(bool canRetreat) {
  objTank->blnEnableFire = true;
  if (!objRule) {
    ForgetEarlierPresses();
    if (canRetreat) {
      objRule = DeviceLine(strRule6, kFirstLineY);
      objRule2 = DeviceLine(strRule7, kSecondLineY);
      objRule3 = DeviceLine(strRule8, kThirdLineY);
    } else {
      objRule = DeviceLine(strRule5, kFirstLineY);
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
    objRule = DeviceLine(strComplete, kFirstLineY);
  }
  return 0;
}

int TTutorial::ShowFinishedTutorial() {
  if (!objRule) {
    ForgetEarlierPresses();
    objRule = DeviceLine(strFinished, kFirstLineY);
    objRule2 = DeviceLine(strFinished2, kSecondLineY);
    objRule3 = DeviceLine(strFinished3, kThirdLineY);
  }
  DrawLines();
  return 0;
}
