#pragma once

#include <QString>

namespace Web {

class CWebBaseMsg;
class IWebListener;

// A web view as the components around it see it. Registration and notifyWeb belong to the
// GUI thread; sendMsgToManager is called by the view's web message queue on its worker
// thread and takes ownership of the message.
class IWebViewManager
{
public:
    virtual void registerListener(const QString &method, IWebListener *listener) = 0;
    virtual void registerGlobalListener(IWebListener *listener) = 0;
    virtual void unregisterListener(IWebListener *listener) = 0;
    virtual void unregisterMethod(const QString &method) = 0;
    virtual void sendMsgToManager(CWebBaseMsg *msg) = 0;
    virtual void notifyWeb(const QString &text) = 0;

protected:
    ~IWebViewManager() = default;
};

} // namespace Web
