// One frame of play at levels 10, 50 and 200 (20, 100 and 400 scouts with their bombs, smoke and
// explosions in flight): the update and collision passes alone, and the whole frame with drawing.
#include <benchmark/benchmark.h>

#include "common/delta.h"
#include "common/globals.h"
#include "common/random_number.h"
#include "common/register_assets.h"
#include "engine/engine.h"
#include "engine/platform/headless/headless_platform.h"
#include "game/player.h"
#include "game/regions.h"
#include "game/round.h"
#include "game/tile_sets.h"
#include "game/ufo_base.h"
#include "sprite/tileset.h"

namespace {

std::shared_ptr<HeadlessPlatform> gBenchPlatform;

// A game at the given level after eight seconds of play: the scouts have come forward and fire, the
// tank drives and fires. No scout can be shot down, so the level holds.
void StartWorld(int level) {
  gBenchPlatform = UseHeadlessPlatform();
  OpenGraphics(800, 600);
  static bool loaded = [] {
    RegisterAssets();
    CreateTileSets();
    return true;
  }();
  (void)loaded;
  gRandomNumber = TRandomNumber::Create(12345);
  SeedRandom(4660);
  TDelta::Reset();
  TDelta::StartAt(ClockMillis());
  gPlayer = TPlayer::Create(400, 500, 100);
  gPlayer->blnEnableFire = true;
  gGameInProgress = 1;
  gLevel = level - 1;
  gUfoList.Clear();
  gBenchPlatform->PressKey(kKeySpace);
  gBenchPlatform->PressKey(kKeyRight);
  for (int frame = 0; frame < 480; ++frame) {
    gBenchPlatform->AdvanceMillis(17);
    TDelta::Update();
    PlayGame();
    if (frame == 0) gUfoList.ForEach([](const auto& u) { u->life = 1e9f; });
    if (frame % 120 == 0) {
      gBenchPlatform->ReleaseKey(frame % 240 == 0 ? kKeyRight : kKeyLeft);
      gBenchPlatform->PressKey(frame % 240 == 0 ? kKeyLeft : kKeyRight);
    }
    Flip(0);
  }
}

void UpdateAndCollide() {
  UpdateWorld(gPlayer);
}

void DrawAll() {
  DrawWorld(gPlayer);
  Flip(0);
}

void BM_GameUpdateAndCollisions(benchmark::State& state) {
  StartWorld(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    gBenchPlatform->AdvanceMillis(17);
    TDelta::Update();
    UpdateAndCollide();
    state.PauseTiming();
    DrawAll();  // keeps smoke and bursts coming, as in play
    state.ResumeTiming();
  }
  state.counters["ufos"] = gUfoList.Count();
  state.counters["bombs"] = gUfoWeaponList.Count();
  state.counters["particles"] = gParticleList.Count();
}
BENCHMARK(BM_GameUpdateAndCollisions)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);

void BM_GameWholeFrame(benchmark::State& state) {
  StartWorld(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    gBenchPlatform->AdvanceMillis(17);
    TDelta::Update();
    PlayGame();
    Flip(0);
  }
  state.counters["ufos"] = gUfoList.Count();
}
BENCHMARK(BM_GameWholeFrame)->Arg(10)->Arg(50)->Arg(200)->Unit(benchmark::kMicrosecond);

}  // namespace
