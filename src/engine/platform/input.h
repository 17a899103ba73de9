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
  kKeyM = 77,
  kKeyF11 = 122,
};

// Game-controller buttons in the common layout (A is the bottom face button, B the right one); the
// stick and trigger entries are held while their axis is pushed past its dead zone.
enum PadButton : int {
  kPadA,
  kPadB,
  kPadX,
  kPadY,
  kPadBack,
  kPadGuide,
  kPadStart,
  kPadLeftStick,
  kPadRightStick,
  kPadLeftShoulder,
  kPadRightShoulder,
  kPadDpadUp,
  kPadDpadDown,
  kPadDpadLeft,
  kPadDpadRight,
  kPadStickLeft,
  kPadStickRight,
  kPadStickUp,
  kPadStickDown,
  kPadLeftTrigger,
  kPadRightTrigger,
  kPadButtonCount,
};
constexpr int kPadRealButtons = kPadStickLeft;  // the buttons a pad reports itself

enum PadAxis : int {
  kPadAxisLeftX,
  kPadAxisLeftY,
  kPadAxisRightX,
  kPadAxisRightY,
  kPadAxisLeftTrigger,
  kPadAxisRightTrigger,
  kPadAxisCount,
};
// Axis values run from -32768 to 32767 (triggers 0 to 32767). A stick counts as pushed beyond this.
constexpr int kPadDeadZone = 10000;

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

// Presses of a pad button, summed over every pad, since the previous call; resets the count.
int PadPresses(int button);
// 1 while any connected pad holds the button.
int PadDown(int button);
// Pads connected now.
int PadCount();
// True when the last key, mouse button or pad input came from a pad.
bool LastInputFromPad();
// A short rumble on every pad that supports it.
void RumblePads(float strength, int millis);

// True once for each time the window lost the input focus or was minimised.
bool TakeFocusLoss();
// True while the window is minimised.
bool WindowMinimised();
// True once for each request to switch between window and full screen (F11, Alt+Enter). Alt+Enter
// is not counted as Enter.
bool TakeFullScreenToggle();

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
