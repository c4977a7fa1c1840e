#include "QPublicMsgDlg.h"
#include "ui_QPublicMsgDlg.h"

#include "SkinStyleSheet.h"
#include "Ostmark/CLocalConfig.h"
#include "lumo/DPrintLog.h"

#include <QGraphicsDropShadowEffect>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOption>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr qreal kContentLineDistance = 10;

// Kept byte for byte, tabs included, as earlier releases set it.
const char kScrollBarStyle[]
    = "QScrollBar{background-color:rgb(255,255,255); width:16px;\t\t\tmargin-left:10px;"
      "margin-right:0px;}"
      "QScrollBar::handle{background-color:#e8e8e8; border-radius:3px;}"
      "QScrollBar::handle:hover{background-color:#e8e8e8;}"
      "QScrollBar::sub-line{background:transparent;}"
      "QScrollBar::add-line{background:transparent;}";

} // namespace

QPublicMsgDlg::QPublicMsgDlg(QWidget *parent)
    : QWidget(parent)
    , m_pUi(new Ui::QPublicMsgDlg)
{
    m_pUi->setupUi(this);
}

QPublicMsgDlg::~QPublicMsgDlg() = default;

void QPublicMsgDlg::initDialog()
{
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setObjectName(QStringLiteral("QPublicMsgDlg"));
    setWindowModality(Qt::ApplicationModal);

    m_pUi->contentBrowser->verticalScrollBar()->setStyleSheet(QLatin1String(kScrollBarStyle));
    // The body comes from a page: a link in it must not replace the notice or load a local file.
    m_pUi->contentBrowser->setOpenLinks(false);
    m_pUi->finishBtn->setText(tr("I know"));

    // Hide before telling the owner, so that it sees the dialog closed.
    connect(m_pUi->closeBtn, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_pUi->closeBtn, &QPushButton::clicked, this, &QPublicMsgDlg::sgnPublicMsgDlgClose);
    connect(m_pUi->finishBtn, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_pUi->finishBtn, &QPushButton::clicked, this, &QPublicMsgDlg::sgnPublicMsgDlgClose);

    const QString program = ConfigInfo::CLocalConfig::instance()->getProgram();
    auto *shadow = new QGraphicsDropShadowEffect(m_pUi->MsgTitleLab);
    shadow->setBlurRadius(1);
    shadow->setOffset(0, 4);
    shadow->setColor(shadowColor(program));
    m_pUi->MsgTitleLab->setGraphicsEffect(shadow);
    m_pUi->MsgTitleLab->setFont(QFont(QStringLiteral("Microsoft YaHei"), 34, QFont::Bold));
    m_pUi->MsgTitleLab->setText(tr("Notice"));
    m_pUi->MsgTitleLab->setAlignment(Qt::AlignCenter);

    m_pUi->titleLab->setFont(QFont(QStringLiteral("Microsoft YaHei"), 16, QFont::Bold));
    m_pUi->contentBrowser->setFont(QFont(QStringLiteral("Microsoft YaHei"), 14, QFont::Normal));

    hide();

    if (SkinStyleSheet::apply(this))
        LUMO_LOG(4, "notice dialog styled from %s",
                 qUtf8Printable(SkinStyleSheet::filePath(objectName())));
}

void QPublicMsgDlg::setTitle(const QString &title)
{
    m_pUi->titleLab->setText(title);
    m_pUi->titleLab->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void QPublicMsgDlg::setContent(const QString &content)
{
    m_pUi->contentBrowser->setText(content);

    QTextDocument *document = m_pUi->contentBrowser->document();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        format.setLineHeight(kContentLineDistance, QTextBlockFormat::LineDistanceHeight);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    cursor.endEditBlock();

    m_pUi->contentBrowser->moveCursor(QTextCursor::Start);
}

QColor QPublicMsgDlg::shadowColor(const QString &programType)
{
    if (programType == QLatin1String("KorvelCalen"))
        return QColor(77, 137, 255);
    if (programType == QLatin1String("KorvelBrisa"))
        return QColor(246, 93, 78);
    return QColor(58, 92, 225);
}

void QPublicMsgDlg::paintEvent(QPaintEvent *)
{
    // A plain QWidget subclass draws no style-sheet background unless asked to.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
