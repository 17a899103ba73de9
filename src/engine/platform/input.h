#pragma once
// Keyboard and mouse state of the open window, polled: KeyPresses, KeyDown, ButtonPresses, PointerX,
// PointerY. Key codes are Windows virtual-key codes.
enum KeyCode : int {
  kKeyBackspace = 8,
  kKeyTab = 9,
  kKeyEnter = 13,
  kKeyEscape = 27,
  kKeySpace = 32,
  kKeyLeft = 37,
  kKeyUp = 38,
  kKeyRight = 39,
  kKeyDown = 40,
  kKeyLeftShift = 160,
  kKeyRightShift = 161,
  kKeyLeftControl = 162,
  kKeyRightControl = 163,
  kKeyLeftAlt = 164,
  kKeyRightAlt = 165,
};

// Presses since the previous call for that key (or since input was last cleared); resets the count.
int KeyPresses(int key);
// 1 while the key is held.
int KeyDown(int key);
// Presses of mouse button 1 (left), 2 (right) or 3 (middle) since the previous call; resets the count.
int ButtonPresses(int button);
int ButtonDown(int button);
// Pointer position in pixels of the 800 x 600 drawing area (mapped through any full-screen scaling).
int PointerX();
int PointerY();
int HidePointer();
int ShowPointer();

// Discards every pending key and button press count; held keys stay held.
void FlushPresses();
// True once for each request of the window system to close the window (close box, Alt+F4).
bool TakeCloseRequest();

// Clears every down flag and press count (the engine calls it on focus changes and when a window
// opens or closes).
void ClearInput();
// Handles every pending window-system event now.
void PollInput();

// For ResetEngine: input as at program start.
void ResetInputState();
