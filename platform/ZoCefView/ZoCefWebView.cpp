#include "ZoCefWebView.h"

#include "ZoCefBridgeObject.h"
#include "ZoCefContext.h"
#include "ZoCefPage.h"
#include "ZoCefPageScripts.h"

#include "lumo/DPrintLog.h"
#include "render/ZoCefBridge.h"

#include <QColor>
#include <QDir>
#include <QHBoxLayout>
#include <QThread>
#include <QUrl>
#include <QWebChannel>
#include <QWebEngineProfile>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace ZoCef {

using ZoCefRender::ZoCefBridge;

ZoCefWebView::ZoCefWebView(QWidget *parent)
    : QWidget(parent)
{
    const ZoCefContext *context = ZoCefContext::instance();
    if (!context)
        LUMO_LOG(6, "web view made before the browser context; default profile settings");
    m_bLog = context && context->logFlag();

    m_pView = new QWebEngineView(this);
    m_pPage = new ZoCefPage(QWebEngineProfile::defaultProfile(), m_pView);
    m_pPage->scripts().insert(ZoCefPageScripts::scripts());

    m_pBridge = new ZoCefBridgeObject(this);
    m_pChannel = new QWebChannel(this);
    m_pChannel->registerObject(QStringLiteral("ZoCefBridge"), m_pBridge);
    // Page script lives in the main world; the channel is reachable from the application
    // world only, where the channel bridge script carries the page's calls to it.
    m_pPage->setWebChannel(m_pChannel, QWebEngineScript::ApplicationWorld);
    m_pView->setPage(m_pPage);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pView);

    connect(m_pPage, &QWebEnginePage::loadFinished, this, &ZoCefWebView::sgnLoadFinished);
    connect(m_pPage, &QWebEnginePage::loadProgress, this,
            [this](int percent) { emit sgnLoadingProgressChange(percent / 100.0); });
    connect(m_pPage, &QWebEnginePage::renderProcessTerminated, this,
            &ZoCefWebView::onRenderProcessTerminated);
    connect(m_pPage, &ZoCefPage::consoleMessage, this, &ZoCefWebView::onConsoleMessage);
}

ZoCefWebView::~ZoCefWebView()
{
    m_pRPCCallFunc = nullptr;
    m_pRPCCallContext = nullptr;
    // The page goes with its view, before the channel it uses.
    delete m_pView;
    m_pView = nullptr;
    m_pPage = nullptr;
}

void ZoCefWebView::SetRPCCallFunc(RPCCallFunc func, void *context)
{
    Q_ASSERT(thread() == QThread::currentThread());
    m_pRPCCallFunc = func;
    m_pRPCCallContext = func ? context : nullptr;
}

void ZoCefWebView::SetUrl(const QString &url)
{
    m_pPage->load(QUrl::fromUserInput(url, QDir::currentPath(), QUrl::AssumeLocalFile));
}

void ZoCefWebView::SetHtml(const QString &html)
{
    m_pPage->setHtml(html);
}

void ZoCefWebView::SendMsgToWeb(const QString &text)
{
    Q_ASSERT(thread() == QThread::currentThread());
    m_pPage->runJavaScript(
        ZoCefPageScripts::callText(QString::fromLatin1(ZoCefBridge::kRPCNotify), {text}),
        QWebEngineScript::MainWorld);
}

void ZoCefWebView::SendMainNotifyToWeb(const QString &method, const QString &param)
{
    Q_ASSERT(thread() == QThread::currentThread());
    m_pPage->runJavaScript(
        ZoCefPageScripts::callText(QString::fromLatin1(ZoCefBridge::kMainNotify), {method, param}),
        QWebEngineScript::MainWorld);
}

bool ZoCefWebView::Reflush()
{
    m_pPage->triggerAction(QWebEnginePage::Reload);
    return true;
}

void ZoCefWebView::SetFontFamily(const QString &family)
{
    QWebEngineSettings *settings = m_pPage->settings();
    settings->setFontFamily(QWebEngineSettings::StandardFont, family);
    settings->setFontFamily(QWebEngineSettings::SansSerifFont, family);
}

void ZoCefWebView::SetPluginsEnabled(bool enabled, QString language)
{
    m_pPage->settings()->setAttribute(QWebEngineSettings::PluginsEnabled, enabled);
    if (!language.isEmpty())
        m_pPage->profile()->setHttpAcceptLanguage(language);
}

void ZoCefWebView::SetBackgroundColor(const QColor &color)
{
    m_pPage->setBackgroundColor(color);
}

QString ZoCefWebView::GetCachePath() const
{
    return m_pPage->profile()->cachePath();
}

qint64 ZoCefWebView::renderProcessPid() const
{
    return m_pPage->renderProcessPid();
}

void ZoCefWebView::deliverRPCCall(const QString &text)
{
    if (m_bLog)
        LUMO_LOG(3, "RPCCall of %d characters", int(text.size())); // the client logs the content
    if (m_pRPCCallFunc)
        m_pRPCCallFunc(text, m_pRPCCallContext);
    else
        emit sgnRPCCall(text);
}

void ZoCefWebView::deliverMainCall(const QString &method, const QString &param)
{
    if (m_bLog)
        LUMO_LOG(3, "MainCall %s of %d characters", qUtf8Printable(method), int(param.size()));
    emit sgnMainCall(method, param);
}

void ZoCefWebView::deliverFocusChange(bool editable)
{
    if (m_focusRule.update(true, editable))
        emit sgnFocusedNodeChanged(editable);
}

void ZoCefWebView::onRenderProcessTerminated(int status, int exitCode)
{
    if (status == QWebEnginePage::NormalTerminationStatus)
        return;
    LUMO_LOG(6, "render process ended: status %d, exit code %d", status, exitCode);
    emit sgnWebTerminated(status);
}

void ZoCefWebView::onConsoleMessage(int level, const QString &message, int lineNumber,
                                    const QString &source)
{
    if (m_bLog)
        LUMO_LOG(3, "console %d: %s (%s:%d)", level, qUtf8Printable(message),
                 qUtf8Printable(source), lineNumber);
    emit sgnConsoleMessage(level, message, lineNumber, source);
}

} // namespace ZoCef
