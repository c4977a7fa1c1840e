#include "CWebViewBase.h"

#include "CWebMessageQueue.h"
#include "CWebViewBaseImp.h"
#include "IWebListener.h"
#include "QCefView.h"
#include "SecretMask.h"

#include "Ostmark/CConfig.h"
#include "Ostmark/CLocalConfig.h"
#include "Ostmark/MessageBus.h"
#include "ZoCefView/ZoCefContext.h"
#include "ZoGui/ZoMessageNotify.h"
#include "lumo/DPrintLog.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QThread>

#include <vector>

namespace Web {

CWebViewBase::CWebViewBase(const QString &name, QWidget *parent)
    : QWidget(parent)
    , m_strName(name)
{
    init(new QCefView(name, this));
}

CWebViewBase::CWebViewBase(const QString &name, CWebViewBaseImp *webView, QWidget *parent)
    : QWidget(parent)
    , m_strName(name)
{
    webView->setParent(this);
    init(webView);
}

void CWebViewBase::init(CWebViewBaseImp *webView)
{
    m_pMsgQueue = std::make_unique<CWebMessageQueue>();
    m_pMsgQueue->setViewManager(this);

    m_pWebView = webView;
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pWebView);

    connect(this, &CWebViewBase::sgnRPCNotify, this, &CWebViewBase::onRPCNotify);
    connect(this, qOverload<CWebBaseMsg *>(&CWebViewBase::sgnRPCCall), this,
            qOverload<CWebBaseMsg *>(&CWebViewBase::onRPCCall));
    connect(m_pWebView, &CWebViewBaseImp::sgnRPCCall, this,
            qOverload<const QString &>(&CWebViewBase::onRPCCall));
    connect(m_pWebView, &CWebViewBaseImp::sgnLoadSuccess, this, &CWebViewBase::sgnLoadSuccess);
    connect(m_pWebView, &CWebViewBaseImp::loadProgress, this, &CWebViewBase::loadProgress);

    // Last, so that a notification from another thread finds the connections in place.
    MessageBus::instance()->initRPCNotifyBus(this, m_strName);
    MessageBus::instance()->initModuleNotifyBus(this, m_strName);
}

CWebViewBase::~CWebViewBase()
{
    // Off the buses first: once removeHost has returned no bus call into this view runs.
    MessageBus::instance()->removeHost(this);
    delete m_pWebView;
    m_pWebView = nullptr;
    m_pMsgQueue->setViewManager(nullptr);
    m_pMsgQueue.reset(); // joins the worker: nothing more is sent to this view

    // Typed messages still in the queued signal die with this object's posted events.
    std::lock_guard<std::mutex> lock(m_pendingMutex);
    qDeleteAll(m_setPendingMsg);
    m_setPendingMsg.clear();
}

void CWebViewBase::setUrl(const QString &url)
{
    m_pWebView->setUrl(url);
}

void CWebViewBase::setHtml(const QString &html)
{
    m_pWebView->setHtml(html);
}

void CWebViewBase::setBackgroundColor(const QColor &color)
{
    m_pWebView->setBackgroundColor(color);
}

void CWebViewBase::initCefContext(int language, int skinType, bool clearCache)
{
    using ZoCef::ZoCefContext;
    ZoCefContext::setLanguage(language);
    ZoCefContext::setSkinType(skinType);
    ZoCefContext::setClearCache(clearCache);
    ZoCefContext::setWebDebug(ConfigInfo::CConfig::instance()->getWebDebug());
    ZoCefContext::setLogFlag(ConfigInfo::CLocalConfig::instance()->getLogFlag());

    // The library copies the texts; these copies live until it has returned.
    const QStringList arguments = QCoreApplication::arguments();
    std::vector<QByteArray> texts;
    texts.reserve(size_t(arguments.size()));
    std::vector<char *> argv;
    for (const QString &argument : arguments) {
        texts.push_back(argument.toUtf8());
        argv.push_back(texts.back().data());
    }
    argv.push_back(nullptr);
    ZoCefContext::createInstance(int(arguments.size()), argv.data());
}

void CWebViewBase::destroyCefContext()
{
    ZoCef::ZoCefContext::destroyInstance();
}

void CWebViewBase::registerListener(const QString &method, IWebListener *listener)
{
    Q_ASSERT(thread() == QThread::currentThread());
    if (!listener) {
        LUMO_LOG(6, "null listener for [%s] ignored", qPrintable(method));
        return;
    }
    // A method's first entry brings the global listeners along, so that they keep receiving
    // it once it has a listener of its own.
    if (!m_mapListener.contains(method)) {
        for (IWebListener *global : qAsConst(m_listGlobalListener))
            m_mapListener.insert(method, global);
    }
    m_mapListener.insert(method, listener);
}

