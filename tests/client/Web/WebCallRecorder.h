#pragma once

#include "RecordingBusHost.h"

#include "Web/CWebBaseMsg.h"
#include "Web/FullScreenMsg.h"
#include "Web/IWebViewManager.h"
#include "Web/LoginSuccessMsg.h"
#include "Web/MenuMsg.h"

#include "Ostmark/CBaseInfo.h"

#include <QJsonObject>
#include <QList>

// What reached the page ("notify") or the view's listeners ("msg"), in one sequence, with the
// number of menus the store held at that moment.
struct WebCallEvent
{
    QString kind;
    QJsonObject notify;
    QString className;
    QString method;
    QString param;
    QString extra; // MenuMsg: path; FullScreenMsg: "true"/"false"; LoginSuccessMsg: name|path
    int menusStored = 0;
};

// The page side and the view side of a web message queue: the bus host registered as "Main"
// and a view manager that takes each typed message as a view would (and deletes it).
class WebCallRecorder : public RecordingBusHost, public Web::IWebViewManager
{
public:
    void registerListener(const QString &, Web::IWebListener *) override { }
    void registerGlobalListener(Web::IWebListener *) override { }
    void unregisterListener(Web::IWebListener *) override { }
    void unregisterMethod(const QString &) override { }
    void notifyWeb(const QString &) override { }

    void sendMsgToManager(Web::CWebBaseMsg *msg) override
    {
        WebCallEvent event;
        event.kind = QStringLiteral("msg");
        event.method = msg->strMethod;
        event.param = msg->strParam;
        event.className = QStringLiteral("CWebBaseMsg");
        if (auto *menu = dynamic_cast<Web::MenuMsg *>(msg)) {
            event.className = QStringLiteral("MenuMsg");
            event.extra = menu->strMenuPath;
        } else if (auto *fullScreen = dynamic_cast<Web::FullScreenMsg *>(msg)) {
            event.className = QStringLiteral("FullScreenMsg");
            event.extra
                = fullScreen->bFullScreen ? QStringLiteral("true") : QStringLiteral("false");
        } else if (auto *login = dynamic_cast<Web::LoginSuccessMsg *>(msg)) {
            event.className = QStringLiteral("LoginSuccessMsg");
            event.extra = login->strLogoName + QLatin1Char('|') + login->strLogoImagePath;
        }
        delete msg;
        std::lock_guard<std::mutex> lock(m_mutex);
        add(event);
    }

    QList<WebCallEvent> events() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_events;
    }
    void clearEvents()
    {
        clear();
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.clear();
    }

protected:
    void received(const QJsonObject &object) override
    {
        WebCallEvent event;
        event.kind = QStringLiteral("notify");
        event.notify = object;
        event.method = object.value(QStringLiteral("method")).toString();
        add(event);
    }

private:
    void add(WebCallEvent &event)
    {
        event.menusStored = ConfigInfo::CBaseInfo::instance()->getAllMenuInfo().size();
        m_events.append(event);
    }

    QList<WebCallEvent> m_events;
};
