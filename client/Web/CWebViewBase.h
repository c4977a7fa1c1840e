#pragma once

#include "CWebBaseMsg.h"
#include "IWebViewManager.h"

#include "Ostmark/IWebNotifyBusHost.h"

#include <QList>
#include <QMultiMap>
#include <QSet>
#include <QString>
#include <QWidget>

#include <memory>
#include <mutex>

class QColor;

namespace Web {

class CWebMessageQueue;
class CWebViewBaseImp;
class IWebListener;

// One web page of the client with everything that connects it to native code: a browser
// widget that fills the view, a web message queue of its own, the listeners of the page's
// calls and the registration under the view's name with the two notify buses.
//
// Page calls are checked here and handed to the queue; the typed messages the queue makes
// come back through the queued signal sgnRPCCall and are dispatched to the listeners of
// their method (most recent registration first), or to the global listeners when the method
// has none, and deleted afterwards. The view does not own its listeners: they unregister or
// outlive it.
//
// GUI thread: construction, destruction, registration, dispatch and delivery to the page.
// sendMsgToManager runs on the queue's worker thread, the bus callbacks on any thread; they
// only emit signals or push into the queue.
class CWebViewBase : public QWidget, public IWebViewManager, public IWebNotifyBusHost
{
    Q_OBJECT

public:
    explicit CWebViewBase(const QString &name, QWidget *parent = nullptr);
    // A view around another browser widget, which it takes over (as a child).
    CWebViewBase(const QString &name, CWebViewBaseImp *webView, QWidget *parent = nullptr);
    ~CWebViewBase() override;

    QString name() const { return m_strName; }

    void setUrl(const QString &url);
    void setHtml(const QString &html);
    void setBackgroundColor(const QColor &color);

    // The web-view library's process-wide context: set up once before the first view, torn
    // down after the last one.
    static void initCefContext(int language, int skinType, bool clearCache);
    static void destroyCefContext();

    void registerListener(const QString &method, IWebListener *listener) override;
    void registerGlobalListener(IWebListener *listener) override;
    void unregisterListener(IWebListener *listener) override;
    void unregisterMethod(const QString &method) override;
    void sendMsgToManager(CWebBaseMsg *msg) override;
    void notifyWeb(const QString &text) override;

    bool onRPCBusNotify(QString text) override;
    bool onModuleBusNotify(QString text) override;

signals:
    void sgnRPCNotify(const QString text);
    void sgnRPCCall(CWebBaseMsg *msg);
    void sgnLoadSuccess(bool success);
    void loadProgress(int progress);

public slots:
    void onRPCCall(const QString &param);
    void onRPCNotify(const QString text);
    void onRPCCall(CWebBaseMsg *msg);

private:
    void init(CWebViewBaseImp *webView);
    bool isStillRegistered(IWebListener *listener, const QString &method, bool global) const;

    std::unique_ptr<CWebMessageQueue> m_pMsgQueue;
    QMultiMap<QString, IWebListener *> m_mapListener;
    QList<IWebListener *> m_listGlobalListener;
    QString m_strName;
    CWebViewBaseImp *m_pWebView = nullptr; // child, owned

    // Typed messages emitted towards the GUI thread and not yet dispatched: the view deletes
    // those still travelling when it goes.
    std::mutex m_pendingMutex;
    QSet<CWebBaseMsg *> m_setPendingMsg;
};

} // namespace Web
