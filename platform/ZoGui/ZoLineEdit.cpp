#include "ZoLineEdit.h"

#include <QLabel>
#include <QStyle>

namespace ZoGUI {

ZoLineEdit::ZoLineEdit(QWidget *parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, [this] {
        if (m_hintShown)
            showErrorHint(false, QString());
    });
}

ZoLineEdit::~ZoLineEdit()
{
    delete m_hint.data();
}

void ZoLineEdit::showErrorHint(bool show, const QString &text)
{
    m_hintShown = show;
    m_hintText = show ? text : QString();
    if (!show) {
        delete m_hint.data();
    } else {
        if (m_hint && m_hint->parentWidget() != window())
            delete m_hint.data();
        if (!m_hint) {
            m_hint = new QLabel(window());
            m_hint->setObjectName(QStringLiteral("labErrorHint"));
            m_hint->setStyleSheet(QStringLiteral("color: #f5222d;"));
            m_hint->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        m_hint->setText(text);
        placeHint();
    }
    restyle();
}

bool ZoLineEdit::isErrorHintShown() const
{
    return m_hintShown;
}

QString ZoLineEdit::errorHintText() const
{
    return m_hintText;
}

QLabel *ZoLineEdit::errorHintLabel() const
{
    return m_hint.data();
}

void ZoLineEdit::placeHint()
{
    if (!m_hint)
        return;
    const QPoint below = mapTo(window(), QPoint(0, height() + 2));
    m_hint->setGeometry(below.x(), below.y(), qMax(width(), m_hint->sizeHint().width()),
                        m_hint->sizeHint().height());
    m_hint->setVisible(isVisible());
    m_hint->raise();
}

void ZoLineEdit::restyle()
{
    style()->unpolish(this);
    style()->polish(this);
    update();
}

void ZoLineEdit::moveEvent(QMoveEvent *event)
{
    QLineEdit::moveEvent(event);
    placeHint();
}

void ZoLineEdit::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    placeHint();
}

void ZoLineEdit::showEvent(QShowEvent *event)
{
    QLineEdit::showEvent(event);
    placeHint();
}

void ZoLineEdit::hideEvent(QHideEvent *event)
{
    QLineEdit::hideEvent(event);
    if (m_hint)
        m_hint->hide();
}

} // namespace ZoGUI
