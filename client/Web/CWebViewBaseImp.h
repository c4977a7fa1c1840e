#pragma once

#include <QString>
#include <QWidget>

class QColor;

namespace Web {

// The browser widget behind a web view: loads an address or an HTML text, sends texts to
// page script and reports page calls, load results and load progress. CWebViewBase talks to
// this interface only; QCefView is the implementation on the web-view library.
// GUI thread only; sgnRPCCall may be emitted from a thread of the browser library.
class CWebViewBaseImp : public QWidget
{
    Q_OBJECT

public:
    explicit CWebViewBaseImp(const QString &name, QWidget *parent = nullptr);
    ~CWebViewBaseImp() override;

    QString name() const { return m_strName; }

signals:
    // One call text from page script.
    void sgnRPCCall(const QString &text);
    void sgnLoadSuccess(bool success);
    void loadProgress(int progress);

public slots:
    virtual void setUrl(const QString &url) = 0;
    virtual void setHtml(const QString &html) = 0;
    // The text reaches page script as the argument of its global RPCNotify.
    virtual void sendMsgToWeb(const QString &text) = 0;
    virtual void setBackgroundColor(const QColor &color) = 0;

protected:
    QString m_strName;
};

} // namespace Web
