#include "ZoDialog.h"

#include "ui_ZoDialog.h"

#include "os/OsWindow.h"

#include <QMouseEvent>

namespace ZoGUI {

ZoDialog::ZoDialog(QWidget *parent, int dialogFlags)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_ui(std::make_unique<Ui::ZoDialog>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    m_ui->btnClose->setVisible(dialogFlags & CloseButton);
    m_ui->labTitle->setText(windowTitle());
    connect(this, &QWidget::windowTitleChanged, m_ui->labTitle, &QLabel::setText);
    connect(m_ui->btnClose, &QPushButton::clicked, this, &QDialog::reject);
    m_ui->titleBar->installEventFilter(this);
    m_ui->labTitle->installEventFilter(this);
}

ZoDialog::~ZoDialog() = default;

QWidget *ZoDialog::GetCentralWidget() const
{
    return m_ui->centralWidget;
}

QWidget *ZoDialog::GetTitleBar() const
{
    return m_ui->titleBar;
}

bool ZoDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_ui->titleBar && watched != m_ui->labTitle)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        // The window manager moves the window where it can; elsewhere (offscreen, some X11
        // setups) we follow the mouse ourselves.
        if (os::OsWindow::startSystemMove(this))
            return true;
        m_dragging = true;
        m_dragOffset = mouse->globalPos() - frameGeometry().topLeft();
        return true;
    }
    case QEvent::MouseMove:
        if (m_dragging) {
            move(static_cast<QMouseEvent *>(event)->globalPos() - m_dragOffset);
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_dragging) {
            m_dragging = false;
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ZoGUI
