#include "OsWindow.h"

#include <QWidget>
#include <QWindow>

namespace os {

bool OsWindow::startSystemMove(QWidget *window)
{
    if (!window)
        return false;
    QWidget *top = window->window();
    top->winId(); // makes sure the native window exists
    QWindow *handle = top->windowHandle();
    return handle && handle->startSystemMove();
}

} // namespace os
