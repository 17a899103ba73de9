#include "engine/render/graphics.h"

#include <malloc.h>

#include <climits>
#include <cmath>
#include <numbers>

#include "engine/media/default_font.h"
#include "engine/media/overlap.h"
#include "engine/platform/seam.h"
#include "engine/render/draw_notes.h"
#include "engine/render/frame_pacer.h"
#include "engine/render/render_backend.h"

namespace {

// Constant-initialised so that they outlive every lazily made object (the platform among them), which
// may still close its window on the way out.
constinit GraphicsRef gOpened;   // the object opened by OpenGraphics
constinit GraphicsRef gCurrent;  // the object drawing goes to
constinit int gGeneration = 1;
std::string& AppTitleSlot() {
  static std::string title;
  return title;
}
// Flip(-1) on a window: paced by the hz given to OpenGraphics.
constinit FramePacer gTimedPacer;
// Flip(1) where the display cannot pace 60 frames per second itself.
constinit RetracePacer gRetracePacer;
constinit bool gSoftwareTiming = false;
constinit bool gVsyncAvailable = false;
// Colours were let go this frame: their memory goes back to the system at the next Flip.
constinit bool gTrimPending = false;
// The driver and the game free memory as they go (shaders compiled for a new state, buffers that
// grew); without a trim now and then it stays with the process for good. A trim costs tens of
// microseconds.
constexpr int kFlipsBetweenTrims = 600;
constinit int gFlipsSinceTrim = 0;

void NextGeneration() {
  gGeneration = gGeneration == INT_MAX ? 1 : gGeneration + 1;
}

void SendState(TGraphics& g) {
  RenderBackend& b = *g.backend;
  const TDrawState& s = g.state;
  b.SetViewport(s.viewport_x, s.viewport_y, s.viewport_w, s.viewport_h);
  b.SetTransform(s.tform_ix, s.tform_iy, s.tform_jx, s.tform_jy);
  b.SetLineWidth(s.line_width);
  b.SetBlend(s.blend_mode);
  b.SetAlpha(s.color_alpha);
  b.SetColor(s.color_red, s.color_green, s.color_blue);
  b.SetClsColor(s.clscolor_red, s.clscolor_green, s.clscolor_blue);
}

// The current object when it can draw, else null.
TGraphics* Drawing() {
  return gCurrent && gCurrent->backend ? gCurrent.get() : nullptr;
}

// Cosine and sine of an angle in degrees, exact at quarter turns so that right angles map pixel
// edges onto pixel edges.
void CosSin(float degrees, float* c, float* s) {
  const double turns = std::fmod(static_cast<double>(degrees), 360.0);
  const double quarter = turns / 90.0;
  if (quarter == std::floor(quarter)) {
    static constexpr float kCos[4] = {1, 0, -1, 0};
    static constexpr float kSin[4] = {0, 1, 0, -1};
    const int q = (static_cast<int>(quarter) % 4 + 4) % 4;
    *c = kCos[q];
    *s = kSin[q];
    return;
  }
  const double radians = turns * (std::numbers::pi / 180.0);
  *c = static_cast<float>(std::cos(radians));
  *s = static_cast<float>(std::sin(radians));
}

void UpdateTransform(TGraphics& g) {
  TDrawState& s = g.state;
  float c, sn;
  CosSin(s.tform_rot, &c, &sn);
  s.tform_ix = c * s.tform_scale_x;
  s.tform_iy = -sn * s.tform_scale_y;
  s.tform_jx = sn * s.tform_scale_x;
  s.tform_jy = c * s.tform_scale_y;
  g.backend->SetTransform(s.tform_ix, s.tform_iy, s.tform_jx, s.tform_jy);
}

// The frame's texture for the current generation, made (for the whole image at once, so that its
// frames can share one texture) when it is missing or stale. Null when it cannot be made.
ImageFrame* FrameOf(TImage& image, int frame, RenderBackend& backend) {
  const size_t count = image.pixmaps.size();
  if (image.frames.size() != count) image.frames.resize(count);
  if (image.seqs.size() != count) image.seqs.resize(count, 0);
  if (image.seqs[frame] != gGeneration) {
    // An image whose colours were let go decodes them again for the new textures, for this moment only.
    std::shared_ptr<const TImage> colour = image.Colour();
    std::vector<std::shared_ptr<ImageFrame>> made;
    if (colour) made = backend.CreateFrames(*colour);
    made.resize(count);
    bool all = true;
    for (size_t i = 0; i < count; ++i) {
      image.frames[i] = std::move(made[i]);
      image.seqs[i] = image.frames[i] ? gGeneration : 0;
      all = all && image.frames[i];
    }
    colour.reset();
    if (all && image.DropColour()) gTrimPending = true;
  }
  return image.frames[frame].get();
}

void PresentAtRetrace(RenderBackend& backend) {
  if (backend.VsyncPacesAt60()) {
    backend.Present(true);
    return;
  }
  // A software rasteriser draws the frame while presenting it, for as long as the frame needs: drawn
  // first, the frame appears when the wait ends, not some milliseconds after.
  backend.Finish();
  gRetracePacer.Wait(GetPlatform());
  // Still vsynced, so the picture never tears; where the driver ignores the interval this waits for
  // nothing.
  backend.Present(true);
}

}  // namespace

