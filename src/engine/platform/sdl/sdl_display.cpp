#include "engine/platform/sdl/sdl_display.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr char kDisplayLost[] = "vextoron: lost the connection to the display\n";

// Xlib calls this from inside whatever call found the connection gone; returning would make Xlib call
// exit(), so it must not return. Only async-signal-safe calls: the heap may be in any state.
int OnDisplayLost(Display* /*display*/) {
  ssize_t written = write(STDERR_FILENO, kDisplayLost, sizeof kDisplayLost - 1);
  (void)written;
  _exit(1);
}

// Xlib's own handler for a refused request prints several lines and calls exit(), whose handlers would
// then talk to the display that just refused us. Parts of SDL that expect an error put their own
// handler in place around the request.
int OnRequestRefused(Display* /*display*/, XErrorEvent* error) {
  char line[128];
  const int n =
      std::snprintf(line, sizeof line, "vextoron: the display refused a request (X error %d, request %d)\n",
                    error->error_code, error->request_code);
  if (n > 0) {
    ssize_t written = write(STDERR_FILENO, line, static_cast<size_t>(n) < sizeof line ? n : sizeof line - 1);
    (void)written;
  }
  _exit(1);
}

}  // namespace

bool VideoDriverShowsWindows(const char* driver) {
  if (!driver) return false;
  static constexpr const char* kShown[] = {"x11",      "wayland", "kmsdrm", "KMSDRM",
                                           "directfb", "RPI",     "vivante"};
  for (const char* shown : kShown) {
    if (std::strcmp(driver, shown) == 0) return true;
  }
  return false;
}

void EndProcessOnDisplayLoss() {
  XSetIOErrorHandler(OnDisplayLost);
  XSetErrorHandler(OnRequestRefused);
}
