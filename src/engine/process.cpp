#include "engine/process.h"

#include <cstdlib>

#include "engine/engine_internal.h"
#include "engine/platform.h"

void EndProcess(int code) {
  CloseAllGraphics();
  GetPlatform().Exit(code);
  std::_Exit(code);  // a platform's Exit never returns; this keeps the promise if one did
}
