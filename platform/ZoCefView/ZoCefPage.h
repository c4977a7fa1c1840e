#pragma once

#include <QWebEnginePage>

namespace ZoCef {

// The page of a ZoCefWebView: reports console messages as a signal. GUI thread only.
class ZoCefPage : public QWebEnginePage
{
    Q_OBJECT

public:
    using QWebEnginePage::QWebEnginePage;

signals:
    void consoleMessage(int level, const QString &message, int lineNumber, const QString &source);

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceID) override;
};

} // namespace ZoCef
