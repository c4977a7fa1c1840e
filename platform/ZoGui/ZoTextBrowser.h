#pragma once

#include "zogui_global.h"

#include <QTextBrowser>

namespace ZoGUI {

// Read-only text view for descriptions and notes: no frame, links open in the desktop's
// browser. GUI thread only.
class ZOGUI_EXPORT ZoTextBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit ZoTextBrowser(QWidget *parent = nullptr);
};

} // namespace ZoGUI
