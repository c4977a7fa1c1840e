#pragma once

#include <QTimer>
#include <QWidget>

#include <memory>

class QPropertyAnimation;

namespace Ui {
class NotifyPopup;
}

// One notification: a small frameless window that stays on top without taking the focus,
// lives a few seconds (longer while the mouse rests on it), then fades out and deletes itself.
// GUI thread only.
class NotifyPopup : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kLifeMs = 5000;
    static constexpr int kFadeMs = 600;
    static constexpr int kWidth = 320;

    NotifyPopup(const QString &title, const QString &text);
    ~NotifyPopup() override;

    // Starts the fade now (the stack makes room for newer popups this way).
    void fadeOut();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    std::unique_ptr<Ui::NotifyPopup> m_ui;
    QTimer m_life;
    QPropertyAnimation *m_fade = nullptr; // child, made when the fade starts
};
