#pragma once
// A developer aid for measuring start-up and frame pacing: when the environment variable
// VEXTORON_FRAME_LOG names a file, marks and frame times are appended to it (wall-clock microseconds, so
// they can be compared with times taken outside the process). Without it nothing is written.

// Appends "<name> <microseconds since the epoch>".
void FrameLogMark(const char* name);
// Appends "frame <microseconds since the epoch> <microseconds since the previous frame> <screen state>".
void FrameLogFrame(int state);
