#include "QMaskWidget.h"
#include "ui_QMaskWidget.h"

#include <QPainter>
#include <QStyleOption>

QMaskWidget::QMaskWidget(QWidget *parent)
    : QWidget(parent)
    , m_pUi(new Ui::QMaskWidget)
{
    m_pUi->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
    setAttribute(Qt::WA_TranslucentBackground);
    setStyleSheet(QStringLiteral("QWidget{background-color:rgba(0,0,0,50%);}"));
    setObjectName(QStringLiteral("QMaskWidget"));
}

QMaskWidget::~QMaskWidget() = default;

void QMaskWidget::paintEvent(QPaintEvent *)
{
    // The dimming comes from the style sheet, which a plain QWidget subclass does not draw.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
