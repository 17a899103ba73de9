#include "game/green_ufo.h"

#include "engine/clock.h"
#include "engine/random.h"
#include "sprite/sprite_kind.h"

std::shared_ptr<TGreenUfo> TGreenUfo::Create(int x, int y, int imageIndex, int index, int retreatInterval) {
  auto ufo = std::make_shared<TGreenUfo>();
  ufo->Setup(x, y, kKindGreenUfo, imageIndex, index, 2, 2);
  ufo->directioninterval = 1500;
  ufo->InitialRetreatRate = 16000;
  ufo->AttackRetreatRate = 3000;
  ufo->RetreatInterval = retreatInterval;
  ufo->smokestart = ufo->life / 3;
  ufo->smoketype = kKindSmoke3;
  ufo->weapondelay = static_cast<double>(ClockMillis()) + RandomDouble(1000, 3000);
  ufo->weapondelayinterval = 1000;
  return ufo;
}

int TGreenUfo::Move(int w, int h) {
  int r = 0;
  if (ClockMillis() > directionlife + directioninterval) r = ChooseHeading();
  FlyStraight(w, h);
  AnimationStep(r);
  if (blnAllowRetreat) Retreat();
  Shoot();
  return 0;
}

int TGreenUfo::Shoot() {
  return FireFireball(false);
}
