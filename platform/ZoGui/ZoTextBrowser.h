#pragma once

#include "zogui_global.h"

#include <QTextBrowser>

class QUrl;

namespace ZoGUI {

// Read-only text view for descriptions and notes, which may be rich text from a service: no
// frame, and a clicked link opens in the desktop's browser only when it is an http, https or
// mailto address; any other link (file:, a program's scheme, a relative name) is logged and
// ignored. GUI thread only.
class ZOGUI_EXPORT ZoTextBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit ZoTextBrowser(QWidget *parent = nullptr);

    static bool isOpenableLink(const QUrl &url);

private:
    void onAnchorClicked(const QUrl &url);
};

} // namespace ZoGUI