void CWebViewBase::registerGlobalListener(IWebListener *listener)
{
    Q_ASSERT(thread() == QThread::currentThread());
    if (!listener) {
        LUMO_LOG(6, "null global listener ignored");
        return;
    }
    m_listGlobalListener.append(listener);
    const QList<QString> methods = m_mapListener.uniqueKeys();
    for (const QString &method : methods)
        registerListener(method, listener);
}

void CWebViewBase::unregisterListener(IWebListener *listener)
{
    Q_ASSERT(thread() == QThread::currentThread());
    m_listGlobalListener.removeAll(listener);
    for (auto it = m_mapListener.begin(); it != m_mapListener.end();) {
        if (it.value() == listener)
            it = m_mapListener.erase(it);
        else
            ++it;
    }
}

void CWebViewBase::unregisterMethod(const QString &method)
{
    Q_ASSERT(thread() == QThread::currentThread());
    m_mapListener.remove(method);
}

void CWebViewBase::sendMsgToManager(CWebBaseMsg *msg)
{
    if (!msg)
        return;
    LUMO_LOG(4, "Send RPCCall signal, method: [%s], param: [%s]", qPrintable(msg->strMethod),
             qPrintable(SecretMask::maskJson(msg->strParam)));
    {
        std::lock_guard<std::mutex> lock(m_pendingMutex);
        m_setPendingMsg.insert(msg);
    }
    emit sgnRPCCall(msg);
}

void CWebViewBase::notifyWeb(const QString &text)
{
    emit sgnRPCNotify(text);
}

bool CWebViewBase::onRPCBusNotify(QString text)
{
    notifyWeb(text);
    return true;
}

bool CWebViewBase::onModuleBusNotify(QString text)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError) {
        LUMO_LOG(6, "Json error[%s]", qPrintable(error.errorString()));
        return false;
    }
    if (!document.isObject()) {
        LUMO_LOG(6, "Json format error[%s]", qPrintable(text));
        return false;
    }
    const QJsonObject object = document.object();
    const QString method = object.value(QLatin1String("method")).toString();
    if (method == QLatin1String("alarmCloseSound") || method == QLatin1String("MessageRead"))
        m_pMsgQueue->pushWebMsg(object);
    return true;
}

void CWebViewBase::onRPCCall(const QString &param)
{
    Q_ASSERT(thread() == QThread::currentThread());
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(param.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        ZoGUI::ZoMessageNotify::instance()->AddTextNotification(tr("Json error:")
                                                                + error.errorString());
        LUMO_LOG(6, "Json error[%s]", qPrintable(SecretMask::maskJson(param)));
        return;
    }
    const QJsonObject call = document.object();
    if (!call.contains(QLatin1String("method")) || !call.contains(QLatin1String("params"))) {
        ZoGUI::ZoMessageNotify::instance()->AddTextNotification(
            tr("Json error: context is not format"));
        LUMO_LOG(6, "Json error[%s]", qPrintable(SecretMask::maskJson(param)));
        return;
    }
    m_pMsgQueue->pushWebMsg(call);
}

void CWebViewBase::onRPCNotify(const QString text)
{
    Q_ASSERT(thread() == QThread::currentThread());
    m_pWebView->sendMsgToWeb(text);
}

void CWebViewBase::onRPCCall(CWebBaseMsg *msg)
{
    Q_ASSERT(thread() == QThread::currentThread());
    if (!msg)
        return;
    std::unique_ptr<CWebBaseMsg> owned(msg);
    {
        std::lock_guard<std::mutex> lock(m_pendingMutex);
        m_setPendingMsg.remove(msg);
    }
    LUMO_LOG(4, "Receive RPCCall msg, method: [%s], param: [%s]", qPrintable(msg->strMethod),
             qPrintable(SecretMask::maskJson(msg->strParam)));

    const QString method = msg->strMethod;
    const bool global = !m_mapListener.contains(method);
    const QList<IWebListener *> listeners
        = global ? m_listGlobalListener : m_mapListener.values(method);
    // A listener may unregister itself or others, or delete the view, while it runs: each
    // one is called only while it is still registered for the message.
    const QPointer<CWebViewBase> self(this);
    for (IWebListener *listener : listeners) {
        if (!self)
            break;
        if (isStillRegistered(listener, method, global))
            listener->onRPCCall(msg);
    }
}

bool CWebViewBase::isStillRegistered(IWebListener *listener, const QString &method,
                                     bool global) const
{
    return global ? m_listGlobalListener.contains(listener)
                  : m_mapListener.contains(method, listener);
}

} // namespace Web
