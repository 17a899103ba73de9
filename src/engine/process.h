#pragma once
// Ending the process: the window is closed on the way out.
[[noreturn]] void EndProcess(int code = 0);
