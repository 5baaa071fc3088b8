#pragma once
// Threads of another process as the tests see them from outside.

#include <windows.h>

namespace kalvoro::e2e {

// Threads the process started through the C runtime: every std::thread of the program's own (the
// time synchronisation, a name look-up, an announcement download). The system's threads start
// elsewhere, and the main thread starts in the executable. -1 when the process cannot be read.
int RuntimeStartedThreads(DWORD pid);

}  // namespace kalvoro::e2e
