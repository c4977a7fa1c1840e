#pragma once

#include "lumo_global.h"

#include <cstdarg>
#include <memory>
#include <string>

namespace spdlog {
class logger;
}

namespace lumo {

// The process log. One line per record: time, level, thread id, source file, line,
// function and text. The text is formatted once, in the calling thread, and handed to the
// sinks as it is; safe from any thread.
//
// Levels: 6 marks errors (received data that does not parse, network failures), 5 warnings,
// 4 the flow of messages and decisions, 3 and below details.
// Until a sink is set, records of level 5 and above go to standard error and the rest
// nowhere.
class LUMO_EXPORT DPrintLog
{
public:
    static DPrintLog *instance();

    // A rotating file; a relative path is taken from the current directory and its
    // folder is created.
    bool SetFile(const char *filePath);
    bool SetStderr(bool on);
    bool SetSyslog(bool on);

    void Log(const char *file, int line, const char *function, const char *tag, int level,
             const char *format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 7, 8)))
#endif
        ;
    void LogV(const char *file, int line, const char *function, const char *tag, int level,
              const char *format, va_list args);

    // Writes out what the sinks hold.
    void Flush();

    // "Class::method" out of a compiler's pretty function name.
    static std::string shortFunctionName(const char *prettyFunction);

    DPrintLog(const DPrintLog &) = delete;
    DPrintLog &operator=(const DPrintLog &) = delete;

private:
    DPrintLog();
    ~DPrintLog();
    void rebuildLogger();

    struct Sinks;
    std::unique_ptr<Sinks> m_sinks;
};

} // namespace lumo

#if defined(__GNUC__)
#  define LUMO_FUNCTION __PRETTY_FUNCTION__
#else
#  define LUMO_FUNCTION __FUNCSIG__
#endif

// Logs with the caller's file, line and "Class::method"; the function name is worked out
// once per call site.
#define LUMO_LOG(level, ...)                                                                     \
    do {                                                                                         \
        static const std::string lumoFunction_ =                                                 \
            ::lumo::DPrintLog::shortFunctionName(LUMO_FUNCTION);                                 \
        ::lumo::DPrintLog::instance()->Log(__FILE__, __LINE__, lumoFunction_.c_str(), "",        \
                                           (level), __VA_ARGS__);                                \
    } while (false)
