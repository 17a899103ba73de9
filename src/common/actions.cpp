#include "common/actions.h"

#include "engine/platform/platform.h"

namespace {
constexpr int kNone = -1;

// Up to two keys and two pad buttons per action; kNone fills the rest.
struct Sources {
  int keys[2];
  int pad_buttons[2];
};

constexpr Sources kSources[] = {
    {{kKeyLeft, kNone}, {kPadDpadLeft, kPadStickLeft}},                        // kActionLeft
    {{kKeyRight, kNone}, {kPadDpadRight, kPadStickRight}},                     // kActionRight
    {{kKeySpace, kNone}, {kPadA, kNone}},                                      // kActionFire
    {{kKeyLeftShift, kKeyRightShift}, {kPadRightShoulder, kPadRightTrigger}},  // kActionFaster
    {{kKeyEscape, kNone}, {kPadStart, kNone}},                                 // kActionBack
    {{kKeyEnter, kNone}, {kPadA, kNone}},                                      // kActionContinue
    {{kKeyEnter, kKeySpace}, {kPadA, kNone}},                                  // kActionSelect
    {{kKeyEscape, kNone}, {kPadB, kPadStart}},                                 // kActionCancel
    {{kKeyDown, kNone}, {kPadDpadDown, kPadStickDown}},                        // kActionNext
    {{kKeyUp, kNone}, {kPadDpadUp, kPadStickUp}},                              // kActionPrevious
};
constexpr int kActionCount = static_cast<int>(sizeof(kSources) / sizeof(kSources[0]));
static_assert(kActionCount == kActionPrevious + 1, "one row of sources per action, in the enum's order");

const Sources* SourcesOf(int action) {
  return action >= 0 && action < kActionCount ? &kSources[action] : nullptr;
}

bool ShiftHeld() {
  return KeyDown(kKeyLeftShift) != 0 || KeyDown(kKeyRightShift) != 0;
}
}  // namespace

int ActionDown(int action) {
  const Sources* sources = SourcesOf(action);
  if (!sources) return 0;
  for (int key : sources->keys) {
    if (key != kNone && KeyDown(key)) return 1;
  }
  for (int button : sources->pad_buttons) {
    if (button != kNone && PadDown(button)) return 1;
  }
  return 0;
}

int ActionPresses(int action) {
  const Sources* sources = SourcesOf(action);
  if (!sources) return 0;
  int presses = 0;
  for (int key : sources->keys) {
    if (key != kNone) presses += KeyPresses(key);
  }
  for (int button : sources->pad_buttons) {
    if (button != kNone) presses += PadPresses(button);
  }
  // Tab walks forwards, Shift+Tab backwards.
  if (action == kActionNext || action == kActionPrevious) {
    const bool backwards = ShiftHeld();
    if (backwards == (action == kActionPrevious)) presses += KeyPresses(kKeyTab);
  }
  return presses;
}
