#include "engine/platform.h"

#include "engine/engine_internal.h"
#include "engine/graphics.h"
#include "engine/headless_platform.h"
#include "engine/random.h"

namespace {
std::shared_ptr<Platform>& PlatformSlot() {
  static std::shared_ptr<Platform> platform;
  return platform;
}
}  // namespace

void SetPlatform(std::shared_ptr<Platform> platform) {
  PlatformSlot() = std::move(platform);
}

Platform& GetPlatform() {
  auto& slot = PlatformSlot();
  if (!slot) slot = std::make_shared<HeadlessPlatform>();
  return *slot;
}

void ResetEngine() {
  ResetGraphicsState();
  ResetInputState();
  ResetAudioState();
  SeedRandom(4660);
  SetAppTitle("");
}
