// Program entry: the real window system, start-up, the main loop, and the exit code.
#include <cstdio>

#include "app/main_loop.h"
#include "app/startup.h"
#include "engine/platform.h"
#include "engine/process.h"
#include "engine/sdl_platform.h"

int main() {
  std::shared_ptr<Platform> platform = CreateSdlPlatform();
  if (!platform) {
    ReportNoWindow();
    return 1;
  }
  SetPlatform(platform);
  RunStartup();
  EndProcess(MainLoop());
}
