#pragma once
// Stop requests from outside the game: SIGTERM, SIGINT and SIGHUP become a flag that the frame loops
// read, so the game ends the ordinary way (exit 0) on every screen, whether or not it reads events there.

// Installs the handlers for the three signals (once per process; later calls do nothing).
void InstallStopSignals();
// True once one of the signals has arrived (or RequestStop was called).
bool StopRequested();
// What a signal does, for callers that stop the game themselves.
void RequestStop();
// For ResetEngine: no stop requested.
void ForgetStopRequest();
