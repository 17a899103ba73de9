#include "game/scout_ufo.h"

#include "common/globals.h"
#include "common/random_number.h"
#include "engine/platform/platform.h"
#include "sprite/sprite_kind.h"

std::shared_ptr<TScoutUfo> TScoutUfo::Create(int x, int y, int imageIndex, int index, int retreatInterval) {
  static constexpr TUfoKindTraits kScout{kKindScoutUfo, 1, 2, 1000, 3000, 3000, 2, kKindSmoke1, 4000};
  auto ufo = std::make_shared<TScoutUfo>();
  ufo->Setup(kScout, x, y, imageIndex, index, retreatInterval);
  const int wait = gRandomNumber ? gRandomNumber->Rnd(4000, 8000) : 4000;
  ufo->weapondelay = static_cast<double>(ClockMillis() + wait);
  return ufo;
}

int TScoutUfo::Move(int w, int h) {
  int r = 0;
  if (SplinePos == 0) {
    r = ChooseHeading();
    SetSplinePoints(static_cast<int>(x), static_cast<int>(y), w, h - 150);
    SplinePos = 1;
  }
  const auto& p = SplineCoords;
  x = static_cast<float>(SplineX(static_cast<int>(p[0]->x), 0, static_cast<int>(p[1]->x), 1,
                                 static_cast<int>(p[2]->x), 2, static_cast<int>(p[3]->x), 3, SplinePos));
  y = static_cast<float>(SplineY(0, static_cast<int>(p[0]->y), 1, static_cast<int>(p[1]->y), 2,
                                 static_cast<int>(p[2]->y), 3, static_cast<int>(p[3]->y), SplinePos));
  SplinePos += SplineInc;
  if (SplinePos >= 3.0f || SplinePos <= 0.2f) SplineInc = -SplineInc;
  AnimationStep(r);
  if (blnAllowRetreat) Retreat();
  Shoot();
  return 0;
}

int TScoutUfo::Shoot() {
  return FireFireball(true);
}

int TScoutUfo::Retreat() {
  const double now = static_cast<double>(ClockMillis());
  if (now > RetreatLife + RetreatInterval) {
    blnRetreatBack = true;
    RetreatSpeed = -RetreatSpeed;
    RetreatLife = now;
  }
  StepRetreatScale(now);
  return 0;
}
