#pragma once

#include "lumo_global.h"

namespace lumo {

// Crash reports. After StartMonitor(), a fatal signal (SIGSEGV, SIGBUS, SIGILL, SIGFPE,
// SIGABRT) writes "crash-<time>-<pid>.txt" with the signal and a backtrace into the dump
// folder, then lets the signal end the process as it would have.
class LUMO_EXPORT DExceptionHandler
{
public:
    // dumpDir: relative to the current directory, created when missing.
    static bool StartMonitor(const char *dumpDir);
    static void StopMonitor();
};

} // namespace lumo
