#include "NotifyPopupStack.h"

#include "NotifyPopup.h"

#include <QGuiApplication>
#include <QScreen>

NotifyPopupStack::NotifyPopupStack(QObject *parent)
    : QObject(parent)
{ }

NotifyPopupStack::~NotifyPopupStack()
{
    for (const QPointer<NotifyPopup> &popup : qAsConst(m_popups))
        delete popup.data();
}

void NotifyPopupStack::setTitle(const QString &title)
{
    m_title = title;
}

QString NotifyPopupStack::title() const
{
    return m_title.isEmpty() ? tr("Notice") : m_title;
}

NotifyPopup *NotifyPopupStack::addText(const QString &text)
{
    // Too many at once: the oldest make room by fading early.
    int alive = 0;
    for (int i = m_popups.size() - 1; i >= 0; --i) {
        if (m_popups[i] && ++alive >= kMaxPopups)
            m_popups[i]->fadeOut();
    }
    auto *popup = new NotifyPopup(title(), text);
    m_popups.append(popup);
    connect(popup, &QObject::destroyed, this, &NotifyPopupStack::relayout, Qt::QueuedConnection);
    relayout();
    popup->show();
    return popup;
}

void NotifyPopupStack::closeAll()
{
    for (const QPointer<NotifyPopup> &popup : qAsConst(m_popups)) {
        if (popup)
            popup->close();
    }
}

void NotifyPopupStack::relayout()
{
    m_popups.removeAll(nullptr);
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    int bottom = area.bottom() - kMargin;
    for (int i = m_popups.size() - 1; i >= 0; --i) {
        NotifyPopup *popup = m_popups[i];
        const int top = bottom - popup->height() + 1;
        popup->move(area.right() - kMargin - popup->width() + 1, top);
        bottom = top - kSpacing - 1;
    }
}
