#include "engine/platform/input.h"

#include <cstdint>
#include <vector>

#include "engine/platform/seam.h"

namespace {
constexpr int kKeyCount = 256;
constexpr int kButtonCount = 4;  // index 0 unused: buttons are 1 left, 2 right, 3 middle

struct InputState {
  bool key_down[kKeyCount] = {};
  int key_hits[kKeyCount] = {};
  bool button_down[kButtonCount] = {};
  int button_hits[kButtonCount] = {};
  int mouse_x = 0;
  int mouse_y = 0;
  int close_requests = 0;
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

void Apply(InputState& s, const InputEvent& e) {
  switch (e.kind) {
    case InputEvent::kKeyDown:
      if (ValidKey(e.code) && !e.repeat) Press(&s.key_down[e.code], &s.key_hits[e.code]);
      break;
    case InputEvent::kKeyUp:
      if (ValidKey(e.code)) s.key_down[e.code] = false;
      break;
    case InputEvent::kButtonDown:
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
    case InputEvent::kFocusGained:
      // The key-up of a key released while another program had focus never reaches us.
      ClearInput();
      break;
    case InputEvent::kCloseRequest:
      ++s.close_requests;
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
}

void ResetInputState() {
  ClearInput();
  InputState& s = State();
  s.mouse_x = 0;
  s.mouse_y = 0;
  s.close_requests = 0;
  s.events.clear();
}
