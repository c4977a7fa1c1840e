#pragma once

#include "zogui_global.h"

#include <QDialog>
#include <QPoint>

#include <memory>

namespace Ui {
class ZoDialog;
}

namespace ZoGUI {

// Frameless dialog with the library's own title bar (the window title and a close button)
// above a central widget that holds the content. The title bar moves the window by drag.
// The central widget has no layout: the content brings its own. GUI thread only.
class ZOGUI_EXPORT ZoDialog : public QDialog
{
    Q_OBJECT

public:
    // Title-bar buttons; callers pass the value as int (1: with the close button).
    enum DialogFlag { NoTitleButton = 0x0, CloseButton = 0x1 };

    explicit ZoDialog(QWidget *parent = nullptr, int dialogFlags = CloseButton);
    ~ZoDialog() override;

    QWidget *GetCentralWidget() const;
    QWidget *GetTitleBar() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::unique_ptr<Ui::ZoDialog> m_ui;
    bool m_dragging = false;
    QPoint m_dragOffset; // cursor position relative to the window's top-left while dragging
};

} // namespace ZoGUI