bool ToggleFullScreen() {
  Platform& platform = GetPlatform();
  return platform.SetFullScreen(!platform.FullScreen());
}

bool IsFullScreen() {
  return GetPlatform().FullScreen();
}

GraphicsRef OpenGraphics(int width, int height, int depth, int hz, int flags) {
  if (gOpened) {
    CloseGraphics(gOpened);
    NextGeneration();
  }
  if (width <= 0 || height <= 0) return nullptr;
  flags |= 2;  // always double-buffered
  Platform& platform = GetPlatform();
  std::shared_ptr<RenderBackend> backend =
      platform.CreateGraphics(width, height, depth, hz, flags, AppTitleSlot());
  if (!backend) return nullptr;

  auto g = std::make_shared<TGraphics>();
  g->width = width;
  g->height = height;
  g->depth = depth;
  g->hz = hz;
  g->flags = flags;
  g->backend = std::move(backend);
  g->notes = dynamic_cast<DrawNotes*>(g->backend.get());
  g->state.viewport_w = g->state.g_width = width;
  g->state.viewport_h = g->state.g_height = height;
  gCurrent = g;
  SendState(*g);

  const int64_t now = platform.Millis();
  gSoftwareTiming = depth == 0 && hz > 0;
  gVsyncAvailable = depth != 0 && hz > 0;
  gTimedPacer.Start(gSoftwareTiming ? hz : 0, now);
  gRetracePacer.Start(60, platform.Micros());
  if (depth != 0) platform.WarpPointer(width / 2, height / 2);
  platform.NoteWindowChange();
  gOpened = g;
  return g;
}

void CloseGraphics(const GraphicsRef& graphics) {
  if (!graphics) return;
  // Keep the object alive while it is closed even if the caller's reference is one of ours.
  GraphicsRef keep = graphics;
  if (gOpened == keep) gOpened.reset();
  if (gCurrent == keep) gCurrent.reset();
  if (!keep->backend) return;
  keep->notes = nullptr;
  keep->backend.reset();
  if (HasPlatform()) GetPlatform().NoteWindowChange();
}

void CloseAllGraphics() {
  CloseGraphics(gCurrent);
  CloseGraphics(gOpened);
}

void ResetGraphicsState() {
  CloseAllGraphics();
  // Never reuse a generation: images may still hold textures of the closed renderer.
  NextGeneration();
  gSoftwareTiming = gVsyncAvailable = false;
  gTimedPacer.Start(0, 0);
  gRetracePacer.Start(0, 0);
}

void Flip(int sync) {
  TGraphics* g = Drawing();
  if (!g) return;
  if (gTrimPending || ++gFlipsSinceTrim >= kFlipsBetweenTrims) {
    // Freed pixels sit in the allocator's free lists (and a finished loader thread's arena) until
    // trimmed.
    malloc_trim(0);
    gTrimPending = false;
    gFlipsSinceTrim = 0;
  }
  RenderBackend& backend = *g->backend;
  if (sync == 0) {
    backend.Present(false);
  } else if (sync != -1) {
    PresentAtRetrace(backend);
  } else if (gCurrent != gOpened) {
    backend.Present(true);
  } else if (gSoftwareTiming) {
    backend.Finish();
    gTimedPacer.Wait(GetPlatform());
    backend.Present(false);
  } else if (gVsyncAvailable) {
    PresentAtRetrace(backend);
  } else {
    backend.Present(false);
  }
}

void Cls() {
  if (TGraphics* g = Drawing()) g->backend->Cls();
}

void SetClsColor(int red, int green, int blue) {
  TGraphics* g = Drawing();
  if (!g) return;
  g->state.clscolor_red = red;
  g->state.clscolor_green = green;
  g->state.clscolor_blue = blue;
  g->backend->SetClsColor(red, green, blue);
}

void SetColor(int red, int green, int blue) {
  TGraphics* g = Drawing();
  if (!g) return;
  g->state.color_red = red;
  g->state.color_green = green;
  g->state.color_blue = blue;
  g->backend->SetColor(red, green, blue);
}

void GetColor(int* red, int* green, int* blue) {
  const TDrawState defaults;
  const TDrawState& s = gCurrent ? gCurrent->state : defaults;
  if (red) *red = s.color_red;
  if (green) *green = s.color_green;
  if (blue) *blue = s.color_blue;
}

void SetAlpha(float alpha) {
  TGraphics* g = Drawing();
  if (!g) return;
  g->state.color_alpha = alpha;
  g->backend->SetAlpha(alpha);
}

