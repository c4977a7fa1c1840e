#pragma once

#include "korvelweb_global.h"

#include "lumo/DMessageQueue.h"

#include <QJsonObject>

#include <atomic>

namespace Web {

class CWebBaseMsg;
class IWebViewManager;

// Takes the page calls of one web view off the GUI thread. Each call is handled on the
// queue's single worker thread, strictly in push order: what it carries is stored in the
// business library's stores, the calls that ask for data are answered through the
// notification builders, and the others become typed messages handed to the view manager
// (ownership passes with them; with no view manager they are deleted).
//
// Threads: pushWebMsg from any thread; processMsg and the storing operations on the worker
// thread. setViewManager is called by the owning view while no call is in progress (after
// construction, and with null before it deletes the queue).
class KORVELWEB_EXPORT CWebMessageQueue : public lumo::DMessageQueue
{
public:
    CWebMessageQueue();
    ~CWebMessageQueue() override;

    CWebMessageQueue(const CWebMessageQueue &) = delete;
    CWebMessageQueue &operator=(const CWebMessageQueue &) = delete;

    void setViewManager(IWebViewManager *viewManager);
    // Queues one page call (an object with "method" and "params"); starts the worker on
    // first use.
    void pushWebMsg(const QJsonObject &call);

    void processMsg(lumo::DMessage *msg) override;

    // The storing operations of processMsg. Each takes the call's params and removes the keys
    // that it consumes, where the page protocol says so.
    void saveUserInfo(QJsonObject &params);
    void saveMenuInfo(QJsonObject &params);
    void saveNoPossessBtnList(QJsonObject &params);
    void saveFunctionConfig(QJsonObject &params);
    void saveLocalConfig(QJsonObject &params);
    void saveLoginUserInfo(QJsonObject &params);
    void clearUserInfo();

private:
    CWebBaseMsg *handleCall(const QString &method, const QJsonValue &paramsValue);
    void openUrl(const QString &url);
    void saveEnvInfo(const QJsonObject &envInfo);

    std::atomic<IWebViewManager *> m_pViewManager {nullptr};
    std::atomic<bool> m_bStarted {false};
};

} // namespace Web
