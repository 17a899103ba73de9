// The headless platform's renderer: every draw becomes a DrawRecord carrying the drawing state it was
// made with, so tests can see what a frame drew without pixels.
#include <memory>

#include "engine/media/image.h"
#include "engine/platform/headless/headless_platform.h"
#include "engine/render/draw_notes.h"
#include "engine/render/graphics.h"
#include "engine/render/render_backend.h"

namespace {

// Image draws are recorded from NoteImage, which sees the image and the caller's position.
class RecordingFrame : public ImageFrame {
 public:
  void Draw(float, float, float, float, float, float, float, float, float, float) override {}
};

class RecordingBackend : public RenderBackend, public DrawNotes {
 public:
  explicit RecordingBackend(HeadlessPlatform* platform)
      : platform_(platform), frame_(std::make_shared<RecordingFrame>()) {}

  std::vector<std::shared_ptr<ImageFrame>> CreateFrames(const TImage& image) override {
    return std::vector<std::shared_ptr<ImageFrame>>(image.pixmaps.size(), frame_);
  }

  void SetBlend(int) override {}
  void SetAlpha(float) override {}
  void SetColor(int, int, int) override {}
  void SetClsColor(int, int, int) override {}
  void SetViewport(int, int, int, int) override {}
  void SetTransform(float, float, float, float) override {}
  void SetLineWidth(float) override {}

  void Cls() override { platform_->Record(Make(DrawRecord::kCls, 0, 0, 0, 0)); }
  void Plot(float x, float y) override { platform_->Record(Make(DrawRecord::kPlot, x, y, 0, 0)); }
  void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) override {
    platform_->Record(Make(DrawRecord::kLine, tx, ty, tx + (x1 - x0), ty + (y1 - y0)));
  }
  void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) override {
    platform_->Record(Make(DrawRecord::kRect, tx, ty, x1 - x0, y1 - y0));
  }

  void Present(bool vsync) override { platform_->Presented(vsync); }
  // A perfect 60 Hz display that takes no time: vsynced flips do not move the settable clock.
  bool VsyncPacesAt60() override { return true; }

  void NoteImage(const TImage& image, int frame, float x, float y) override {
    DrawRecord r = Make(DrawRecord::kImage, x, y, 0, 0);
    r.image = &image;
    r.frame = frame;
    platform_->Record(r);
  }
  void NoteText(const std::string& text, float x, float y) override {
    DrawRecord r = Make(DrawRecord::kText, x, y, 0, 0);
    r.text = text;
    platform_->Record(r);
  }

 private:
  static DrawRecord Make(DrawRecord::Kind kind, float x, float y, float x2, float y2) {
    DrawRecord r;
    r.kind = kind;
    r.x = x;
    r.y = y;
    r.x2 = x2;
    r.y2 = y2;
    if (const TGraphics* g = CurrentGraphics()) {
      const TDrawState& s = g->state;
      r.red = s.color_red;
      r.green = s.color_green;
      r.blue = s.color_blue;
      r.alpha = s.color_alpha;
      r.blend = s.blend_mode;
      r.scale_x = s.tform_scale_x;
      r.scale_y = s.tform_scale_y;
      r.rotation = s.tform_rot;
    }
    return r;
  }

  HeadlessPlatform* platform_;
  std::shared_ptr<RecordingFrame> frame_;
};

}  // namespace

std::shared_ptr<RenderBackend> HeadlessPlatform::CreateGraphics(int width, int height, int depth, int hz,
                                                                int /*flags*/, const std::string& title) {
  if (fail_graphics_) {
    fail_graphics_ = false;
    return nullptr;
  }
  windows_.push_back({width, height, depth, hz, title});
  full_screen_ = depth != 0;
  return std::make_shared<RecordingBackend>(this);
}
