#pragma once
// The SDL2 platform's class, shared by its window, event and audio files.
#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform.h"

class SdlPlatform : public Platform {
 public:
  SdlPlatform();
  ~SdlPlatform() override;

  int64_t Millis() override;
  void SleepMillis(int millis) override;
  void WaitUntil(int64_t deadline) override;

  // sdl_platform.cpp / gl_*.cpp: the window and its OpenGL renderer.
  std::shared_ptr<RenderBackend> CreateGraphics(int width, int height, int depth, int hz, int flags,
                                                const std::string& title) override;
  void SetPointerVisible(bool visible) override;
  void WarpPointer(int x, int y) override;

  // sdl_events.cpp: SDL events of the open window as InputEvents, keys as virtual-key codes.
  void PollEvents(std::vector<InputEvent>* out) override;

  // sdl_audio.cpp: the SDL audio device, or null (silent) when there is none.
  std::shared_ptr<AudioDevice> OpenAudio() override;

  [[noreturn]] void Exit(int code) override;

  // The open window, set by the renderer while it lives; events of other windows are ignored.
  SDL_Window* window = nullptr;
  uint32_t window_id = 0;
  // Maps window pixels to the logical drawing area: logical = (window - offset) * scale.
  float pointer_scale_x = 1, pointer_scale_y = 1;
  float pointer_offset_x = 0, pointer_offset_y = 0;
  int logical_width = 0, logical_height = 0;
  bool pointer_visible = true;
};