float GetAlpha() {
  return gCurrent ? gCurrent->state.color_alpha : TDrawState().color_alpha;
}

void SetBlend(int mode) {
  TGraphics* g = Drawing();
  if (!g) return;
  g->state.blend_mode = mode;
  g->backend->SetBlend(mode);
}

int GetBlend() {
  return gCurrent ? gCurrent->state.blend_mode : TDrawState().blend_mode;
}

void SetScale(float sx, float sy) {
  TGraphics* g = Drawing();
  if (!g) return;
  g->state.tform_scale_x = sx;
  g->state.tform_scale_y = sy;
  UpdateTransform(*g);
}

void GetScale(float* sx, float* sy) {
  const TDrawState defaults;
  const TDrawState& s = gCurrent ? gCurrent->state : defaults;
  if (sx) *sx = s.tform_scale_x;
  if (sy) *sy = s.tform_scale_y;
}

void SetRotation(float degrees) {
  TGraphics* g = Drawing();
  if (!g) return;
  g->state.tform_rot = degrees;
  UpdateTransform(*g);
}

float GetRotation() {
  return gCurrent ? gCurrent->state.tform_rot : 0.0f;
}

void DrawImage(const ImageRef& image, float x, float y, int frame) {
  TGraphics* g = Drawing();
  if (!g || !image || frame < 0 || frame >= image->FrameCount() || !image->pixmaps[frame]) return;
  RenderBackend& backend = *g->backend;
  ImageFrame* texture = FrameOf(*image, frame, backend);
  if (g->notes) g->notes->NoteImage(*image, frame, x, y);
  if (!texture) return;
  const float x0 = -image->handle_x, y0 = -image->handle_y;
  const float w = static_cast<float>(image->width), h = static_cast<float>(image->height);
  texture->Draw(x0, y0, x0 + w, y0 + h, x + g->state.origin_x, y + g->state.origin_y, 0, 0, w, h);
}

void DrawRect(float x, float y, float w, float h) {
  TGraphics* g = Drawing();
  if (!g) return;
  const TDrawState& s = g->state;
  g->backend->DrawRect(s.handle_x, s.handle_y, s.handle_x + w, s.handle_y + h, x + s.origin_x,
                       y + s.origin_y);
}

void DrawLine(float x1, float y1, float x2, float y2, int draw_last_pixel) {
  TGraphics* g = Drawing();
  if (!g) return;
  const TDrawState& s = g->state;
  const float ex = s.handle_x + x2 - x1, ey = s.handle_y + y2 - y1;
  const float tx = x1 + s.origin_x, ty = y1 + s.origin_y;
  g->backend->DrawLine(s.handle_x, s.handle_y, ex, ey, tx, ty);
  if (draw_last_pixel) {
    g->backend->Plot(ex * s.tform_ix + ey * s.tform_iy + tx, ex * s.tform_jx + ey * s.tform_jy + ty);
  }
}

void DrawText(const std::string& text, float x, float y) {
  TGraphics* g = Drawing();
  if (!g) return;
  const TDrawState& s = g->state;
  RenderBackend& backend = *g->backend;
  if (g->notes) g->notes->NoteText(text, x, y);
  TImage& font = *DefaultFont();
  const float pen_x = x + s.origin_x + s.handle_x * s.tform_ix + s.handle_y * s.tform_iy;
  const float pen_y = y + s.origin_y + s.handle_x * s.tform_jx + s.handle_y * s.tform_jy;
  constexpr float kW = kFontGlyphWidth, kH = kFontGlyphHeight;
  LayoutText(text, pen_x, pen_y, kW * s.tform_ix, kW * s.tform_jx, [&](int glyph, float gx, float gy) {
    if (ImageFrame* texture = FrameOf(font, glyph, backend))
      texture->Draw(0, 0, kW, kH, gx, gy, 0, 0, kW, kH);
  });
}

int FramesOverlap(const ImageRef& image1, int x1, int y1, int frame1, const ImageRef& image2, int x2, int y2,
                  int frame2) {
  if (!image1 || !image2) return 0;
  if (frame1 < 0 || frame1 >= image1->FrameCount() || frame2 < 0 || frame2 >= image2->FrameCount()) return 0;
  const TDrawState defaults;
  const TDrawState& s = gCurrent ? gCurrent->state : defaults;
  return FramesOverlapTransformed(*image1, x1 + s.origin_x, y1 + s.origin_y, frame1, *image2, x2 + s.origin_x,
                                  y2 + s.origin_y, frame2, s.tform_ix, s.tform_iy, s.tform_jx, s.tform_jy);
}

void SetAppTitle(const std::string& title) {
  AppTitleSlot() = title;
}
const std::string& AppTitle() {
  return AppTitleSlot();
}

TGraphics* CurrentGraphics() {
  return gCurrent.get();
}
int GraphicsGeneration() {
  return gGeneration;
}
