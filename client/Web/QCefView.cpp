#include "QCefView.h"

#include "Ostmark/CLocalConfig.h"
#include "ZoCefView/ZoCefWebView.h"
#include "lumo/DPrintLog.h"
#include "os/OsUserRegistry.h"

#include <QBitmap>
#include <QDir>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cmath>

namespace Web {

namespace {

std::atomic<int> s_reloadDelayMs {QCefView::kReloadDelayMs};

void assertGuiThread(const QObject *object)
{
    Q_ASSERT(object->thread() == QThread::currentThread());
    Q_UNUSED(object);
}

} // namespace

QCefView::QCefView(const QString &name, QWidget *parent)
    : CWebViewBaseImp(name, parent)
{
    createWebView();
    saveCachePath();
}

QCefView::~QCefView()
{
    if (m_pCefWebView) {
        m_pCefWebView->SetRPCCallFunc(nullptr, nullptr);
        delete m_pCefWebView;
        m_pCefWebView = nullptr;
    }
}

void QCefView::setUrl(const QString &url)
{
    if (m_pCefWebView)
        m_pCefWebView->SetUrl(url);
}

void QCefView::setHtml(const QString &html)
{
    if (m_pCefWebView)
        m_pCefWebView->SetHtml(html);
}

void QCefView::sendMsgToWeb(const QString &text)
{
    if (m_pCefWebView)
        m_pCefWebView->SendMsgToWeb(text);
}

void QCefView::setBackgroundColor(const QColor &color)
{
    if (m_pCefWebView)
        m_pCefWebView->SetBackgroundColor(color);
}

void QCefView::rpcCallFunc(const QString &text, void *context)
{
    if (!context)
        return;
    emit static_cast<QCefView *>(context)->sgnRPCCall(text);
}

QString QCefView::webLanguageTag(const QString &language)
{
    if (language == QLatin1String("en"))
        return QStringLiteral("en");
    return QStringLiteral("zh-CN");
}

QString QCefView::cacheFolder(const QString &cachePath, const QString &program)
{
    const int at = program.isEmpty() ? -1 : cachePath.lastIndexOf(program, -1, Qt::CaseSensitive);
    return QDir::toNativeSeparators(at < 0 ? cachePath : cachePath.left(at));
}

void QCefView::setReloadDelay(int ms)
{
    s_reloadDelayMs.store(ms);
}

int QCefView::reloadDelay()
{
    return s_reloadDelayMs.load();
}

void QCefView::createWebView()
{
    if (m_pCefWebView)
        return;
    m_pCefWebView = new ZoCef::ZoCefWebView(this);
    m_pCefWebView->SetRPCCallFunc(&QCefView::rpcCallFunc, this);
    connect(m_pCefWebView, &ZoCef::ZoCefWebView::sgnRPCCall, this, &QCefView::OnRPCCall);
    connect(m_pCefWebView, &ZoCef::ZoCefWebView::sgnLoadFinished, this, &QCefView::onLoadFinished);
    connect(m_pCefWebView, &ZoCef::ZoCefWebView::sgnWebTerminated, this,
            &QCefView::OnWebTerminated);
    connect(m_pCefWebView, &ZoCef::ZoCefWebView::sgnConsoleMessage, this,
            &QCefView::OnConsoleMessage);
    connect(m_pCefWebView, &ZoCef::ZoCefWebView::sgnLoadingProgressChange, this,
            &QCefView::OnLoadingProgressChange);
    m_pCefWebView->SetFontFamily(QStringLiteral("Microsoft YaHei"));
    applyWebLanguage();
}

void QCefView::applyWebLanguage()
{
    const QString tag = webLanguageTag(ConfigInfo::CLocalConfig::instance()->getLanguage());
    m_pCefWebView->SetPluginsEnabled(true, tag);
}

void QCefView::saveCachePath()
{
    if (!m_pCefWebView)
        return;
    const QString program = ConfigInfo::CLocalConfig::instance()->getProgram();
    const QString folder = cacheFolder(m_pCefWebView->GetCachePath(), program);
    os::OsUserRegistry registry(program);
    registry.setValue(QStringLiteral("cachePath"), folder);
    LUMO_LOG(4, "[%s] cachePath [%s] in %s", qPrintable(m_strName), qPrintable(folder),
             qPrintable(registry.location()));
}

void QCefView::OnRPCCall(QString strParam)
{
    emit sgnRPCCall(strParam);
}

void QCefView::onLoadStarted() { }

void QCefView::onLoadFinished(bool ok)
{
    assertGuiThread(this);
    LUMO_LOG(6, "[%s] load finished, ok[%d]", qPrintable(m_strName), int(ok));
    if (ok) {
        emit sgnLoadSuccess(true);
        return;
    }
    // Whatever library widget is current when the timer fires is reloaded: after a render
    // process death that is the new one.
    QTimer::singleShot(reloadDelay(), this, [this] {
        if (m_pCefWebView)
            m_pCefWebView->Reflush();
    });
}

void QCefView::OnConsoleMessage(int level, const QString &strMessage, int lineNumber,
                                const QString &strSource)
{
    Q_UNUSED(level);
    LUMO_LOG(4, "[WebName] %s, Console message[%s],lineNumber[%d],sourceID[%s]",
             qPrintable(m_strName), qPrintable(strMessage), lineNumber, qPrintable(strSource));
}

void QCefView::OnWebTerminated(int status)
{
    assertGuiThread(this);
    LUMO_LOG(4, "[QCefView] ZoCefRender.exe is crash : terminationStatus[%d]", status);
    if (m_pCefWebView) {
        // The old widget is inside its own signal: it goes once that has returned.
        ZoCef::ZoCefWebView *old = m_pCefWebView;
        m_pCefWebView = nullptr;
        old->SetRPCCallFunc(nullptr, nullptr);
        disconnect(old, nullptr, this, nullptr);
        old->hide();
        old->deleteLater();
    }
    createWebView();
    m_pCefWebView->setGeometry(rect());
    m_pCefWebView->show();
}

void QCefView::OnLoadingProgressChange(double progress)
{
    // The library reports whole percents as fractions (29 as 0.29); a small allowance keeps
    // them whole after the multiplication, which alone would give 28.999...
    const double percent = progress * 100.0;
    emit loadProgress(int(std::trunc(percent + (percent < 0 ? -1e-6 : 1e-6))));
}

void QCefView::resizeEvent(QResizeEvent *event)
{
    if (m_pCefWebView)
        m_pCefWebView->setGeometry(rect());

    if (width() <= 0 || height() <= 0) {
        clearMask();
        QWidget::resizeEvent(event);
        return;
    }
    QBitmap bitmap(size());
    bitmap.clear();
    {
        QPainter painter(&bitmap);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::color1);
        painter.drawRoundedRect(bitmap.rect(), 4, 4);
    }
    setMask(bitmap);
    // Only the two lower corners stay rounded.
    setMask(mask().united(QRect(0, 0, width(), height() / 2)));
    QWidget::resizeEvent(event);
}

} // namespace Web
