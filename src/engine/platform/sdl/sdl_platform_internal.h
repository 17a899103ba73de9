#pragma once
// The SDL2 platform's class, shared by its window, event and audio files.
#include <SDL.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/seam.h"
#include "engine/render/letterbox.h"

class SdlWindowRenderer;

class SdlPlatform : public Platform {
 public:
  SdlPlatform();
  ~SdlPlatform() override;

  int64_t Millis() override;
  void SleepMillis(int millis) override;
  void WaitUntil(int64_t deadline) override;
  int64_t Micros() override;
  void WaitUntilMicros(int64_t deadline) override;

  // sdl_window.cpp: the window and its OpenGL renderer.
  std::shared_ptr<RenderBackend> CreateGraphics(int width, int height, int depth, int hz, int flags,
                                                const std::string& title) override;
  void SetPointerVisible(bool visible) override;
  void WarpPointer(int x, int y) override;
  bool SetFullScreen(bool on) override;
  bool FullScreen() const override;
  // sdl_pads.cpp: rumble on every open game controller that has a motor.
  void RumblePads(float strength, int millis) override;

  // sdl_events.cpp: SDL events of the open window as InputEvents, keys as virtual-key codes.
  void PollEvents(std::vector<InputEvent>* out) override;

  // sdl_audio.cpp: the SDL audio device, or null (silent) when there is none.
  std::shared_ptr<AudioDevice> OpenAudio() override;

  [[noreturn]] void Exit(int code) override;

  // The open window's renderer, set by it while it lives; events of other windows are ignored.
  SdlWindowRenderer* open_window = nullptr;
  SDL_Window* Window() const;
  uint32_t WindowId() const;
  // Maps window points to the logical drawing area: logical = (window - offset) * scale.
  Letterbox PointerMapping() const;
  bool pointer_visible = true;
  // When SDL's queue was last filled (microseconds): every input query polls, and filling the queue
  // asks the display and the pads each time.
  int64_t last_pump_micros = -1000000;

  // sdl_pads.cpp: the game controllers open now, by joystick instance; events of pads as InputEvents.
  std::map<int32_t, SDL_GameController*> pads;
  bool PadEvent(const SDL_Event& e, std::vector<InputEvent>* out);
  void ClosePads();
};
