// The SDL platform's game controllers: opened as SDL reports them plugged in (SDL's own mapping
// database, and any mappings in SDL_GAMECONTROLLERCONFIG, name their buttons), closed when unplugged.
#include <algorithm>

#include "engine/platform/input.h"
#include "engine/platform/sdl/sdl_platform_internal.h"

namespace {
InputEvent PadInput(InputEvent::Kind kind, int32_t pad, int code = 0, int value = 0) {
  InputEvent ev;
  ev.kind = kind;
  ev.pad = pad;
  ev.code = code;
  ev.x = value;
  return ev;
}
}  // namespace

bool SdlPlatform::PadEvent(const SDL_Event& e, std::vector<InputEvent>* out) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      // `which` is a device index here; every later event names the joystick instance.
      SDL_GameController* controller = SDL_GameControllerOpen(e.cdevice.which);
      if (!controller) return true;
      const int32_t id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
      if (pads.count(id) != 0) {
        SDL_GameControllerClose(controller);  // already open: SDL counts opens, keep one
        return true;
      }
      pads[id] = controller;
      out->push_back(PadInput(InputEvent::kPadAdded, id));
      return true;
    }
    case SDL_CONTROLLERDEVICEREMOVED: {
      auto it = pads.find(e.cdevice.which);
      if (it != pads.end()) {
        SDL_GameControllerClose(it->second);
        pads.erase(it);
      }
      out->push_back(PadInput(InputEvent::kPadRemoved, e.cdevice.which));
      return true;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      // SDL's button numbers are the PadButton numbers up to the d-pad.
      if (e.cbutton.button < kPadRealButtons) {
        out->push_back(PadInput(
            e.type == SDL_CONTROLLERBUTTONDOWN ? InputEvent::kPadButtonDown : InputEvent::kPadButtonUp,
            e.cbutton.which, e.cbutton.button));
      }
      return true;
    case SDL_CONTROLLERAXISMOTION:
      if (e.caxis.axis < kPadAxisCount) {
        out->push_back(PadInput(InputEvent::kPadAxis, e.caxis.which, e.caxis.axis, e.caxis.value));
      }
      return true;
    default:
      return false;
  }
}

void SdlPlatform::RumblePads(float strength, int millis) {
  const float clamped = std::clamp(strength, 0.0f, 1.0f);
  const auto motor = static_cast<Uint16>(clamped * 0xffff);
  // Pads without motors answer -1; nothing to do about that.
  for (const auto& [id, controller] : pads) {
    SDL_GameControllerRumble(controller, motor, motor, static_cast<Uint32>(std::max(millis, 0)));
  }
}

void SdlPlatform::ClosePads() {
  for (const auto& [id, controller] : pads) SDL_GameControllerClose(controller);
  pads.clear();
}
