#include "engine/process/process.h"

#include <cstdlib>

#include "engine/audio/audio.h"
#include "engine/base/random.h"
#include "engine/platform/input.h"
#include "engine/platform/seam.h"
#include "engine/platform/stop_signals.h"
#include "engine/render/graphics.h"

void EndProcess(int code) {
  CloseAllGraphics();
  GetPlatform().Exit(code);
  std::_Exit(code);  // a platform's Exit never returns; this keeps the promise if one did
}

void ResetEngine() {
  ResetGraphicsState();
  ResetInputState();
  ResetAudioState();
  ForgetStopRequest();
  SeedRandom(4660);
  SetAppTitle("");
}
