#include "ZoPushButton.h"

namespace ZoGUI {

ZoPushButton::ZoPushButton(QWidget *parent)
    : ZoPushButton(QString(), parent)
{ }

ZoPushButton::ZoPushButton(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus); // no focus frame after a mouse click
}

} // namespace ZoGUI
