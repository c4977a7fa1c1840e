#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class NotifyPopup;

// The popups on screen, newest at the bottom-right corner of the primary screen's work area
// and older ones stacked above it. GUI thread only.
class NotifyPopupStack : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxPopups = 5;
    static constexpr int kMargin = 12;
    static constexpr int kSpacing = 8;

    explicit NotifyPopupStack(QObject *parent = nullptr);
    ~NotifyPopupStack() override;

    void setTitle(const QString &title);
    // Shows a popup and returns it; it deletes itself when it has faded.
    NotifyPopup *addText(const QString &text);
    QString title() const;
    void closeAll();

private:
    void relayout();

    QString m_title;
    QList<QPointer<NotifyPopup>> m_popups; // oldest first
};
