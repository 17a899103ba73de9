// Program entry: the real window system, start-up, the main loop, and the exit code.
#include <cstdlib>

#include "app/main_loop.h"
#include "app/startup.h"
#include "engine/platform/platform.h"
#include "engine/platform/sdl/sdl_platform.h"
#include "engine/process/process.h"

namespace {

// Without any window system SDL quietly falls back to an invisible off-screen display, where the chooser
// would wait for a click that can never come (the SDL platform also refuses such a driver when a named
// display does not answer). An explicitly chosen video driver is trusted.
bool WindowSystemPresent() {
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("SDL_VIDEODRIVER");
}

}  // namespace

int main() {
  InstallStopSignals();
  std::shared_ptr<Platform> platform = WindowSystemPresent() ? CreateSdlPlatform() : nullptr;
  if (!platform) {
    ReportNoDisplay();
    return 1;
  }
  SetPlatform(platform);
  RunStartup();
  EndProcess(MainLoop());
}
