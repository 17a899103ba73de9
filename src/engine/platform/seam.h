#pragma once
// The platform seam: everything the engine needs from the operating system. The real platform uses
// SDL2 and OpenGL; the headless one (tests) has a settable clock, injected input, a recording renderer
// and an audio output without a device.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/media/audio_sample.h"

class RenderBackend;

struct InputEvent {
  enum Kind {
    kKeyDown,
    kKeyUp,
    kButtonDown,
    kButtonUp,
    kMotion,
    kFocusLost,
    kFocusGained,
    kCloseRequest,
    kMinimized,
    kRestored,
    kPadAdded,
    kPadRemoved,
    kPadButtonDown,
    kPadButtonUp,
    kPadAxis,
  };
  Kind kind = kMotion;
  int code = 0;      // virtual-key code, mouse button 1..3, PadButton or PadAxis
  int x = 0, y = 0;  // pointer position in drawing-area pixels (kMotion, buttons); kPadAxis: x is the value
  bool repeat = false;  // auto-repeat of a held key
  int pad = 0;          // the pad's instance number (pad kinds)
};

// The audio output device. The engine's mixer fills its buffers from the device's own thread.
class AudioDevice {
 public:
  using MixCallback = std::function<void(int16_t* stereo, int frames)>;
  virtual ~AudioDevice() = default;
  virtual int Rate() const = 0;          // frames per second
  virtual int BufferFrames() const = 0;  // frames per device buffer
  // Converts a whole decoded sample to interleaved stereo 16-bit at Rate(), every input frame kept.
  virtual bool Convert(const TAudioSample& sample, std::vector<int16_t>* out) = 0;
  // Starts pulling audio through the callback.
  virtual void Start(MixCallback callback) = 0;
  // Whether buffers are pulled only when asked for (a test's output) rather than by a device thread.
  virtual bool MixesOnRequest() const { return false; }
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual int64_t Millis() = 0;
  virtual void SleepMillis(int millis) = 0;
  // Waits until Millis() >= deadline: sleeps, then spins the last millisecond.
  virtual void WaitUntil(int64_t deadline) = 0;
  // The same clock in microseconds, and a wait on it, for frame pacing finer than a millisecond. A
  // platform without a finer clock counts whole milliseconds.
  virtual int64_t Micros() { return Millis() * 1000; }
  virtual void WaitUntilMicros(int64_t deadline) { WaitUntil((deadline + 999) / 1000); }

  // A window (depth 0) or full-screen mode with its renderer; null on failure.
  virtual std::shared_ptr<RenderBackend> CreateGraphics(int width, int height, int depth, int hz, int flags,
                                                        const std::string& title) = 0;
  // Appends every pending window-system event.
  virtual void PollEvents(std::vector<InputEvent>* out) = 0;
  virtual void SetPointerVisible(bool visible) = 0;
  virtual void WarpPointer(int /*x*/, int /*y*/) {}
  // Full screen on or off for the open window, if it may change (the game window); false if it cannot.
  virtual bool SetFullScreen(bool /*on*/) { return false; }
  virtual bool FullScreen() const { return false; }
  // A short rumble on every pad that can (strength 0..1).
  virtual void RumblePads(float /*strength*/, int /*millis*/) {}

  // The audio output, or null when there is none (the engine then stays silent).
  virtual std::shared_ptr<AudioDevice> OpenAudio() = 0;

  [[noreturn]] virtual void Exit(int code) = 0;

  // Drawing calls this whenever a window opens or closes; input reads it to drop the keys and presses
  // that belonged to the old window.
  void NoteWindowChange() { ++window_changes_; }
  uint64_t WindowChanges() const { return window_changes_; }

 private:
  uint64_t window_changes_ = 0;
};

// The platform the engine runs on, installed by the program's entry (or a test) before any other engine
// call and removed by it at the end. Using the engine with none installed is a programming error: it
// is reported on stderr and the process aborts.
void SetPlatform(std::shared_ptr<Platform> platform);
Platform& GetPlatform();
bool HasPlatform();
