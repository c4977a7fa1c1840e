#include "NotifyPopup.h"

#include "ui_NotifyPopup.h"

#include <QPropertyAnimation>

NotifyPopup::NotifyPopup(const QString &title, const QString &text)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                  | Qt::WindowDoesNotAcceptFocus)
    , m_ui(std::make_unique<Ui::NotifyPopup>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_StyledBackground);
    m_ui->labTitle->setText(title);
    m_ui->labText->setText(text);
    setFixedWidth(kWidth);
    setFixedHeight(layout()->heightForWidth(kWidth));
    connect(m_ui->btnClose, &QPushButton::clicked, this, &QWidget::close);

    m_life.setSingleShot(true);
    m_life.setInterval(kLifeMs);
    connect(&m_life, &QTimer::timeout, this, &NotifyPopup::fadeOut);
    m_life.start();
}

NotifyPopup::~NotifyPopup() = default;

void NotifyPopup::fadeOut()
{
    m_life.stop();
    if (m_fade)
        return;
    m_fade = new QPropertyAnimation(this, "windowOpacity", this);
    m_fade->setDuration(kFadeMs);
    m_fade->setStartValue(windowOpacity());
    m_fade->setEndValue(0.0);
    connect(m_fade, &QPropertyAnimation::finished, this, &QWidget::close);
    m_fade->start();
}

void NotifyPopup::enterEvent(QEvent *event)
{
    QWidget::enterEvent(event);
    if (!m_fade)
        m_life.stop();
}

void NotifyPopup::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (!m_fade)
        m_life.start();
}
