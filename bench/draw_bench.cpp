// Sprite drawing cost: our OpenGL renderer against SDL2's own batching SDL_Renderer on the same
// display, for 300 and 1000 scaled, rotated, alpha-blended 64 x 64 sprites, in two scenes: "game"
// draws frames of the game's own scouts, UFOs, explosions and smoke; "discs" draws three soft discs
// that fill their squares, the case where an outline saves least. Each iteration is one frame:
// "submit_ms" is the CPU time to issue the draws and hand them to the driver, "cpu_ms" the CPU time
// of the whole process (the GL rasteriser's threads included) until the frame is finished, the
// iteration time the wall time until then (glFinish), "pixels" the pixels the frame shaded (an
// occlusion query's passed samples). Ours is run twice: drawing each sprite as the outline of its
// visible pixels (as the game does), and as its whole rectangle. Needs an X display (run under Xvfb);
// skipped without one.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

#include "common/register_assets.h"
#include "engine/media/image.h"
#include "engine/platform/sdl/sdl_platform.h"
#include "engine/platform/seam.h"
#include "engine/render/gl/gl_stats.h"
#include "engine/render/graphics.h"

namespace {

using Clock = std::chrono::steady_clock;

// CPU time of this thread: submitting is CPU work, and this ignores time lost to other processes
// (the software GL rasteriser shares the cores with us).
double ThreadSeconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

// CPU time of the whole process, the GL rasteriser's threads included: the work a frame costs, which
// other processes on the machine do not change much.
double ProcessSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

struct Sprite {
  float x, y, scale, rotation, alpha;
  int image, frame;
};

enum class Look { kGame, kDiscs };

// Frames of one 64 x 64 image for both renderers: ours, and an RGBA sheet of the frames side by side.
struct Sheet {
  ImageRef image;
  std::vector<uint8_t> rgba;
  int frames = 0;
};

// The same scene for both renderers: sprites grouped by image, as the game draws its lists.
std::vector<Sprite> Scene(int count, const std::vector<Sheet>& sheets) {
  std::vector<Sprite> sprites;
  uint32_t seed = 4660;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>(seed >> 8) / 16777216.0f;
  };
  for (int i = 0; i < count; ++i) {
    const int image = i * static_cast<int>(sheets.size()) / count;
    const float x = next() * 800, y = next() * 600, scale = 0.5f + next() * 1.5f, rotation = next() * 360,
                alpha = 0.3f + next() * 0.7f;
    sprites.push_back({x, y, scale, rotation, alpha, image, static_cast<int>(next() * sheets[image].frames)});
  }
  return sprites;
}

// A disc with a colour gradient and a soft edge.
std::shared_ptr<TPixmap> SpritePixels(int which) {
  auto pixmap = TPixmap::Create(64, 64, kFormatRGBA8888);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      uint8_t* p = pixmap->Row(y) + x * 4;
      const float d = std::hypot(x - 31.5f, y - 31.5f);
      p[0] = static_cast<uint8_t>(x * 4);
      p[1] = static_cast<uint8_t>(y * 4);
      p[2] = static_cast<uint8_t>(80 * which);
      p[3] = static_cast<uint8_t>(d < 28 ? 255 : d < 32 ? (32 - d) * 63 : 0);
    }
  }
  return pixmap;
}

std::vector<Sheet> Sheets(Look look) {
  std::vector<ImageRef> images;
  if (look == Look::kDiscs) {
    for (int i = 0; i < 3; ++i) images.push_back(LoadImage(SpritePixels(i), kImageFiltered));
  } else {
    static bool registered = (RegisterAssets(), true);
    (void)registered;
    for (const char* name : {"scoutufo", "greenufo", "explode_1", "smokey_1"}) {
      int cells = 0;
      images.push_back(LoadAllCells(std::string("incbin::../Images/") + name + ".png", 64, 64, &cells,
                                    kImageFiltered | kImageMasked));
    }
  }
  std::vector<Sheet> sheets;
  for (const ImageRef& image : images) {
    if (!image) return {};
    CentreHandle(image);
    Sheet sheet{image, {}, image->FrameCount()};
    const int stride = 64 * sheet.frames;
    sheet.rgba.resize(static_cast<size_t>(stride) * 64 * 4);
    for (int f = 0; f < sheet.frames; ++f) {
      for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
          image->pixmaps[f]->GetRGBA(x, y, &sheet.rgba[(static_cast<size_t>(y) * stride + f * 64 + x) * 4]);
        }
      }
    }
    sheets.push_back(std::move(sheet));
  }
  return sheets;
}

// Counts the pixels shaded between Begin and End, for the context current at each.
class PixelCount {
 public:
  PixelCount() { glGenQueries(1, &query_); }
  ~PixelCount() { glDeleteQueries(1, &query_); }
  void Begin() { glBeginQuery(GL_SAMPLES_PASSED, query_); }
  double End() {
    glEndQuery(GL_SAMPLES_PASSED);
    GLuint samples = 0;
    glGetQueryObjectuiv(query_, GL_QUERY_RESULT, &samples);
    return samples;
  }

 private:
  GLuint query_ = 0;
};

std::shared_ptr<Platform>& SdlPlatformOnce() {
  static std::shared_ptr<Platform> platform = std::getenv("DISPLAY") ? CreateSdlPlatform() : nullptr;
  return platform;
}

