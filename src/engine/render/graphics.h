#pragma once
// The window and 2D drawing: OpenGraphics, Flip, Cls and the immediate-mode drawing operations with
// their current drawing state.
#include <memory>
#include <string>

#include "engine/media/image.h"

class RenderBackend;
class DrawNotes;

// Blend modes of SetBlend.
enum BlendMode : int { kBlendMask = 1, kBlendSolid = 2, kBlendAlpha = 3, kBlendLight = 4, kBlendShade = 5 };

struct TDrawState {
  int color_red = 255, color_green = 255, color_blue = 255;
  float color_alpha = 1.0f;
  int clscolor_red = 0, clscolor_green = 0, clscolor_blue = 0;
  float line_width = 1.0f;
  float tform_rot = 0;
  float tform_scale_x = 1.0f, tform_scale_y = 1.0f;
  float tform_ix = 1, tform_iy = 0, tform_jx = 0, tform_jy = 1;
  int viewport_x = 0, viewport_y = 0, viewport_w = 0, viewport_h = 0;
  float origin_x = 0, origin_y = 0;
  float handle_x = 0, handle_y = 0;
  int blend_mode = kBlendMask;
  int g_width = 0, g_height = 0;
};

// One open window (depth 0) or full-screen mode with its renderer and drawing state.
class TGraphics {
 public:
  int width = 0, height = 0, depth = 0, hz = 0, flags = 0;
  TDrawState state;
  std::shared_ptr<RenderBackend> backend;
  DrawNotes* notes = nullptr;  // the backend, when it wants to be told what each draw was for
};
using GraphicsRef = std::shared_ptr<TGraphics>;

// Null when no window, display mode or OpenGL context can be had.
// OpenGraphics flag: the window may be resized, maximised and switched to full screen and back.
constexpr int kGraphicsResizable = 8;
GraphicsRef OpenGraphics(int width, int height, int depth = 0, int hz = 60, int flags = 0);
void CloseGraphics(const GraphicsRef& graphics);
// Switches a window opened with kGraphicsResizable between window and the desktop's full screen,
// keeping the window, its textures and everything drawn; false when it cannot.
bool ToggleFullScreen();
bool IsFullScreen();
// 1: wait for the vertical retrace (paced to 60 Hz in software where the retrace is not 60 Hz or
// cannot be waited for); 0: at once; -1: paced by the hz given to OpenGraphics.
void Flip(int sync = 1);
void Cls();
void SetClsColor(int red, int green, int blue);
void SetColor(int red, int green, int blue);
void GetColor(int* red, int* green, int* blue);
void SetAlpha(float alpha);
float GetAlpha();
void SetBlend(int mode);
int GetBlend();
void SetScale(float sx, float sy);
void GetScale(float* sx, float* sy);
void SetRotation(float degrees);
float GetRotation();
void DrawImage(const ImageRef& image, float x, float y, int frame = 0);
void DrawRect(float x, float y, float w, float h);
void DrawLine(float x1, float y1, float x2, float y2, int draw_last_pixel = 1);
// Draws with the built-in 8 x 16 font (codes 32 to 127; other codes are skipped).
void DrawText(const std::string& text, float x, float y);
// 1 if, placed as DrawImage would place them under the current scale and rotation, the two frames
// share a screen pixel that is solid (alpha >= 128) in both.
int FramesOverlap(const ImageRef& image1, int x1, int y1, int frame1, const ImageRef& image2, int x2, int y2,
                  int frame2);

// The application title, used for every window's caption.
void SetAppTitle(const std::string& title);
const std::string& AppTitle();

// The current graphics object (null when none) and its drawing state.
TGraphics* CurrentGraphics();
// Incremented each time OpenGraphics replaces a window; textures of older generations are remade.
int GraphicsGeneration();

// For the engine's own start and end (ResetEngine, EndProcess): closes every window, and returns drawing
// to its state at program start.
void CloseAllGraphics();
void ResetGraphicsState();
