#pragma once
// The headless platform for tests: a settable clock, injected key and mouse events, a renderer that
// records every draw with its drawing state, and an audio output that mixes only when asked.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/seam.h"
#include "engine/process/process.h"  // ResetEngine, which tests use with it

struct TImage;

struct DrawRecord {
  enum Kind { kImage, kRect, kLine, kPlot, kText, kCls };
  Kind kind = kImage;
  const TImage* image = nullptr;
  int frame = 0;
  float x = 0, y = 0;    // the position passed to the drawing operation
  float x2 = 0, y2 = 0;  // lines: end point; rectangles: width and height
  std::string text;
  int red = 255, green = 255, blue = 255;  // as stored (not clamped)
  float alpha = 1;
  int blend = 1;
  float scale_x = 1, scale_y = 1, rotation = 0;
};

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform();

  // Clock: starts at 1000000 ms; SleepMillis and WaitUntil advance it.
  void SetMillis(int64_t now) { now_ = now; }
  void AdvanceMillis(int64_t delta) { now_ += delta; }
  int64_t Millis() override { return now_; }
  void SleepMillis(int millis) override;
  void WaitUntil(int64_t deadline) override;

  // Input injection: events wait until the engine next polls.
  void PushEvent(const InputEvent& event) { pending_.push_back(event); }
  void PressKey(int code);
  void ReleaseKey(int code);
  void TapKey(int code);  // press and release
  void MoveMouse(int x, int y);
  void PressButton(int button);
  void ReleaseButton(int button);
  void Click(int button, int x, int y);  // move, press and release
  void RequestClose();
  // Pads: plugged in and out by instance number; buttons are PadButton values up to kPadDpadRight.
  void PlugPad(int pad);
  void UnplugPad(int pad);
  void PressPadButton(int pad, int button);
  void ReleasePadButton(int pad, int button);
  void TapPadButton(int pad, int button);
  void MovePadAxis(int pad, int axis, int value);
  void LoseFocus();
  void GainFocus();
  void Minimise();
  void Restore();
  void PollEvents(std::vector<InputEvent>* out) override;

  // Graphics: every window opened, and the draws of the frame being drawn and of the last flipped one.
  std::shared_ptr<RenderBackend> CreateGraphics(int width, int height, int depth, int hz, int flags,
                                                const std::string& title) override;
  void FailNextGraphics() { fail_graphics_ = true; }
  struct WindowRecord {
    int width, height, depth, hz;
    std::string title;
  };
  const std::vector<WindowRecord>& Windows() const { return windows_; }
  const std::vector<DrawRecord>& CurrentDraws() const { return current_; }
  const std::vector<DrawRecord>& LastFrame() const { return last_frame_; }
  int Flips() const { return flips_; }
  int VsyncFlips() const { return vsync_flips_; }
  bool PointerVisible() const { return pointer_visible_; }
  // Full screen as the game asked for it; every switch is counted.
  bool SetFullScreen(bool on) override;
  bool FullScreen() const override { return full_screen_; }
  int FullScreenSwitches() const { return full_screen_switches_; }
  void RumblePads(float /*strength*/, int millis) override { rumble_millis_.push_back(millis); }
  const std::vector<int>& Rumbles() const { return rumble_millis_; }
  void SetPointerVisible(bool visible) override { pointer_visible_ = visible; }

  // Audio: off makes OpenAudio fail (silent fallback). Mix pulls frames from the mixer.
  void SetAudioAvailable(bool available) { audio_available_ = available; }
  std::shared_ptr<AudioDevice> OpenAudio() override;
  std::vector<int16_t> Mix(int frames);

  [[noreturn]] void Exit(int code) override;

  // Used by the recording renderer.
  void Record(const DrawRecord& record) { current_.push_back(record); }
  void Presented(bool vsync);

 private:
  int64_t now_ = 1000000;
  std::vector<InputEvent> pending_;
  std::vector<WindowRecord> windows_;
  std::vector<DrawRecord> current_;
  std::vector<DrawRecord> last_frame_;
  int flips_ = 0;
  int vsync_flips_ = 0;
  bool fail_graphics_ = false;
  bool pointer_visible_ = true;
  bool audio_available_ = true;
  std::shared_ptr<AudioDevice> audio_;
  int mouse_x_ = 0, mouse_y_ = 0;
  bool full_screen_ = false;
  int full_screen_switches_ = 0;
  std::vector<int> rumble_millis_;
};

// Installs a fresh headless platform, resets the engine and returns the platform.
std::shared_ptr<HeadlessPlatform> UseHeadlessPlatform();
