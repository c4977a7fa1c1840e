#pragma once

#include <httplib.h>

#include <QString>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

// A cpp-httplib server on a free loopback port, run on a thread of its own for one test
// program. Tests add their handlers, then start it. "Held" handlers block until release()
// (or 20 s), so a test can keep a request open without sleeping.
class HttpTestServer
{
public:
    HttpTestServer()
        : m_server(std::make_unique<httplib::Server>())
    { }
    HttpTestServer(const char *certFile, const char *keyFile)
        : m_server(std::make_unique<httplib::SSLServer>(certFile, keyFile))
    { }
    ~HttpTestServer() { stop(); }

    httplib::Server &server() { return *m_server; }

    bool start()
    {
        // One request per connection: an idle kept-alive connection would hold a server
        // thread, and so the test's end, for the keep-alive time.
        m_server->set_keep_alive_max_count(1);
        m_port = m_server->bind_to_any_port("127.0.0.1");
        if (m_port <= 0)
            return false;
        m_thread = std::thread([this] { m_server->listen_after_bind(); });
        // The socket listens from bind on; early connections wait in its backlog.
        return true;
    }

    void stop()
    {
        release();
        if (m_thread.joinable()) {
            m_server->stop();
            m_thread.join();
        }
    }

    QString url(const char *path, const char *scheme = "http") const
    {
        return QStringLiteral("%1://127.0.0.1:%2%3")
            .arg(QLatin1String(scheme))
            .arg(m_port)
            .arg(QLatin1String(path));
    }

    // Blocks the calling handler until release().
    void hold()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        const int generation = m_generation;
        m_cv.wait_for(lock, std::chrono::seconds(20), [&] { return m_generation != generation; });
    }

    void release()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_generation;
        m_gateOpen = true;
        m_cv.notify_all();
    }

    // A gate stays open once opened, until closed again: a handler waiting at it goes on
    // whether the test opened it before or after the handler arrived.
    void closeGate()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_gateOpen = false;
    }
    void openGate()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_gateOpen = true;
        m_cv.notify_all();
    }
    void waitAtGate()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_cv.wait_for(lock, std::chrono::seconds(20), [&] { return m_gateOpen; });
    }

private:
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    int m_generation = 0;
    bool m_gateOpen = true;
};
