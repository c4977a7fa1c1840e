#pragma once

#include "ZoDialog.h"

#include <memory>

namespace Ui {
class ZoMessageBox;
}

namespace ZoGUI {

// The library's information box: a ZoDialog with an icon, a plain text and OK and/or Cancel.
// GUI thread only.
//
// Its buttons are the library's own values, not Qt's QMessageBox enumeration: OK shares Qt's
// value 0x400 (1024), but Cancel is 0x2000 (Qt's Open; Qt's Cancel 0x400000 means nothing
// here), so the set 9216 (0x2400) shows OK and Cancel, and OK answers 1024.
class ZOGUI_EXPORT ZoMessageBox : public ZoDialog
{
    Q_OBJECT

public:
    enum StandardButton {
        NoButton = 0x0, // returned when a box without Cancel is closed without an answer
        Ok = 0x400, // 1024
        Cancel = 0x2000, // 8192; also the answer of Escape and of the close button
        OkCancel = Ok | Cancel // 9216
    };

    // Shows a modal box and returns the button pressed. Bits other than Ok and Cancel are
    // ignored; a set with neither shows OK alone, so the box can always be answered.
    static int ShowInformation(QWidget *parent, const QString &title, const QString &text,
                               int buttons = Ok);

    ZoMessageBox(QWidget *parent, const QString &title, const QString &text, int buttons);
    ~ZoMessageBox() override;

public slots:
    void reject() override;

private:
    std::unique_ptr<Ui::ZoMessageBox> m_ui;
    int m_buttons;
};

} // namespace ZoGUI
