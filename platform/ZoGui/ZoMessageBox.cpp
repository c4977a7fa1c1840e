#include "ZoMessageBox.h"

#include "ui_ZoMessageBox.h"

#include "ZoGlobal.h"

#include <QFileInfo>
#include <QStyle>
#include <QVBoxLayout>

namespace ZoGUI {

int ZoMessageBox::ShowInformation(QWidget *parent, const QString &title, const QString &text,
                                  int buttons)
{
    ZoMessageBox box(parent, title, text, buttons);
    return box.exec();
}

ZoMessageBox::ZoMessageBox(QWidget *parent, const QString &title, const QString &text, int buttons)
    : ZoDialog(parent, CloseButton)
    , m_ui(std::make_unique<Ui::ZoMessageBox>())
    , m_buttons(buttons & OkCancel)
{
    if (m_buttons == NoButton)
        m_buttons = Ok;
    setObjectName(QStringLiteral("ZoMessageBox"));
    auto *content = new QWidget(GetCentralWidget());
    m_ui->setupUi(content);
    auto *layout = new QVBoxLayout(GetCentralWidget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);

    setWindowTitle(title);
    m_ui->labText->setText(text);
    const QString skinIcon = GetSkinFilePath(QStringLiteral("MessageBox/information.png"));
    const QIcon icon = QFileInfo::exists(skinIcon)
        ? QIcon(skinIcon)
        : style()->standardIcon(QStyle::SP_MessageBoxInformation);
    m_ui->labIcon->setPixmap(icon.pixmap(32, 32));

    m_ui->btnOK->setVisible(m_buttons & Ok);
    m_ui->btnCancel->setVisible(m_buttons & Cancel);
    connect(m_ui->btnOK, &QPushButton::clicked, this, [this] { done(Ok); });
    connect(m_ui->btnCancel, &QPushButton::clicked, this, [this] { done(Cancel); });
    (m_buttons & Ok ? m_ui->btnOK : m_ui->btnCancel)->setDefault(true);
    setFixedSize(sizeHint());
}

ZoMessageBox::~ZoMessageBox() = default;

void ZoMessageBox::reject()
{
    done(m_buttons & Cancel ? Cancel : NoButton);
}

} // namespace ZoGUI
