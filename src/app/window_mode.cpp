#include "app/window_mode.h"

#include "app/frame_log.h"
#include "common/actions.h"
#include "engine/platform/platform.h"
#include "engine/render/render.h"

namespace {

// The chooser centres text as if every character were 8 x 12 pixels.
constexpr int kCharWidth = 8;
constexpr int kCharHeight = 12;
constexpr int kButtonY = 60;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 24;

struct ChooserButton {
  const char* text;
  int x;
  int choice;
};
constexpr ChooserButton kButtons[] = {
    {"Windowed", 10, TWindowMode::C_Window},
    {"Full Screen", 120, TWindowMode::C_FullScreen},
    {"Quit", 230, TWindowMode::C_Cancelled},
};

constexpr int kButtonCount = 3;
constexpr int kNoFocus = -1;
// The button the keyboard has moved to, drawn with a focus frame; none until a key moves it, in
// each chooser window anew.
int gFocus = kNoFocus;
uint64_t gFocusWindow = 0;

// Right and Tab step forwards, Left and Shift+Tab back, wrapping; the first step from none lands on
// Windowed going forwards and on Quit going back.
void MoveFocus() {
  if (gFocusWindow != GetPlatform().WindowChanges()) {
    gFocusWindow = GetPlatform().WindowChanges();
    gFocus = kNoFocus;
  }
  const bool shift = KeyDown(kKeyLeftShift) != 0 || KeyDown(kKeyRightShift) != 0;
  const int tabs = KeyPresses(kKeyTab);
  const int forwards = ActionPresses(kActionRight) + (shift ? 0 : tabs);
  const int backwards = ActionPresses(kActionLeft) + (shift ? tabs : 0);
  for (int n = 0; n < forwards; ++n) gFocus = gFocus == kNoFocus ? 0 : (gFocus + 1) % kButtonCount;
  for (int n = 0; n < backwards; ++n)
    gFocus = gFocus == kNoFocus ? kButtonCount - 1 : (gFocus + kButtonCount - 1) % kButtonCount;
}

void DrawFocusFrame(int x, int y, int w, int h) {
  SetColor(0, 0, 0);
  const float x1 = static_cast<float>(x + 3), y1 = static_cast<float>(y + 3);
  const float x2 = static_cast<float>(x + w - 3), y2 = static_cast<float>(y + h - 3);
  DrawLine(x1, y1, x2, y1, 1);
  DrawLine(x1, y2, x2, y2, 1);
  DrawLine(x1, y1, x1, y2, 1);
  DrawLine(x2, y1, x2, y2, 1);
}

int CentredX(const std::string& text) {
  return (TWindowMode::kWidth - kCharWidth * static_cast<int>(text.size())) / 2;
}

}  // namespace

int TWindowMode::GetMode(const std::string& title, const std::string& credit) {
  GraphicsRef chooser = OpenGraphics(kWidth, kHeight, 0, 60, 0);
  if (!chooser) return C_NoWindow;
  SetClsColor(215, 215, 215);
  int result = C_Cancelled;
  bool done = false;
  bool first = true;
  while (!done) {
    done = Step(title, credit, &result);
    // A stop signal is the same as Quit.
    if (StopRequested()) {
      result = C_Cancelled;
      done = true;
    }
    Flip(-1);
    if (first) FrameLogMark("chooser_first_frame");
    first = false;
  }
  CloseGraphics(chooser);
  return result;
}

bool TWindowMode::Step(const std::string& title, const std::string& credit, int* result) {
  const int mouse_x = PointerX();
  const int mouse_y = PointerY();
  Cls();
  SetColor(0, 0, 0);
  DrawText(title, static_cast<float>(CentredX(title)), 10);
  DrawText(credit, static_cast<float>(CentredX(credit)), 34);

  MoveFocus();
  int hovered = -1;
  for (int i = 0; i < kButtonCount; ++i) {
    const ChooserButton& button = kButtons[i];
    const int over =
        PointToBox(mouse_x, mouse_y, button.x, kButtonY, button.x + kButtonWidth, kButtonY + kButtonHeight);
    DrawButton(button.text, button.x, kButtonY, kButtonWidth, kButtonHeight, over);
    if (i == gFocus) DrawFocusFrame(button.x, kButtonY, kButtonWidth, kButtonHeight);
    if (over == 1) hovered = button.choice;
  }

  if (ActionPresses(kActionSelect) != 0 && gFocus != kNoFocus) {
    *result = kButtons[gFocus].choice;
    return true;
  }
  // Escape (or B or Start on a pad) is Quit.
  if (ActionPresses(kActionCancel) != 0) {
    *result = C_Cancelled;
    return true;
  }

  int clicked = ButtonPresses(1);
  if (clicked == 0) clicked = ButtonPresses(2);
  if (clicked == 0) clicked = ButtonPresses(3);
  if (clicked != 0 && hovered != -1) {
    *result = hovered;
    return true;
  }
  // Closing the chooser's window is the same as choosing Quit.
  if (TakeCloseRequest()) {
    *result = C_Cancelled;
    return true;
  }
  return false;
}

int TWindowMode::DrawButton(const std::string& text, int x, int y, int w, int h, int highlighted) {
  const float tx = static_cast<float>(x + (w - kCharWidth * static_cast<int>(text.size())) / 2);
  const float ty = static_cast<float>(y + (h - kCharHeight) / 2);
  const float fx = static_cast<float>(x), fy = static_cast<float>(y);
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  if (highlighted) {
    SetColor(175, 175, 175);
  } else {
    SetColor(220, 220, 220);
  }
  DrawRect(fx, fy, fw, fh);
  SetColor(245, 245, 245);
  DrawLine(fx, fy, fx + fw, fy, 1);
  DrawLine(fx, fy, fx, fy + fh, 1);
  SetColor(150, 150, 150);
  DrawLine(fx + fw, fy + 1, fx + fw, fy + fh, 1);
  DrawLine(fx + 1, fy + fh, fx + fw, fy + fh, 1);
  SetColor(0, 0, 0);
  DrawText(text, tx, ty);
  return 0;
}

int TWindowMode::PointToBox(int px, int py, int x1, int y1, int x2, int y2) {
  return (x1 <= px && px <= x2 && y1 <= py && py <= y2) ? 1 : 0;
}
