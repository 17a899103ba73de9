#include "engine/platform/seam.h"

#include <cstdio>
#include <cstdlib>

namespace {
// Never destroyed: the platform must not be torn down by an exit handler (a fatal exit may run them
// while the window system is gone). The program's entry removes it explicitly on the normal path.
union PlatformSlot {
  std::shared_ptr<Platform> platform;
  constexpr PlatformSlot() : platform() {}
  ~PlatformSlot() {}
};
constinit PlatformSlot gSlot;
}  // namespace

void SetPlatform(std::shared_ptr<Platform> platform) {
  gSlot.platform = std::move(platform);
}

bool HasPlatform() {
  return gSlot.platform != nullptr;
}

Platform& GetPlatform() {
  if (!gSlot.platform) {
    std::fputs("engine used before a platform was installed (SetPlatform)\n", stderr);
    std::abort();
  }
  return *gSlot.platform;
}
