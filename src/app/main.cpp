// Program entry: the real window system, start-up, the main loop, and the exit code.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>

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

// What the game cannot go on after (memory running out in the middle of play, for one) ends it with one
// line and exit code 1, skipping the exit handlers: they would tear down the window system from the
// middle of the failure.
[[noreturn]] void EndOnUnhandledFailure() {
  const char* what = "an unexpected error";
  try {
    if (std::exception_ptr failure = std::current_exception()) std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
    what = "out of memory";
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vextoron: stopped by an unexpected error: %s\n", e.what());
    std::_Exit(1);
  } catch (...) {
  }
  std::fprintf(stderr, "vextoron: stopped: %s\n", what);
  std::_Exit(1);
}

}  // namespace

int main() {
  std::set_terminate(EndOnUnhandledFailure);
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
