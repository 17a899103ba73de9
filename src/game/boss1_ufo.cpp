#include "game/boss1_ufo.h"

#include "engine/base/base.h"
#include "engine/platform/platform.h"
#include "sprite/sprite_kind.h"

std::shared_ptr<TBoss1Ufo> TBoss1Ufo::Create(int x, int y, int imageIndex, int index) {
  static constexpr TUfoKindTraits kBoss{kKindBoss1Ufo, 10, 1, 1500, 16000, 6000, 3, kKindSmoke3, 1000};
  auto ufo = std::make_shared<TBoss1Ufo>();
  ufo->Setup(kBoss, x, y, imageIndex, index, 5000);
  ufo->weapondelay = static_cast<double>(ClockMillis()) + RandomDouble(1000, 3000);
  return ufo;
}

int TBoss1Ufo::Move(int w, int h) {
  int r = 0;
  if (ClockMillis() > directionlife + directioninterval) {
    r = ChooseHeading();
    directionchanged = true;
    rotationhit = false;
  }
  ChangeXSpeed();
  GetRotationDegree();
  FlyStraight(w, h);
  AnimationStep(r);
  if (blnAllowRetreat) Retreat();
  Shoot();
  return 0;
}

int TBoss1Ufo::Shoot() {
  return FireFireball(false);
}

// The boss's sheet has one sideways row for both sides, so leftwards starts where rightwards does.
int TBoss1Ufo::GetAnimFrame(int heading) {
  return StartHeadingAnimation(heading, 4);
}
