#include "game/green_ufo.h"

#include "engine/base/base.h"
#include "engine/platform/platform.h"
#include "sprite/sprite_kind.h"

std::shared_ptr<TGreenUfo> TGreenUfo::Create(int x, int y, int imageIndex, int index, int retreatInterval) {
  static constexpr TUfoKindTraits kGreen{kKindGreenUfo, 2, 2, 1500, 16000, 3000, 3, kKindSmoke3, 1000};
  auto ufo = std::make_shared<TGreenUfo>();
  ufo->Setup(kGreen, x, y, imageIndex, index, retreatInterval);
  ufo->weapondelay = static_cast<double>(ClockMillis()) + RandomDouble(1000, 3000);
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
