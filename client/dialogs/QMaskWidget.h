#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class QMaskWidget;
}

// The half-transparent black mask that the main window lays over itself while a notice is
// shown. The owner resizes, moves, shows and hides it. GUI thread only.
class QMaskWidget : public QWidget
{
    Q_OBJECT

public:
    explicit QMaskWidget(QWidget *parent = nullptr);
    ~QMaskWidget() override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<Ui::QMaskWidget> m_pUi;
};