void Ours(benchmark::State& state, Look look, bool outlines) {
  if (!SdlPlatformOnce()) {
    state.SkipWithError("no X display");
    return;
  }
  SetPlatform(SdlPlatformOnce());
  GlSetOutlines(outlines);
  GraphicsRef graphics = OpenGraphics(800, 600, 0, 0, 0);
  if (!graphics) {
    state.SkipWithError("no OpenGL 3.3 window");
    return;
  }
  const std::vector<Sheet> sheets = Sheets(look);
  if (sheets.empty()) {
    state.SkipWithError("no sprite images");
    return;
  }
  const std::vector<Sprite> sprites = Scene(static_cast<int>(state.range(0)), sheets);
  auto frame = [&] {
    Cls();
    SetBlend(kBlendAlpha);
    for (const Sprite& s : sprites) {
      SetScale(s.scale, s.scale);
      SetRotation(s.rotation);
      SetAlpha(s.alpha);
      DrawImage(sheets[s.image].image, s.x, s.y, s.frame);
    }
  };
  frame();  // textures and shader variants made outside the timing
  GlFinish();
  Flip(0);
  double pixels = 0;
  {
    PixelCount count;
    count.Begin();
    frame();
    GlSubmit();
    pixels = count.End();
    Flip(0);
  }
  double submit = 0, work = 0;
  int calls = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    const double cpu_start = ThreadSeconds(), work_start = ProcessSeconds();
    frame();
    GlSubmit();
    submit += ThreadSeconds() - cpu_start;
    GlFinish();
    const auto finished = Clock::now();
    work += ProcessSeconds() - work_start;
    calls = GlDrawCallsThisFrame();
    Flip(0);
    state.SetIterationTime(std::chrono::duration<double>(finished - start).count());
  }
  state.counters["submit_ms"] = benchmark::Counter(submit * 1000, benchmark::Counter::kAvgIterations);
  state.counters["cpu_ms"] = benchmark::Counter(work * 1000, benchmark::Counter::kAvgIterations);
  state.counters["draw_calls"] = calls;
  state.counters["pixels"] = pixels;
  CloseGraphics(graphics);
  GlSetOutlines(true);
}

void SdlRenderer(benchmark::State& state, Look look) {
  if (!SdlPlatformOnce()) {
    state.SkipWithError("no X display");
    return;
  }
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");  // our images are filtered
  SDL_GL_ResetAttributes();
  SDL_Window* window = SDL_CreateWindow("SDL_Renderer", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800,
                                        600, SDL_WINDOW_OPENGL);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
  if (!renderer) {
    state.SkipWithError("no SDL_Renderer");
    if (window) SDL_DestroyWindow(window);
    return;
  }
  const std::vector<Sheet> sheets = Sheets(look);
  std::vector<SDL_Texture*> textures;
  for (const Sheet& sheet : sheets) {
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC,
                                             64 * sheet.frames, 64);
    SDL_UpdateTexture(texture, nullptr, sheet.rgba.data(), 64 * sheet.frames * 4);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    textures.push_back(texture);
  }
  const std::vector<Sprite> sprites =
      sheets.empty() ? std::vector<Sprite>{} : Scene(static_cast<int>(state.range(0)), sheets);
  auto frame = [&] {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    for (const Sprite& s : sprites) {
      SDL_Texture* texture = textures[s.image];
      SDL_SetTextureAlphaMod(texture, static_cast<Uint8>(s.alpha * 255));
      const float size = 64 * s.scale;
      const SDL_FRect dst = {s.x - size / 2, s.y - size / 2, size, size};
      const SDL_Rect src = {s.frame * 64, 0, 64, 64};
      SDL_RenderCopyExF(renderer, texture, &src, &dst, s.rotation, nullptr, SDL_FLIP_NONE);
    }
    SDL_RenderFlush(renderer);
  };
  frame();
  glFinish();
  SDL_RenderPresent(renderer);
  double pixels = 0;
  {
    SDL_RenderFlush(renderer);  // SDL's context is current from here
    PixelCount count;
    count.Begin();
    frame();
    pixels = count.End();
    SDL_RenderPresent(renderer);
  }
  double submit = 0, work = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    const double cpu_start = ThreadSeconds(), work_start = ProcessSeconds();
    frame();
    submit += ThreadSeconds() - cpu_start;
    glFinish();  // SDL's context is current after its flush
    const auto finished = Clock::now();
    work += ProcessSeconds() - work_start;
    SDL_RenderPresent(renderer);
    state.SetIterationTime(std::chrono::duration<double>(finished - start).count());
  }
  state.counters["submit_ms"] = benchmark::Counter(submit * 1000, benchmark::Counter::kAvgIterations);
  state.counters["cpu_ms"] = benchmark::Counter(work * 1000, benchmark::Counter::kAvgIterations);
  state.counters["pixels"] = pixels;
  for (SDL_Texture* texture : textures) SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
}

void Register() {
  for (const auto& [name, look] : {std::pair{"game", Look::kGame}, std::pair{"discs", Look::kDiscs}}) {
    const std::string scene = name;
    for (benchmark::internal::Benchmark* b :
         {benchmark::RegisterBenchmark(("Sprites/" + scene + "/ours").c_str(), Ours, look, true),
          benchmark::RegisterBenchmark(("Sprites/" + scene + "/ours_quads").c_str(), Ours, look, false),
          benchmark::RegisterBenchmark(("Sprites/" + scene + "/SDL_Renderer").c_str(), SdlRenderer, look)}) {
      b->Arg(300)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);
    }
  }
}
const bool kRegistered = (Register(), true);

}  // namespace
