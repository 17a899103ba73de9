#include "game/boss1_ufo.h"

#include "engine/clock.h"
#include "engine/random.h"
#include "sprite/sprite_kind.h"

std::shared_ptr<TBoss1Ufo> TBoss1Ufo::Create(int x, int y, int imageIndex, int index) {
  auto ufo = std::make_shared<TBoss1Ufo>();
  ufo->Setup(x, y, kKindBoss1Ufo, imageIndex, index, 10, 1);
  ufo->directioninterval = 1500;
  ufo->InitialRetreatRate = 16000;
  ufo->AttackRetreatRate = 6000;
  ufo->RetreatInterval = 5000;
  ufo->smokestart = ufo->life / 3;
  ufo->smoketype = kKindSmoke3;
  ufo->weapondelay = static_cast<double>(ClockMillis()) + RandomDouble(1000, 3000);
  ufo->weapondelayinterval = 1000;
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
