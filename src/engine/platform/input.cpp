#include "engine/platform/input.h"

#include <cstdint>
#include <map>
#include <vector>

#include "engine/platform/seam.h"

namespace {
constexpr int kKeyCount = 256;
constexpr int kButtonCount = 4;  // index 0 unused: buttons are 1 left, 2 right, 3 middle

// One connected pad: its buttons (the real ones and the stick and trigger directions) and axes.
struct PadState {
  bool down[kPadButtonCount] = {};
  int axis[kPadAxisCount] = {};
};

struct InputState {
  bool key_down[kKeyCount] = {};
  int key_hits[kKeyCount] = {};
  bool button_down[kButtonCount] = {};
  int button_hits[kButtonCount] = {};
  int mouse_x = 0;
  int mouse_y = 0;
  int close_requests = 0;
  std::map<int, PadState> pads;  // by instance number
  int pad_hits[kPadButtonCount] = {};
  bool last_from_pad = false;
  int focus_losses = 0;
  bool minimised = false;
  int fullscreen_toggles = 0;
  uint64_t window_changes = 0;     // the platform's count when input last caught up with it
  std::vector<InputEvent> events;  // reused between polls
};

InputState& State() {
  static InputState state;
  return state;
}

bool ValidKey(int key) {
  return key >= 0 && key < kKeyCount;
}
bool ValidButton(int button) {
  return button >= 1 && button < kButtonCount;
}

// A press counts only when the key or button was up: auto-repeat and duplicate downs add nothing.
void Press(bool* down, int* hits) {
  if (*down) return;
  *down = true;
  ++*hits;
}

bool ValidPadButton(int button) {
  return button >= 0 && button < kPadButtonCount;
}

void PadButtonTo(InputState& s, PadState& pad, int button, bool down) {
  if (down) {
    if (!pad.down[button]) s.last_from_pad = true;
    Press(&pad.down[button], &s.pad_hits[button]);
  } else {
    pad.down[button] = false;
  }
}

// A stick direction or trigger is held past the dead zone and let go a little inside it, so a stick
// resting near the edge does not chatter.
void AxisDirection(InputState& s, PadState& pad, int button, int amount) {
  const int release = kPadDeadZone * 3 / 4;
  if (amount > kPadDeadZone) {
    PadButtonTo(s, pad, button, true);
  } else if (amount < release) {
    PadButtonTo(s, pad, button, false);
  }
}

void PadAxisTo(InputState& s, PadState& pad, int axis, int value) {
  if (axis < 0 || axis >= kPadAxisCount) return;
  pad.axis[axis] = value;
  switch (axis) {
    case kPadAxisLeftX:
      AxisDirection(s, pad, kPadStickLeft, -value);
      AxisDirection(s, pad, kPadStickRight, value);
      break;
    case kPadAxisLeftY:  // up is negative
      AxisDirection(s, pad, kPadStickUp, -value);
      AxisDirection(s, pad, kPadStickDown, value);
      break;
    case kPadAxisLeftTrigger:
      AxisDirection(s, pad, kPadLeftTrigger, value);
      break;
    case kPadAxisRightTrigger:
      AxisDirection(s, pad, kPadRightTrigger, value);
      break;
    default:
      break;
  }
}

bool AltHeld(const InputState& s) {
  return s.key_down[kKeyLeftAlt] || s.key_down[kKeyRightAlt];
}

void Apply(InputState& s, const InputEvent& e) {
  switch (e.kind) {
    case InputEvent::kKeyDown:
      if (!ValidKey(e.code) || e.repeat) break;
      s.last_from_pad = false;
      if (e.code == kKeyF11 && !s.key_down[kKeyF11]) ++s.fullscreen_toggles;
      // Alt+Enter belongs to the window, not to whatever screen reads Enter.
      if (e.code == kKeyEnter && AltHeld(s)) {
        ++s.fullscreen_toggles;
        break;
      }
      Press(&s.key_down[e.code], &s.key_hits[e.code]);
      break;
    case InputEvent::kKeyUp:
      if (ValidKey(e.code)) s.key_down[e.code] = false;
      break;
    case InputEvent::kButtonDown:
      s.last_from_pad = false;
      if (ValidButton(e.code)) Press(&s.button_down[e.code], &s.button_hits[e.code]);
      s.mouse_x = e.x;
      s.mouse_y = e.y;
      break;
    case InputEvent::kButtonUp:
      if (ValidButton(e.code)) s.button_down[e.code] = false;
      s.mouse_x = e.x;
      s.mouse_y = e.y;
      break;
    case InputEvent::kMotion:
      s.mouse_x = e.x;
      s.mouse_y = e.y;
      break;
    case InputEvent::kFocusLost:
      ++s.focus_losses;
      ClearInput();
      break;
    case InputEvent::kFocusGained:
      // The key-up of a key released while another program had focus never reaches us.
      ClearInput();
      break;
    case InputEvent::kMinimized:
      ++s.focus_losses;
      s.minimised = true;
      ClearInput();
      break;
    case InputEvent::kRestored:
      s.minimised = false;
      break;
    case InputEvent::kCloseRequest:
      ++s.close_requests;
      break;
    case InputEvent::kPadAdded:
      s.pads[e.pad];
      break;
    case InputEvent::kPadRemoved:
      // Whatever the pad held goes with it.
      s.pads.erase(e.pad);
      break;
    case InputEvent::kPadButtonDown:
    case InputEvent::kPadButtonUp:
      if (e.code >= 0 && e.code < kPadRealButtons)
        PadButtonTo(s, s.pads[e.pad], e.code, e.kind == InputEvent::kPadButtonDown);
      break;
    case InputEvent::kPadAxis:
      PadAxisTo(s, s.pads[e.pad], e.code, e.x);
      break;
  }
}
}  // namespace

