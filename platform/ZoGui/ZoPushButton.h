#pragma once

#include "zogui_global.h"

#include <QPushButton>

namespace ZoGUI {

// The library's push button: a hand cursor and the "ZoPushButton" style class of the skin.
// GUI thread only.
class ZOGUI_EXPORT ZoPushButton : public QPushButton
{
    Q_OBJECT

public:
    explicit ZoPushButton(QWidget *parent = nullptr);
    explicit ZoPushButton(const QString &text, QWidget *parent = nullptr);
};

} // namespace ZoGUI
