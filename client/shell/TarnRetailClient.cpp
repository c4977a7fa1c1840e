#include "TarnRetailClient.h"

#include "CLoginSession.h"
#include "CUpdateClient.h"
#include "QMaskWidget.h"
#include "QPublicMsgDlg.h"
#include "StartLoadWidget.h"

#include "Ostmark/AuthCenter.h"
#include "Ostmark/CConfig.h"
#include "Ostmark/CLocalConfig.h"
#include "Ostmark/NetworkHelper.h"
#include "Ostmark/QRCommon.h"
#include "Tamsin/VideoOperationLogManager.h"
#include "Web/CWebBaseMsg.h"
#include "Web/CWebViewBase.h"
#include "Web/WebNotifyBuilder.h"
#include "ZoGui/ZoMessageBox.h"
#include "ZoGui/ZoMessageNotify.h"
#include "lumo/DPrintLog.h"
#include "lumo/DTimerMgr.h"

#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

using ConfigInfo::CConfig;
using ConfigInfo::CLocalConfig;

namespace {

constexpr int kExitConfirmButtons = 9216; // OK and Cancel
constexpr int kExitConfirmed = 1024;      // OK

} // namespace

TarnRetailClient::TarnRetailClient(QWidget *parent) : QMainWindow(parent)
{
    // 1. The form.
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("TarnRetailClientClass"));
    resize(600, 400);
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);
    setWindowTitle(QCoreApplication::translate("TarnRetailClientClass", "TarnRetailClient"));

    Web::CWebViewBase::initCefContext(0, 2, false);                          // 2
    setCursor(Qt::PointingHandCursor);                                       // 3
    setWindowTitle(CConfig::instance()->getLogoInfo().strLogoName);          // 4
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint); // 5
    setAttribute(Qt::WA_QuitOnClose);
    Common::NetworkHelper::instance()->setGlobalDealwithObj(this); // 6
    m_pPrimaryScreen = QGuiApplication::primaryScreen();
    placeInitialGeometry(); // 7

    // 8. The main web view.
    m_pMainWebView = new Web::CWebViewBase(QStringLiteral("Main"), central);
    m_pMainWebView->setBackgroundColor(QColor(255, 255, 255));
    connect(m_pMainWebView, &Web::CWebViewBase::loadProgress, this,
            &TarnRetailClient::onBrowseLoadProgressChanged);
    connect(m_pMainWebView, &Web::CWebViewBase::sgnLoadSuccess, this,
            &TarnRetailClient::onBrowseLoadFinised);
    m_pMainWebView->show();
    m_pMainWebView->setUrl(CLocalConfig::instance()->getLoginUrl());
    for (const char *method : {"showPublicMsgDialog", "ShowUserGuide", "ResponseShowUserGuide",
                               "UserGuideResult", "QuitUserGuide", "NotifyLoginSucc",
                               "NotifyLoginOut", "LoginUserInfo"})
        m_pMainWebView->registerListener(QString::fromLatin1(method), this);

    buildLayout(); // 11

    // 12. The start animation, until the main page has loaded.
    m_pStartLoadWidget = new StartLoadWidget(this);
    centreStartLoad();
    m_pStartLoadWidget->startLoading();

    // 13. Session services.
    m_pLoginSession = new CLoginSession(this);
    connect(m_pLoginSession, &CLoginSession::sgnLoginCompleted, this,
            &TarnRetailClient::onLoginCompleted);

    applyStyleSheet();                     // 14
    m_pUpdateClient = new CUpdateClient(); // 15
    m_pUpdateClient->queryVersion(QString());
    AuthCenter::instance()->initAuthCenter(); // 16
}

TarnRetailClient::~TarnRetailClient()
{
    if (m_nCloseTimerId) // the base-library timer must not reach a window that is gone
        lumo::DTimerMgr::instance()->DestroyTimer(m_nCloseTimerId);
    if (m_pCloseTimer && m_pCloseTimer->isActive())
        m_pCloseTimer->stop();
    Common::NetworkHelper *helper = Common::NetworkHelper::instance();
    if (helper->globalDealwithObj() == this)
        helper->setGlobalDealwithObj(nullptr);
    VideoOperationLogManager::ReleaseInstance();
    delete m_pCloseTimer;
    delete m_pUpdateClient;
    delete m_pMainWebView;
    m_pMainWebView = nullptr;
    Web::CWebViewBase::destroyCefContext();
}

QSize TarnRetailClient::initialSize(const QSize &screen)
{
    if (screen.width() >= 1440 && screen.height() >= 900)
        return QSize(1440, 900);
    if (screen.width() >= 1280 && screen.height() >= 800)
        return QSize(1280, 800);
    return QSize(900, 600);
}

void TarnRetailClient::placeInitialGeometry()
{
    const QRect screen = m_pPrimaryScreen ? m_pPrimaryScreen->geometry() : QRect(0, 0, 1280, 800);
    const QSize size = initialSize(screen.size());
    setMinimumSize(size);
    resize(size);
    move(screen.width() / 2 - size.width() / 2, screen.height() / 2 - size.height() / 2);
}