void PollInput() {
  InputState& s = State();
  Platform& platform = GetPlatform();
  // Keys held and presses made in a window that has since closed or been replaced do not carry over.
  if (platform.WindowChanges() != s.window_changes) {
    s.window_changes = platform.WindowChanges();
    ClearInput();
    s.fullscreen_toggles = 0;  // asked of a window that is gone
  }
  s.events.clear();
  platform.PollEvents(&s.events);
  for (const InputEvent& e : s.events) Apply(s, e);
  s.events.clear();
}

int KeyPresses(int key) {
  PollInput();
  if (!ValidKey(key)) return 0;
  InputState& s = State();
  const int hits = s.key_hits[key];
  s.key_hits[key] = 0;
  return hits;
}

int KeyDown(int key) {
  PollInput();
  if (!ValidKey(key)) return 0;
  return State().key_down[key] ? 1 : 0;
}

int ButtonPresses(int button) {
  PollInput();
  if (!ValidButton(button)) return 0;
  InputState& s = State();
  const int hits = s.button_hits[button];
  s.button_hits[button] = 0;
  return hits;
}

int ButtonDown(int button) {
  PollInput();
  if (!ValidButton(button)) return 0;
  return State().button_down[button] ? 1 : 0;
}

int PointerX() {
  PollInput();
  return State().mouse_x;
}

int PointerY() {
  PollInput();
  return State().mouse_y;
}

int PadPresses(int button) {
  PollInput();
  if (!ValidPadButton(button)) return 0;
  InputState& s = State();
  const int hits = s.pad_hits[button];
  s.pad_hits[button] = 0;
  return hits;
}

int PadDown(int button) {
  PollInput();
  if (!ValidPadButton(button)) return 0;
  for (const auto& [id, pad] : State().pads) {
    if (pad.down[button]) return 1;
  }
  return 0;
}

int PadCount() {
  PollInput();
  return static_cast<int>(State().pads.size());
}

bool LastInputFromPad() {
  PollInput();
  return State().last_from_pad;
}

void RumblePads(float strength, int millis) {
  GetPlatform().RumblePads(strength, millis);
}

bool TakeFocusLoss() {
  PollInput();
  InputState& s = State();
  if (s.focus_losses == 0) return false;
  --s.focus_losses;
  return true;
}

bool WindowMinimised() {
  PollInput();
  return State().minimised;
}

bool TakeFullScreenToggle() {
  PollInput();
  InputState& s = State();
  if (s.fullscreen_toggles == 0) return false;
  --s.fullscreen_toggles;
  return true;
}

int HidePointer() {
  GetPlatform().SetPointerVisible(false);
  return 0;
}

int ShowPointer() {
  GetPlatform().SetPointerVisible(true);
  return 0;
}

void FlushPresses() {
  PollInput();
  InputState& s = State();
  for (int& hits : s.key_hits) hits = 0;
  for (int& hits : s.button_hits) hits = 0;
  for (int& hits : s.pad_hits) hits = 0;
}

bool TakeCloseRequest() {
  PollInput();
  InputState& s = State();
  if (s.close_requests == 0) return false;
  --s.close_requests;
  return true;
}

void ClearInput() {
  InputState& s = State();
  for (int i = 0; i < kKeyCount; ++i) {
    s.key_down[i] = false;
    s.key_hits[i] = 0;
  }
  for (int i = 0; i < kButtonCount; ++i) {
    s.button_down[i] = false;
    s.button_hits[i] = 0;
  }
  // Pads stay connected; what they held is forgotten like the keys (no release would reach us).
  for (auto& [id, pad] : s.pads) pad = PadState();
  for (int& hits : s.pad_hits) hits = 0;
}

void ResetInputState() {
  ClearInput();
  InputState& s = State();
  s.mouse_x = 0;
  s.mouse_y = 0;
  s.close_requests = 0;
  s.pads.clear();
  s.last_from_pad = false;
  s.focus_losses = 0;
  s.minimised = false;
  s.fullscreen_toggles = 0;
  s.events.clear();
}
