#include "StartLoadWidget.h"
#include "ui_StartLoadWidget.h"

#include "Ostmark/CLocalConfig.h"
#include "lumo/DPrintLog.h"

#include <QDir>
#include <QMovie>
#include <QPainter>
#include <QStyleOption>

StartLoadWidget::StartLoadWidget(QWidget *parent)
    : QWidget(parent)
    , m_pUi(new Ui::StartLoadWidget)
{
    m_pUi->setupUi(this);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::Tool);
    setAttribute(Qt::WA_TranslucentBackground);
    resize(100, 100);

    const QString path
        = QDir::current().filePath(QStringLiteral("Skin/%1/TarnRetailClient/startLoading.gif")
                                       .arg(ConfigInfo::CLocalConfig::instance()->getSkinPath()));
    m_pMovie = std::make_unique<QMovie>(path);
    if (!m_pMovie->isValid())
        LUMO_LOG(5, "start-up animation %s cannot be read: %s", qUtf8Printable(path),
                 qUtf8Printable(m_pMovie->lastErrorString()));
    m_pUi->labLoading->setMovie(m_pMovie.get());
}

StartLoadWidget::~StartLoadWidget()
{
    // The movie goes before the label; the label must not keep pointing at it.
    m_pUi->labLoading->setMovie(nullptr);
}

void StartLoadWidget::startLoading()
{
    m_pMovie->start();
    show();
}

void StartLoadWidget::stopLoading()
{
    m_pMovie->stop();
    hide();
}

void StartLoadWidget::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
