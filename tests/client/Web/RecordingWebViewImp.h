#pragma once

#include "Web/CWebViewBaseImp.h"

#include <QColor>
#include <QStringList>

// A browser widget that keeps what the view asks of it, for tests of the view without a
// browser. GUI thread only.
class RecordingWebViewImp : public Web::CWebViewBaseImp
{
    Q_OBJECT

public:
    explicit RecordingWebViewImp(const QString &name)
        : Web::CWebViewBaseImp(name)
    { }

    void setUrl(const QString &url) override { urls << url; }
    void setHtml(const QString &html) override { htmls << html; }
    void sendMsgToWeb(const QString &text) override
    {
        sentToWeb << text;
        emit sgnSentToWeb(text);
    }
    void setBackgroundColor(const QColor &color) override { background = color; }

    QStringList urls;
    QStringList htmls;
    QStringList sentToWeb;
    QColor background;

signals:
    void sgnSentToWeb(const QString &text);
};
