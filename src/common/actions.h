#pragma once
// What the player means, from the keyboard or any pad: the tank, the tutorial and the menus read
// these, so keys and pads drive one path.
enum Action : int {
  kActionLeft,      // Left arrow; d-pad or left stick left
  kActionRight,     // Right arrow; d-pad or left stick right
  kActionFire,      // Space; A
  kActionFaster,    // either Shift; right shoulder or right trigger
  kActionBack,      // Escape; Start (leaves play and the tutorial for the menu)
  kActionContinue,  // Enter; A (the tutorial's next page)
  kActionSelect,    // Enter or Space; A (picks the highlighted menu entry)
  kActionCancel,    // Escape; B or Start (leaves the credits)
  kActionNext,      // Down or Tab (menus)
  kActionPrevious,  // Up or Shift+Tab (menus)
};

// 1 while any key or pad button of the action is held.
int ActionDown(int action);
// Presses of the action's keys and pad buttons since they were last read; reading resets them (and
// so also the count of any other action sharing a key or button).
int ActionPresses(int action);
