// The baseline the game's start-up, memory and pacing are measured against: a bare SDL2 program that
// opens a 340 x 100 window with an OpenGL 3.3 core context (the size of the game's mode chooser) and
// clears it every frame, paced by swap interval 1 or, where that does not wait, by the same sleep-then-
// spin wait as the game (the frame is drawn before the wait, as the game's is). With VEXTORON_FRAME_LOG it
// logs "chooser_first_frame" after its first swap and every frame as the game does; BARE_WINDOW_FRAMES ends
// it after that many frames (default: until closed); BARE_WINDOW_SIZE=WxH opens another size (the game's
// 800x600, for the cost of presenting a frame).
#include <SDL.h>
#include <epoxy/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

long long NowMicros() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

void WaitUntil(std::chrono::steady_clock::time_point deadline) {
  using namespace std::chrono;
  for (;;) {
    const auto left = deadline - steady_clock::now();
    if (left <= nanoseconds(0)) return;
    if (left > microseconds(1500)) std::this_thread::sleep_for(left - microseconds(1500));
  }
}

}  // namespace

int main() {
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return 1;
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  int width = 340, height = 100;
  if (const char* size = std::getenv("BARE_WINDOW_SIZE")) {
    if (std::sscanf(size, "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0)
      width = 340, height = 100;
  }
  SDL_Window* window = SDL_CreateWindow("bare window", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                        height, SDL_WINDOW_OPENGL);
  if (!window) return 1;
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) return 1;
  SDL_GL_SetSwapInterval(1);

  const char* log_path = std::getenv("VEXTORON_FRAME_LOG");
  FILE* log = log_path && *log_path ? std::fopen(log_path, "a") : nullptr;
  const char* limit_text = std::getenv("BARE_WINDOW_FRAMES");
  const long limit = limit_text ? std::atol(limit_text) : 0;

  // Where swap interval 1 does not wait (a virtual display), pace 60 frames per second in software.
  const auto period = std::chrono::nanoseconds(1000000000LL / 60);
  auto deadline = std::chrono::steady_clock::now();
  long long previous = 0;
  bool running = true;
  for (long frame = 0; running && (limit == 0 || frame < limit); ++frame) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      if (event.type == SDL_QUIT) running = false;
    }
    glClearColor(215 / 255.0f, 215 / 255.0f, 215 / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    deadline += period;
    WaitUntil(deadline);
    SDL_GL_SwapWindow(window);
    if (std::chrono::steady_clock::now() > deadline + period) deadline = std::chrono::steady_clock::now();
    if (log) {
      const long long now = NowMicros();
      if (frame == 0) std::fprintf(log, "chooser_first_frame %lld\n", now);
      std::fprintf(log, "frame %lld %lld 0\n", now, previous ? now - previous : 0);
      previous = now;
      std::fflush(log);
    }
  }
  if (log) std::fclose(log);
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
