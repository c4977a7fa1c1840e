#include "DExceptionHandler.h"

#include <cxxabi.h>
#include <execinfo.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace lumo {

namespace {

const int kSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
constexpr int kMaxFrames = 128;

char g_dumpDir[PATH_MAX];
char g_altStack[64 * 1024];
volatile sig_atomic_t g_inHandler = 0;

void writeText(int fd, const char *text)
{
    size_t left = std::strlen(text);
    while (left > 0) {
        ssize_t n = ::write(fd, text, left);
        if (n <= 0)
            return;
        text += n;
        left -= static_cast<size_t>(n);
    }
}

// Async-signal-safe unsigned to decimal.
void writeNumber(int fd, unsigned long value)
{
    char buf[32];
    int i = sizeof buf - 1;
    buf[i] = '\0';
    do {
        buf[--i] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value && i > 0);
    writeText(fd, buf + i);
}

// Makes "name+0x1f" readable after the raw frames are safely on disk. This allocates, which
// is unsafe in a crashed process, so it only runs once the report is complete without it.
void writeDemangled(int fd, void *const *frames, int count)
{
    char **symbols = backtrace_symbols(frames, count);
    if (!symbols)
        return;
    writeText(fd, "\nDemangled:\n");
    for (int i = 0; i < count; ++i) {
        std::string line(symbols[i]);
        const size_t open = line.find('(');
        const size_t plus = line.find('+', open);
        if (open != std::string::npos && plus != std::string::npos && plus > open + 1) {
            const std::string mangled = line.substr(open + 1, plus - open - 1);
            int status = 0;
            char *name = abi::__cxa_demangle(mangled.c_str(), nullptr, nullptr, &status);
            if (status == 0 && name) {
                line = line.substr(0, open + 1) + name + line.substr(plus);
                std::free(name);
            }
        }
        writeText(fd, "#");
        writeNumber(fd, static_cast<unsigned long>(i));
        writeText(fd, " ");
        writeText(fd, line.c_str());
        writeText(fd, "\n");
    }
    std::free(symbols);
}

void onFatalSignal(int sig, siginfo_t *info, void *)
{
    if (g_inHandler) {
        signal(sig, SIG_DFL);
        raise(sig);
        return;
    }
    g_inHandler = 1;

    char path[PATH_MAX + 64];
    path[0] = '\0';
    // Build "<dir>/crash-<time>-<pid>.txt" without stdio.
    char name[96];
    {
        char digits[32];
        int n = 0;
        auto append = [&](const char *s) {
            while (*s && n < static_cast<int>(sizeof name) - 1)
                name[n++] = *s++;
        };
        auto appendNumber = [&](unsigned long v) {
            int i = sizeof digits - 1;
            digits[i] = '\0';
            do {
                digits[--i] = static_cast<char>('0' + v % 10);
                v /= 10;
            } while (v && i > 0);
            append(digits + i);
        };
        append("/crash-");
        appendNumber(static_cast<unsigned long>(time(nullptr)));
        append("-");
        appendNumber(static_cast<unsigned long>(getpid()));
        append(".txt");
        name[n] = '\0';
    }
    std::strncpy(path, g_dumpDir, PATH_MAX);
    std::strncat(path, name, sizeof path - std::strlen(path) - 1);

    int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        writeText(fd, "Crash report\nsignal: ");
        writeNumber(fd, static_cast<unsigned long>(sig));
        writeText(fd, " (");
        writeText(fd, sig == SIGSEGV ? "SIGSEGV"
                      : sig == SIGBUS ? "SIGBUS"
                      : sig == SIGILL ? "SIGILL"
                      : sig == SIGFPE ? "SIGFPE"
                                      : "SIGABRT");
        writeText(fd, ")\npid: ");
        writeNumber(fd, static_cast<unsigned long>(getpid()));
        writeText(fd, "\naddress: ");
        writeNumber(fd, reinterpret_cast<unsigned long>(info ? info->si_addr : nullptr));
        writeText(fd, "\n\nBacktrace:\n");
        void *frames[kMaxFrames];
        const int count = backtrace(frames, kMaxFrames);
        backtrace_symbols_fd(frames, count, fd);
        fsync(fd);
        writeDemangled(fd, frames, count);
        ::close(fd);
    }

    // Let the signal end the process with its own status.
    signal(sig, SIG_DFL);
    raise(sig);
}

} // namespace

bool DExceptionHandler::StartMonitor(const char *dumpDir)
{
    if (!dumpDir || !*dumpDir)
        return false;
    std::string dir(dumpDir);
    if (dir[0] != '/') {
        char cwd[PATH_MAX];
        if (!getcwd(cwd, sizeof cwd))
            return false;
        dir = std::string(cwd) + "/" + dir;
    }
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (dir.size() >= sizeof g_dumpDir)
        return false;
    ::mkdir(dir.c_str(), 0755);
    std::strcpy(g_dumpDir, dir.c_str());

    // Load the unwinder now: backtrace() would otherwise dlopen it inside the handler.
    void *warm[1];
    backtrace(warm, 1);

    stack_t stack {};
    stack.ss_sp = g_altStack;
    stack.ss_size = sizeof g_altStack;
    sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    bool ok = true;
    for (int sig : kSignals)
        ok = sigaction(sig, &action, nullptr) == 0 && ok;
    return ok;
}

void DExceptionHandler::StopMonitor()
{
    for (int sig : kSignals)
        signal(sig, SIG_DFL);
}

} // namespace lumo
