// Sprite drawing cost: our OpenGL renderer against SDL2's own batching SDL_Renderer on the same
// display, for 300 and 1000 scaled, rotated, alpha-blended 64 x 64 sprites from 3 filtered images.
// Each iteration is one frame: "submit_ms" is the CPU time to issue the draws and hand them to the
// driver, the iteration time the wall time until the frame is finished (glFinish). Needs an X
// display (run under Xvfb); skipped without one.
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

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

struct Sprite {
  float x, y, scale, rotation, alpha;
  int image;
};

// The same scene for both renderers: sprites grouped by image, as the game draws its lists.
std::vector<Sprite> Scene(int count) {
  std::vector<Sprite> sprites;
  uint32_t seed = 4660;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<float>(seed >> 8) / 16777216.0f;
  };
  for (int i = 0; i < count; ++i) {
    sprites.push_back({next() * 800, next() * 600, 0.5f + next() * 1.5f, next() * 360, 0.3f + next() * 0.7f,
                       i * 3 / count});
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

std::shared_ptr<Platform>& SdlPlatformOnce() {
  static std::shared_ptr<Platform> platform = std::getenv("DISPLAY") ? CreateSdlPlatform() : nullptr;
  return platform;
}

void Ours(benchmark::State& state) {
  if (!SdlPlatformOnce()) {
    state.SkipWithError("no X display");
    return;
  }
  SetPlatform(SdlPlatformOnce());
  GraphicsRef graphics = OpenGraphics(800, 600, 0, 0, 0);
  if (!graphics) {
    state.SkipWithError("no OpenGL 3.3 window");
    return;
  }
  std::vector<ImageRef> images;
  for (int i = 0; i < 3; ++i) {
    images.push_back(LoadImage(SpritePixels(i), kImageFiltered));
    CentreHandle(images.back());
  }
  const std::vector<Sprite> sprites = Scene(static_cast<int>(state.range(0)));
  auto frame = [&] {
    Cls();
    SetBlend(kBlendAlpha);
    for (const Sprite& s : sprites) {
      SetScale(s.scale, s.scale);
      SetRotation(s.rotation);
      SetAlpha(s.alpha);
      DrawImage(images[s.image], s.x, s.y);
    }
  };
  frame();  // textures and shader variants made outside the timing
  GlFinish();
  Flip(0);
  double submit = 0;
  int calls = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    const double cpu_start = ThreadSeconds();
    frame();
    GlSubmit();
    submit += ThreadSeconds() - cpu_start;
    GlFinish();
    const auto finished = Clock::now();
    calls = GlDrawCallsThisFrame();
    Flip(0);
    state.SetIterationTime(std::chrono::duration<double>(finished - start).count());
  }
  state.counters["submit_ms"] = benchmark::Counter(submit * 1000, benchmark::Counter::kAvgIterations);
  state.counters["draw_calls"] = calls;
  CloseGraphics(graphics);
}

void SdlRenderer(benchmark::State& state) {
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
  std::vector<SDL_Texture*> textures;
  for (int i = 0; i < 3; ++i) {
    auto pixmap = SpritePixels(i);
    SDL_Texture* texture =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, 64, 64);
    SDL_UpdateTexture(texture, nullptr, pixmap->pixels.data(), pixmap->pitch);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    textures.push_back(texture);
  }
  const std::vector<Sprite> sprites = Scene(static_cast<int>(state.range(0)));
  auto frame = [&] {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    for (const Sprite& s : sprites) {
      SDL_Texture* texture = textures[s.image];
      SDL_SetTextureAlphaMod(texture, static_cast<Uint8>(s.alpha * 255));
      const float size = 64 * s.scale;
      const SDL_FRect dst = {s.x - size / 2, s.y - size / 2, size, size};
      SDL_RenderCopyExF(renderer, texture, nullptr, &dst, s.rotation, nullptr, SDL_FLIP_NONE);
    }
    SDL_RenderFlush(renderer);
  };
  frame();
  glFinish();
  SDL_RenderPresent(renderer);
  double submit = 0;
  for (auto _ : state) {
    const auto start = Clock::now();
    const double cpu_start = ThreadSeconds();
    frame();
    submit += ThreadSeconds() - cpu_start;
    glFinish();  // SDL's context is current after its flush
    const auto finished = Clock::now();
    SDL_RenderPresent(renderer);
    state.SetIterationTime(std::chrono::duration<double>(finished - start).count());
  }
  state.counters["submit_ms"] = benchmark::Counter(submit * 1000, benchmark::Counter::kAvgIterations);
  for (SDL_Texture* texture : textures) SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
}

BENCHMARK(Ours)->Name("Sprites/ours")->Arg(300)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SdlRenderer)
    ->Name("Sprites/SDL_Renderer")
    ->Arg(300)
    ->Arg(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
