#include "DPrintLog.h"

#include <spdlog/logger.h>
#include <spdlog/sinks/stdout_color_sinks.h>
#include <spdlog/sinks/rotating_file_sink.h>
#include <spdlog/sinks/stdout_sinks.h>
#ifndef _WIN32
#  include <spdlog/sinks/syslog_sink.h>
#endif

#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

namespace lumo {

namespace {

constexpr size_t kRotateBytes = 20 * 1024 * 1024;
constexpr size_t kRotateFiles = 5;

spdlog::level::level_enum toSpdLevel(int level)
{
    if (level >= 6)
        return spdlog::level::err;
    if (level == 5)
        return spdlog::level::warn;
    if (level == 4)
        return spdlog::level::info;
    if (level == 3)
        return spdlog::level::debug;
    return spdlog::level::trace;
}

const char *baseName(const char *path)
{
    const char *name = path;
    for (const char *p = path; *p; ++p) {
        if (*p == '/' || *p == '\\')
            name = p + 1;
    }
    return name;
}

} // namespace

struct DPrintLog::Sinks
{
    std::mutex mutex; // guards the sink set; records go through the logger's own locks
    spdlog::sink_ptr file;
    spdlog::sink_ptr err;
    spdlog::sink_ptr syslog;
    spdlog::sink_ptr fallback;
    std::shared_ptr<spdlog::logger> logger;
};

DPrintLog *DPrintLog::instance()
{
    static DPrintLog log;
    return &log;
}

DPrintLog::DPrintLog() : m_sinks(std::make_unique<Sinks>())
{
    m_sinks->fallback = std::make_shared<spdlog::sinks::stderr_sink_mt>();
    m_sinks->fallback->set_level(spdlog::level::warn);
    rebuildLogger();
}

DPrintLog::~DPrintLog()
{
    Flush();
}

void DPrintLog::rebuildLogger()
{
    std::vector<spdlog::sink_ptr> sinks;
    for (const spdlog::sink_ptr &sink : {m_sinks->file, m_sinks->err, m_sinks->syslog}) {
        if (sink)
            sinks.push_back(sink);
    }
    if (sinks.empty())
        sinks.push_back(m_sinks->fallback);
    auto logger = std::make_shared<spdlog::logger>("lumo", sinks.begin(), sinks.end());
    logger->set_level(spdlog::level::trace);
    logger->flush_on(spdlog::level::warn);
    // The source location and function are part of each record's text already.
    logger->set_pattern("%Y-%m-%d %H:%M:%S.%e [%L] [%t] %v");
    std::atomic_store(&m_sinks->logger, logger);
}

bool DPrintLog::SetFile(const char *filePath)
{
    if (!filePath || !*filePath)
        return false;
    try {
        auto sink = std::make_shared<spdlog::sinks::rotating_file_sink_mt>(filePath, kRotateBytes,
                                                                           kRotateFiles);
        std::lock_guard<std::mutex> lock(m_sinks->mutex);
        m_sinks->file = sink;
        rebuildLogger();
        return true;
    } catch (const spdlog::spdlog_ex &e) {
        Log(__FILE__, __LINE__, "DPrintLog::SetFile", "", 6, "cannot open log file %s: %s",
            filePath, e.what());
        return false;
    }
}

bool DPrintLog::SetStderr(bool on)
{
    std::lock_guard<std::mutex> lock(m_sinks->mutex);
    m_sinks->err = on ? std::make_shared<spdlog::sinks::stderr_color_sink_mt>() : nullptr;
    rebuildLogger();
    return true;
}

bool DPrintLog::SetSyslog(bool on)
{
#ifndef _WIN32
    std::lock_guard<std::mutex> lock(m_sinks->mutex);
    m_sinks->syslog =
        on ? std::make_shared<spdlog::sinks::syslog_sink_mt>("Korvel", 0, LOG_USER, true)
           : nullptr;
    rebuildLogger();
    return true;
#else
    (void)on;
    return false;
#endif
}

void DPrintLog::Log(const char *file, int line, const char *function, const char *tag, int level,
                    const char *format, ...)
{
    va_list args;
    va_start(args, format);
    LogV(file, line, function, tag, level, format, args);
    va_end(args);
}

void DPrintLog::LogV(const char *file, int line, const char *function, const char *tag, int level,
                     const char *format, va_list args)
{
    std::shared_ptr<spdlog::logger> logger = std::atomic_load(&m_sinks->logger);
    const spdlog::level::level_enum spdLevel = toSpdLevel(level);
    if (!logger->should_log(spdLevel))
        return;

    // Format the whole record once: location first, then the caller's text.
    char stackBuf[1024];
    int head = std::snprintf(stackBuf, sizeof stackBuf, "%s:%d %s%s%s%s ", baseName(file ? file : "?"),
                             line, function ? function : "", tag && *tag ? " [" : "",
                             tag ? tag : "", tag && *tag ? "]" : "");
    if (head < 0)
        head = 0;
    if (static_cast<size_t>(head) >= sizeof stackBuf)
        head = sizeof stackBuf - 1;

    va_list copy;
    va_copy(copy, args);
    const int body = std::vsnprintf(stackBuf + head, sizeof stackBuf - head, format ? format : "",
                                    copy);
    va_end(copy);
    if (body < 0)
        return;
    // Text of one line: a record's line breaks would split it.
    auto oneLine = [](char *text, size_t len) {
        for (size_t i = 0; i < len; ++i) {
            if (text[i] == '\n' || text[i] == '\r')
                text[i] = ' ';
        }
    };
    if (static_cast<size_t>(head + body) < sizeof stackBuf) {
        oneLine(stackBuf, head + body);
        logger->log(spdLevel, spdlog::string_view_t(stackBuf, head + body));
        return;
    }
    std::string text(stackBuf, head);
    text.resize(head + body + 1);
    std::vsnprintf(&text[head], body + 1, format, args);
    text.resize(head + body);
    oneLine(&text[0], text.size());
    logger->log(spdLevel, spdlog::string_view_t(text));
}

void DPrintLog::Flush()
{
    std::shared_ptr<spdlog::logger> logger = std::atomic_load(&m_sinks->logger);
    if (logger)
        logger->flush();
}

std::string DPrintLog::shortFunctionName(const char *prettyFunction)
{
    if (!prettyFunction)
        return std::string();
    // "virtual void ns::Class::method(int) const" -> "Class::method"
    std::string s(prettyFunction);
    size_t paren = s.find('(');
    // Skip operator() and lambdas' "<lambda()>" forms by looking at the first '(' after a name.
    if (paren == std::string::npos)
        return s;
    size_t start = s.rfind(' ', paren);
    std::string qualified = s.substr(start == std::string::npos ? 0 : start + 1,
                                     paren - (start == std::string::npos ? 0 : start + 1));
    while (!qualified.empty() && (qualified[0] == '*' || qualified[0] == '&'))
        qualified.erase(0, 1);
    size_t last = qualified.rfind("::");
    if (last == std::string::npos)
        return qualified;
    size_t prev = qualified.rfind("::", last == 0 ? 0 : last - 1);
    if (prev == std::string::npos || last == 0)
        return qualified;
    return qualified.substr(prev + 2);
}

} // namespace lumo
