#include "app/desktop_keys.h"

#include "engine/audio/audio.h"
#include "engine/platform/platform.h"
#include "engine/render/render.h"

void HandleDesktopKeys() {
  while (TakeFullScreenToggle()) ToggleFullScreen();
  // An even number of presses in one frame leaves the sound as it was.
  if (KeyPresses(kKeyM) % 2 == 1) SetAudioMuted(!AudioMuted());
}
