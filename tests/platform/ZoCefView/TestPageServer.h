#pragma once

#include <httplib.h>

#include <QString>

#include <map>
#include <string>
#include <thread>

// Serves fixed pages on a free loopback port, on a thread of its own, so that pages and
// frames share one http origin.
class TestPageServer
{
public:
    explicit TestPageServer(std::map<std::string, std::string> pages)
        : m_pages(std::move(pages))
    {
        m_server.Get(R"(/[\w.-]+)",
                     [this](const httplib::Request &request, httplib::Response &response) {
                         const auto it = m_pages.find(request.path.substr(1));
                         if (it == m_pages.end()) {
                             response.status = 404;
                             return;
                         }
                         response.set_content(it->second, "text/html; charset=utf-8");
                     });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
    }

    ~TestPageServer()
    {
        m_server.stop();
        m_thread.join();
    }

    QString url(const QString &page) const
    {
        return QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(page);
    }

private:
    const std::map<std::string, std::string> m_pages;
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};
