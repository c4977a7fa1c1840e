// Starts the crash monitor in the folder given and then crashes in a named function.
#include "lumo/DExceptionHandler.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace crashsite {
__attribute__((noinline)) void korvelCrashingFunction(volatile int *p)
{
    *p = 42;
}
} // namespace crashsite

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    if (!lumo::DExceptionHandler::StartMonitor(argv[1]))
        return 3;
    if (std::strcmp(argv[2], "segv") == 0)
        crashsite::korvelCrashingFunction(nullptr);
    else if (std::strcmp(argv[2], "abort") == 0)
        std::abort();
    return 0;
}
