#pragma once

#include <QWidget>

#include <memory>

class QMovie;

namespace Ui {
class StartLoadWidget;
}

// The start-up animation shown over the main window until the main page has loaded. It plays
// the skin's "startLoading.gif"; without that file it stays an empty window. GUI thread only.
class StartLoadWidget : public QWidget
{
    Q_OBJECT

public:
    explicit StartLoadWidget(QWidget *parent = nullptr);
    ~StartLoadWidget() override;

    void startLoading(); // starts the animation and shows the window
    void stopLoading(); // stops the animation and hides the window

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::unique_ptr<Ui::StartLoadWidget> m_pUi;
    std::unique_ptr<QMovie> m_pMovie; // the label only borrows it
};
