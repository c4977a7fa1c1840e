#pragma once

#include "Ostmark/NetworkHelperListener.h"
#include "Web/IWebListener.h"
#include "lumo/DTimerHandler.h"

#include <QJsonObject>
#include <QMainWindow>
#include <QRect>

class CLoginSession;
class CUpdateClient;
class QMaskWidget;
class QPublicMsgDlg;
class QScreen;
class QTimer;
class StartLoadWidget;

namespace Web {
class CWebViewBase;
}

// The client's only top-level window: the main web view "Main" under the toolbar, the
// notices over it, the first-use guide flow, the login session services and the exit
// sequence that gives the page time to say goodbye. GUI thread only; OnTimer() comes from the
// base library's timer thread and is carried over.
class TarnRetailClient : public QMainWindow,
                         public Common::NetworkHelperListener,
                         public lumo::DTimerHandler,
                         public Web::IWebListener
{
    Q_OBJECT

public:
    static constexpr int ExitDelayMs = 1500;

    explicit TarnRetailClient(QWidget *parent = nullptr);
    ~TarnRetailClient() override;

    // The size of the window on a screen of the given size.
    static QSize initialSize(const QSize &screen);

    void onRPCCall(Web::CWebBaseMsg *msg) override;
    void onNetworkRequestError(Common::NetworkError error, const QString &text,
                               const QString &name) override;
    void OnTimer(unsigned int timerId) override;

    Web::CWebViewBase *mainWebView() const { return m_pMainWebView; }
    CLoginSession *loginSession() const { return m_pLoginSession; }

public slots:
    void onBrowseLoadProgressChanged(int progress);
    void onBrowseLoadFinised(bool ok);
    void onFullScreen(bool bFullScreen);
    void onMinSize();
    void onClose();
    void onCloseApp();
    void onCloseClientTimeout();
    void onShowPublicMsgDialog(const QJsonObject &obj);
    void onPublicMsgDlgClose();
    void onShowAboutGuide();
    void onShowMaskWidget(bool bShow);

protected:
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    enum class ExitTimer { Qt, BaseLibrary };

    void buildLayout();
    // The rounded outline (radius 5): depends on the size only, so it is made on resize.
    void updateShape();
    void placeInitialGeometry();
    void applyStyleSheet();
    void removeStartLoad();
    void sendGuideMessage(const QString &method);
    void runExitSequence(ExitTimer timer);
    void finalQuit();
    bool confirmExit();
    void centreStartLoad();
    void onLoginCompleted();

    QWidget *m_pWebWidget = nullptr;
    Web::CWebViewBase *m_pMainWebView = nullptr;
    CUpdateClient *m_pUpdateClient = nullptr;
    StartLoadWidget *m_pStartLoadWidget = nullptr;
    bool m_bMainPageLoaded = false;
    QPublicMsgDlg *m_pPublicMsgDlg = nullptr;
    QMaskWidget *m_pMaskWidget = nullptr;
    bool m_bNoticeShowing = false;
    bool m_bGuideRequested = false;
    int m_nGuideMsgId = 0;
    QTimer *m_pCloseTimer = nullptr; // no parent: deleted by the destructor
    unsigned int m_nCloseTimerId = 0;
    bool m_bClosing = false;
    QScreen *m_pPrimaryScreen = nullptr;
    QScreen *m_pLastScreen = nullptr;
    QRect m_rectRemembered;
    CLoginSession *m_pLoginSession = nullptr;
};