void TarnRetailClient::buildLayout()
{
    QWidget *central = centralWidget();
    m_pWebWidget = new QWidget(central);
    m_pWebWidget->setObjectName(QStringLiteral("WebWidget"));
    m_pWebWidget->setAutoFillBackground(true);
    auto *webLayout = new QVBoxLayout(m_pWebWidget);
    webLayout->setContentsMargins(2, 2, 2, 2);
    webLayout->addWidget(m_pMainWebView);

    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The toolbar goes above the web container, with stretch 0.
    layout->addWidget(m_pWebWidget, 1);
    central->show();
}

void TarnRetailClient::applyStyleSheet()
{
    QFile file(QDir::currentPath() + QStringLiteral("/Skin/")
               + CLocalConfig::instance()->getSkinPath()
               + QStringLiteral("/TarnRetailClient/QssFile/") + objectName()
               + QStringLiteral(".qss"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray content = file.readAll();
    const int end = content.indexOf('\0');
    setStyleSheet(QString::fromLatin1(end < 0 ? content : content.left(end)));
}

void TarnRetailClient::centreStartLoad()
{
    if (!m_pStartLoadWidget)
        return;
    m_pStartLoadWidget->move(pos()
                             + QPoint((width() - m_pStartLoadWidget->width()) / 2,
                                      (height() - m_pStartLoadWidget->height()) / 2));
}

void TarnRetailClient::onBrowseLoadProgressChanged(int progress)
{
    if (progress == 100)
        removeStartLoad();
}

void TarnRetailClient::onBrowseLoadFinised(bool ok)
{
    if (ok)
        removeStartLoad();
}

void TarnRetailClient::removeStartLoad()
{
    if (m_bMainPageLoaded)
        return;
    m_bMainPageLoaded = true;
    if (m_pStartLoadWidget) {
        m_pStartLoadWidget->stopLoading();
        m_pStartLoadWidget->deleteLater();
        m_pStartLoadWidget = nullptr;
    }
}

void TarnRetailClient::onRPCCall(Web::CWebBaseMsg *msg)
{
    if (!msg)
        return;
    const QString &method = msg->strMethod;
    if (method == QLatin1String("showPublicMsgDialog")) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(msg->strParam.toUtf8(), &error);
        if (error.error != QJsonParseError::NoError || !doc.isObject()) {
            LUMO_LOG(6, "Json error[%s]", msg->strParam.toLocal8Bit().constData());
            return;
        }
        onShowMaskWidget(true);
        onShowPublicMsgDialog(doc.object());
    } else if (method == QLatin1String("ShowUserGuide")) {
        m_bGuideRequested = true;
        if (!m_bNoticeShowing)
            onShowAboutGuide();
    } else if (method == QLatin1String("QuitUserGuide")) {
        // The guide window itself comes with the toolbar; until then there is nothing to hide.
        m_bGuideRequested = false;
    } else if (method == QLatin1String("NotifyLoginSucc")) {
        m_pLoginSession->onLoginSucceeded();
    } else if (method == QLatin1String("LoginUserInfo")) {
        m_pLoginSession->onLoginInfo();
    } else if (method == QLatin1String("NotifyLoginOut")) {
        m_pLoginSession->onLogout();
    }
}

void TarnRetailClient::onLoginCompleted()
{
    m_pUpdateClient->queryVersion(QString());
}

void TarnRetailClient::onNetworkRequestError(Common::NetworkError error, const QString &text,
                                             const QString &name)
{
    Q_UNUSED(text)
    Q_UNUSED(name)
    if (error.iHttpStatusCode != 401)
        return;
    Web::notify401();
    LUMO_LOG(6, "struNetworkError.iHttpStatusCode : 401");
}

void TarnRetailClient::onShowPublicMsgDialog(const QJsonObject &obj)
{
    m_bNoticeShowing = true;
    const QString title = obj.value(QStringLiteral("title")).toString();
    const QString content = obj.value(QStringLiteral("content")).toString();
    if (!m_pPublicMsgDlg) {
        m_pPublicMsgDlg = new QPublicMsgDlg(this);
        m_pPublicMsgDlg->initDialog();
        connect(m_pPublicMsgDlg, &QPublicMsgDlg::sgnPublicMsgDlgClose, this,
                &TarnRetailClient::onPublicMsgDlgClose);
    }
    m_pPublicMsgDlg->setTitle(title);
    m_pPublicMsgDlg->setContent(content);
    m_pPublicMsgDlg->move(mapToGlobal(QPoint(width() / 2 - m_pPublicMsgDlg->width() / 2,
                                             height() / 2 - m_pPublicMsgDlg->height() / 2)));
    m_pPublicMsgDlg->show();
    m_pPublicMsgDlg->raise();
}

void TarnRetailClient::onPublicMsgDlgClose()
{
    if (!m_pMaskWidget)
        m_pMaskWidget = new QMaskWidget(this);
    m_pMaskWidget->hide();
    m_bNoticeShowing = false;
    if (m_bGuideRequested)
        onShowAboutGuide();
}

void TarnRetailClient::onShowMaskWidget(bool bShow)
{
    if (!m_pMaskWidget)
        m_pMaskWidget = new QMaskWidget(this);
    if (bShow) {
        m_pMaskWidget->resize(size());
        m_pMaskWidget->move(pos());
        m_pMaskWidget->show();
    } else {
        m_pMaskWidget->hide();
    }
}

void TarnRetailClient::onShowAboutGuide()
{
    sendGuideMessage(QStringLiteral("ResponseShowUserGuide"));
    // The guide window and the toolbar overlay it needs arrive with the toolbar.
}

void TarnRetailClient::sendGuideMessage(const QString &method)
{
    if (!m_pMainWebView)
        return;
    // The guide messages are numbered by the window, not by the shared builders' counter.
    const QJsonObject envelope = Web::buildRpcHeader(method, false, true, ++m_nGuideMsgId);
    m_pMainWebView->notifyWeb(
        QString::fromUtf8(QJsonDocument(envelope).toJson(QJsonDocument::Compact)));
}

void TarnRetailClient::onFullScreen(bool bFullScreen)
{
    if (bFullScreen)
        showMaximized();
    else
        showNormal();
    repaint();
}

void TarnRetailClient::onMinSize()
{
    showMinimized();
}

bool TarnRetailClient::confirmExit()
{
    return ZoGUI::ZoMessageBox::ShowInformation(this, tr("Notice"),
                                                tr("are you sure to exit application?"),
                                                kExitConfirmButtons)
        == kExitConfirmed;
}

void TarnRetailClient::onClose()
{
    if (!AuthCenter::instance()->isClientLogined()) {
        close();
        return;
    }
    if (!confirmExit())
        return;
    runExitSequence(ExitTimer::Qt);
    m_bClosing = true;
}

void TarnRetailClient::closeEvent(QCloseEvent *event)
{
    if (m_bClosing) {
        event->accept();
        return;
    }
    if (AuthCenter::instance()->isClientLogined() && !confirmExit()) {
        event->ignore();
        return;
    }
    // The window only hides here: closing it now would end the event loop at once, and the
    // page would never see "ExitApp". The final quit closes it 1.5 s later.
    m_bClosing = true;
    runExitSequence(ExitTimer::BaseLibrary);
    event->ignore();
}

void TarnRetailClient::runExitSequence(ExitTimer timer)
{
    hide();
    QRCommon::instance()->uninitEnvironment();
    if (!m_pMainWebView) {
        finalQuit();
        return;
    }
    Web::notifyExitApp();
    if (timer == ExitTimer::Qt) {
        if (!m_pCloseTimer) {
            m_pCloseTimer = new QTimer();
            m_pCloseTimer->setSingleShot(true);
            connect(m_pCloseTimer, &QTimer::timeout, this,
                    &TarnRetailClient::onCloseClientTimeout);
        }
        m_pCloseTimer->start(ExitDelayMs);
    } else {
        lumo::DTimerMgr *timers = lumo::DTimerMgr::instance();
        if (!m_nCloseTimerId)
            m_nCloseTimerId = timers->CreateTimer(this);
        timers->StartTimer(m_nCloseTimerId, ExitDelayMs);
    }
}

void TarnRetailClient::onCloseApp()
{
    finalQuit();
}

void TarnRetailClient::onCloseClientTimeout()
{
    finalQuit();
}

void TarnRetailClient::OnTimer(unsigned int timerId)
{
    if (timerId != m_nCloseTimerId)
        return;
    // The timer thread is not the GUI thread: a queued call dies with the window.
    QMetaObject::invokeMethod(this, &TarnRetailClient::finalQuit, Qt::QueuedConnection);
}

void TarnRetailClient::finalQuit()
{
    ZoGUI::ZoMessageNotify::instance()->AbouttoQuitApp();
    if (m_pCloseTimer && m_pCloseTimer->isActive())
        m_pCloseTimer->stop();
    m_bClosing = true;
    close();
    QCoreApplication::exit(0);
}

void TarnRetailClient::updateShape()
{
    if (size().isEmpty())
        return;
    QBitmap shape(size());
    shape.clear();
    QPainter painter(&shape);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::color1);
    painter.drawRoundedRect(shape.rect(), 5, 5);
    painter.end();
    setMask(shape);
}

void TarnRetailClient::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    centreStartLoad();
}

void TarnRetailClient::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    updateShape();
    const QList<QScreen *> screens = QGuiApplication::screens();
    QScreen *first = screens.isEmpty() ? nullptr : screens.first();
    if (first == m_pLastScreen || first != m_pPrimaryScreen) {
        m_rectRemembered = geometry();
        m_pLastScreen = first;
    } else {
        // The primary screen came back: return to the size the window had there.
        m_pLastScreen = first;
        if (m_rectRemembered.isValid())
            resize(m_rectRemembered.size());
    }
}

void TarnRetailClient::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange)
        repaint();
    QMainWindow::changeEvent(event);
}

void TarnRetailClient::showEvent(QShowEvent *event)
{
    setAttribute(Qt::WA_Mapped);
    QMainWindow::showEvent(event);
}
