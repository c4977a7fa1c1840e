#pragma once

#include "zocefview_global.h"

#include "render/ZoCefFocusRule.h"

#include <QString>
#include <QWidget>

class QColor;
class QWebChannel;
class QWebEngineView;

namespace ZoCef {

class ZoCefBridgeObject;
class ZoCefPage;

// Receives page call texts; context is the value given with the function.
using RPCCallFunc = void (*)(const QString &text, void *context);

// A widget that shows one browser page with the script bridge in every frame: page script
// calls ClientObject.RPCCall(text), and the text reaches the client; the client's
// SendMsgToWeb(text) reaches the page's RPCNotify(text). Create ZoCefContext first.
// GUI thread only.
class ZOCEFVIEW_EXPORT ZoCefWebView : public QWidget
{
    Q_OBJECT

public:
    explicit ZoCefWebView(QWidget *parent = nullptr);
    ~ZoCefWebView() override;

    // Each page call takes exactly one route: the function when one is set (with its
    // context), the signal sgnRPCCall otherwise. Two nulls unregister the function.
    void SetRPCCallFunc(RPCCallFunc func, void *context);

    // An address ("http://...", "file:///...") or a local file path.
    void SetUrl(const QString &url);
    void SetHtml(const QString &html);
    // Runs RPCNotify(text) in the main frame's page script; the text arrives unchanged.
    void SendMsgToWeb(const QString &text);
    // Runs mainNotify(method, param) in the main frame's page script.
    void SendMainNotifyToWeb(const QString &method, const QString &param);
    // Reloads the current page.
    bool Reflush();
    void SetFontFamily(const QString &family);
    // Plug-ins on or off; the language tag ("zh-CN", "en") becomes the pages'
    // accept-language (shared by every view of the process).
    void SetPluginsEnabled(bool enabled, QString language);
    void SetBackgroundColor(const QColor &color);
    QString GetCachePath() const;
    // The process id of the page's render process; 0 while there is none.
    qint64 renderProcessPid() const;

signals:
    void sgnRPCCall(QString text);
    void sgnMainCall(QString method, QString param);
    // Keyboard focus moved between an editable and a non-editable element of the page.
    void sgnFocusedNodeChanged(bool editable);
    void sgnLoadFinished(bool ok);
    // The render process ended abnormally; status is a QWebEnginePage termination status.
    // The page stays empty until a new address is loaded.
    void sgnWebTerminated(int status);
    // level: 0 information, 1 warning, 2 error.
    void sgnConsoleMessage(int level, const QString &message, int lineNumber,
                           const QString &source);
    void sgnLoadingProgressChange(double progress);

private:
    friend class ZoCefBridgeObject;
    void deliverRPCCall(const QString &text);
    void deliverMainCall(const QString &method, const QString &param);
    void deliverFocusChange(bool editable);
    void onRenderProcessTerminated(int status, int exitCode);
    void onConsoleMessage(int level, const QString &message, int lineNumber, const QString &source);

    QWebEngineView *m_pView = nullptr;
    ZoCefPage *m_pPage = nullptr; // child of m_pView
    QWebChannel *m_pChannel = nullptr;
    ZoCefBridgeObject *m_pBridge = nullptr;
    RPCCallFunc m_pRPCCallFunc = nullptr;
    void *m_pRPCCallContext = nullptr;
    bool m_bLog = false;
    ZoCefRender::ZoCefFocusRule m_focusRule;
};

} // namespace ZoCef
