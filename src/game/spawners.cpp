// The spawners of the game round: UFOs at random places above the tank's line.
#include "common/globals.h"
#include "engine/base/base.h"
#include "game/boss1_ufo.h"
#include "game/green_ufo.h"
#include "game/round.h"
#include "game/scout_ufo.h"
#include "sprite/sprite_kind.h"

namespace {
void Place(const std::shared_ptr<IUfoBase>& ufo, bool allowRetreat) {
  if (!allowRetreat) {
    ufo->blnAllowRetreat = false;
    ufo->blnRetreatBack = false;
    ufo->Scale(1.0f);
  }
  gUfoList.AddLast(ufo);
}
}  // namespace

int SpawnScoutUfos(int count, bool allowRetreat) {
  for (int i = 1; i <= count; ++i) {
    const int x = RandomInt(0, gScreenWidth);
    const int y = RandomInt(0, gScreenHeight - 175);
    const int wait = RandomInt(1000, 8000);
    Place(TScoutUfo::Create(x, y, kKindScoutUfo, gUfoList.Count(), wait), allowRetreat);
  }
  return 0;
}

int SpawnGreenUfos(int count, bool allowRetreat) {
  for (int i = 1; i <= count; ++i) {
    const int x = RandomInt(0, gScreenWidth);
    const int y = RandomInt(0, gScreenHeight - 175);
    const int wait = RandomInt(10000, 64000);
    Place(TGreenUfo::Create(x, y, kKindGreenUfo, gUfoList.Count(), wait), allowRetreat);
  }
  return 0;
}

int SpawnBoss1Ufos(int count, bool allowRetreat) {
  for (int i = 1; i <= count; ++i) {
    const int x = RandomInt(0, gScreenWidth);
    const int y = RandomInt(0, gScreenHeight - 175);
    Place(TBoss1Ufo::Create(x, y, kKindBoss1Ufo, gUfoList.Count()), allowRetreat);
  }
  return 0;
}
