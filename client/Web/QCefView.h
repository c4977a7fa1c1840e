#pragma once

#include "CWebViewBaseImp.h"

namespace ZoCef {
class ZoCefWebView;
}

namespace Web {

// The browser widget on the web-view library: owns one ZoCef::ZoCefWebView that fills it and
// wires it to the web view base. Reloads a page that failed to load after a delay, builds a
// new library widget when the render process dies, records the browser's cache folder in the
// user registry and rounds its two lower corners.
//
// The library context (CWebViewBase::initCefContext) must exist before the first QCefView
// and outlive the last one. GUI thread only; rpcCallFunc may be called on any thread.
class QCefView : public CWebViewBaseImp
{
    Q_OBJECT

public:
    static constexpr int kReloadDelayMs = 10000;

    explicit QCefView(const QString &name, QWidget *parent = nullptr);
    ~QCefView() override;

    void setUrl(const QString &url) override;
    void setHtml(const QString &html) override;
    void sendMsgToWeb(const QString &text) override;
    void setBackgroundColor(const QColor &color) override;

    // The library widget in use; a new one replaces it when the render process dies.
    ZoCef::ZoCefWebView *cefWebView() const { return m_pCefWebView; }

    // Registered with the library widget; context is the QCefView.
    static void rpcCallFunc(const QString &text, void *context);

    // The pages' language tag for the configured language: "en" for "en", "zh-CN" otherwise.
    static QString webLanguageTag(const QString &language);
    // The cache path cut before the last occurrence of the program name, native separators.
    static QString cacheFolder(const QString &cachePath, const QString &program);

    // Delay between a failed load and its reload, process-wide. Tests shorten it; the client
    // never changes it from kReloadDelayMs.
    static void setReloadDelay(int ms);
    static int reloadDelay();

public slots:
    void OnRPCCall(QString strParam);
    void onLoadStarted();
    void onLoadFinished(bool ok);
    void OnConsoleMessage(int level, const QString &strMessage, int lineNumber,
                          const QString &strSource);
    void OnWebTerminated(int status);
    void OnLoadingProgressChange(double progress);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void createWebView();
    void applyWebLanguage();
    void saveCachePath();

    ZoCef::ZoCefWebView *m_pCefWebView = nullptr; // child, owned
};

} // namespace Web
