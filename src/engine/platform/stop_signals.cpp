#include "engine/platform/stop_signals.h"

#include <signal.h>

#include <csignal>
#include <initializer_list>

namespace {
// Written by the signal handler, so only a lock-free atomic flag will do.
volatile std::sig_atomic_t gStopRequested = 0;
bool gInstalled = false;

extern "C" void OnStopSignal(int /*signal*/) {
  gStopRequested = 1;
}
}  // namespace

void InstallStopSignals() {
  if (gInstalled) return;
  gInstalled = true;
  struct sigaction action = {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  // Restarted system calls keep a signal from turning into a failed read or sleep somewhere below.
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool StopRequested() {
  return gStopRequested != 0;
}

void RequestStop() {
  gStopRequested = 1;
}

void ForgetStopRequest() {
  gStopRequested = 0;
}
