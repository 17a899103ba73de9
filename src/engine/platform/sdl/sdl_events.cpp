// The SDL platform's events: keys, mouse and window events of the open window, as InputEvents.
#include <cmath>

#include "engine/platform/sdl/sdl_keymap.h"
#include "engine/platform/sdl/sdl_platform_internal.h"

namespace {
// Mouse buttons held in our window; while any is held SDL keeps sending us the mouse outside it.
uint32_t g_held_buttons = 0;
uint32_t g_capture_window = 0;

void ReleaseCapture() {
  if (g_held_buttons != 0) SDL_CaptureMouse(SDL_FALSE);
  g_held_buttons = 0;
}

int Logical(int window, float offset, float scale) {
  return static_cast<int>(std::floor((static_cast<float>(window) - offset) * scale));
}
}  // namespace

void SdlPlatform::PollEvents(std::vector<InputEvent>* out) {
  const uint32_t window_id = WindowId();
  const Letterbox map = PointerMapping();
  // A new window starts with no buttons held (the old one may have closed with a button down).
  if (g_capture_window != window_id) {
    ReleaseCapture();
    g_capture_window = window_id;
  }
  // A frame asks for keys, buttons and the pointer a score of times; within a millisecond of the last
  // look nothing can have arrived that the game could tell apart, so the queue is filled once a
  // millisecond at most.
  const int64_t now = Micros();
  if (now - last_pump_micros < 1000) return;
  last_pump_micros = now;
  SDL_PumpEvents();
  bool close_seen = false;
  SDL_Event e;
  while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    // Pads belong to no window: they play whichever window is open.
    if (PadEvent(e, out)) continue;
    InputEvent ev;
    switch (e.type) {
      case SDL_QUIT:
        // Closing the last window sends its close event and then a quit: one request, not two.
        if (!close_seen) out->push_back({InputEvent::kCloseRequest, 0, 0, 0, false});
        close_seen = true;
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        if (window_id == 0 || e.key.windowID != window_id) break;
        const int key = VirtualKeyFromSdl(e.key.keysym.sym, e.key.keysym.scancode);
        if (key == 0) break;
        ev.kind = e.type == SDL_KEYDOWN ? InputEvent::kKeyDown : InputEvent::kKeyUp;
        ev.code = key;
        ev.repeat = e.key.repeat != 0;
        out->push_back(ev);
        break;
      }
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        if (window_id == 0 || e.button.windowID != window_id) break;
        const int button = GameButtonFromSdl(e.button.button);
        if (button == 0) break;
        const uint32_t bit = 1u << button;
        if (e.type == SDL_MOUSEBUTTONDOWN) {
          if (g_held_buttons == 0) SDL_CaptureMouse(SDL_TRUE);
          g_held_buttons |= bit;
        } else if (g_held_buttons & bit) {
          g_held_buttons &= ~bit;
          if (g_held_buttons == 0) SDL_CaptureMouse(SDL_FALSE);
        }
        ev.kind = e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::kButtonDown : InputEvent::kButtonUp;
        ev.code = button;
        ev.x = Logical(e.button.x, map.offset_x, map.scale_x);
        ev.y = Logical(e.button.y, map.offset_y, map.scale_y);
        out->push_back(ev);
        break;
      }
      case SDL_MOUSEMOTION:
        if (window_id == 0 || e.motion.windowID != window_id) break;
        ev.kind = InputEvent::kMotion;
        ev.x = Logical(e.motion.x, map.offset_x, map.scale_x);
        ev.y = Logical(e.motion.y, map.offset_y, map.scale_y);
        out->push_back(ev);
        break;
      case SDL_WINDOWEVENT:
        if (window_id == 0 || e.window.windowID != window_id) break;
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
          out->push_back({InputEvent::kFocusGained, 0, 0, 0, false});
        } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          ReleaseCapture();
          out->push_back({InputEvent::kFocusLost, 0, 0, 0, false});
        } else if (e.window.event == SDL_WINDOWEVENT_MINIMIZED) {
          ReleaseCapture();
          out->push_back({InputEvent::kMinimized, 0, 0, 0, false});
        } else if (e.window.event == SDL_WINDOWEVENT_RESTORED || e.window.event == SDL_WINDOWEVENT_SHOWN) {
          out->push_back({InputEvent::kRestored, 0, 0, 0, false});
        } else if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
          if (!close_seen) out->push_back({InputEvent::kCloseRequest, 0, 0, 0, false});
          close_seen = true;
        }
        break;
      default:
        break;
    }
  }
}
