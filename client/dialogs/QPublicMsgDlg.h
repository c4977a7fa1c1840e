#pragma once

#include <QColor>
#include <QWidget>

#include <memory>

namespace Ui {
class QPublicMsgDlg;
}

// The public notice: a fixed-size, application-modal window with a heading, the notice title,
// a rich-text body and two buttons that both close it. The owner creates it once, calls
// initDialog, and reuses it for every notice. GUI thread only.
class QPublicMsgDlg : public QWidget
{
    Q_OBJECT

public:
    explicit QPublicMsgDlg(QWidget *parent = nullptr);
    ~QPublicMsgDlg() override;

    // Window set-up, fonts, texts, the heading's shadow and the skin's style sheet; leaves
    // the dialog hidden. Call once, right after construction.
    void initDialog();

    void setTitle(const QString &title);
    // Plain or rich text, as Qt detects it; shown from its start.
    void setContent(const QString &content);

signals:
    // Either button was clicked; the dialog has already hidden itself.
    void sgnPublicMsgDlgClose();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The heading's shadow colour for a program type; unknown types get KorvelArden's.
    static QColor shadowColor(const QString &programType);

    std::unique_ptr<Ui::QPublicMsgDlg> m_pUi;
};
