#include "NotifyPopup.h"
#include "NotifyPopupStack.h"

#include <QtTest>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

class tst_NotifyPopupStack : public QObject
{
    Q_OBJECT

    static QList<NotifyPopup *> popupsOnScreen()
    {
        QList<NotifyPopup *> popups;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *popup = qobject_cast<NotifyPopup *>(w); popup && popup->isVisible())
                popups.append(popup);
        }
        return popups;
    }

    static QString textOf(NotifyPopup *popup)
    {
        return popup->findChild<QLabel *>(QStringLiteral("labText"))->text();
    }

private slots:
    void cleanup()
    {
        for (NotifyPopup *popup : popupsOnScreen())
            delete popup;
    }

    void stackedNewestAtTheBottomRight()
    {
        NotifyPopupStack stack;
        NotifyPopup *first = stack.addText(QStringLiteral("first"));
        NotifyPopup *second = stack.addText(QStringLiteral("a longer second text that wraps "
                                                           "over more than one line of the popup"));
        NotifyPopup *third = stack.addText(QStringLiteral("third"));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();

        for (NotifyPopup *popup : {first, second, third}) {
            QVERIFY(popup->isVisible());
            QVERIFY(area.contains(popup->frameGeometry()));
            QCOMPARE(popup->frameGeometry().right(), area.right() - NotifyPopupStack::kMargin);
        }
        QCOMPARE(third->frameGeometry().bottom(), area.bottom() - NotifyPopupStack::kMargin);
        QCOMPARE(second->frameGeometry().bottom() + NotifyPopupStack::kSpacing + 1,
                 third->frameGeometry().top());
        QCOMPARE(first->frameGeometry().bottom() + NotifyPopupStack::kSpacing + 1,
                 second->frameGeometry().top());
        QVERIFY(second->height() > first->height()); // the wrapped text is not cut off

        // A popup closed by hand leaves no gap.
        const QPointer<NotifyPopup> top(first);
        QTest::mouseClick(second->findChild<QPushButton *>(QStringLiteral("btnClose")),
                          Qt::LeftButton);
        QTRY_VERIFY(top
                    && top->frameGeometry().bottom() + NotifyPopupStack::kSpacing + 1
                        == third->frameGeometry().top());
    }

    void tooManyMakeRoomOldestFirst()
    {
        NotifyPopupStack stack;
        for (int i = 0; i < NotifyPopupStack::kMaxPopups + 2; ++i)
            stack.addText(QString::number(i));
        QTRY_COMPARE_WITH_TIMEOUT(popupsOnScreen().size(), NotifyPopupStack::kMaxPopups,
                                  NotifyPopup::kFadeMs * 5);
        QStringList texts;
        for (NotifyPopup *popup : popupsOnScreen())
            texts.append(textOf(popup));
        std::sort(texts.begin(), texts.end());
        QCOMPARE(texts, (QStringList {"2", "3", "4", "5", "6"}));
    }

    void titleAndPlainText()
    {
        NotifyPopupStack stack;
        NotifyPopup *plain = stack.addText(QStringLiteral("<b>x</b>"));
        QCOMPARE(plain->findChild<QLabel *>(QStringLiteral("labTitle"))->text(),
                 QStringLiteral("Notice"));
        QCOMPARE(plain->findChild<QLabel *>(QStringLiteral("labText"))->textFormat(),
                 Qt::PlainText);
        stack.setTitle(QStringLiteral("Title"));
        NotifyPopup *titled = stack.addText(QStringLiteral("y"));
        QCOMPARE(titled->findChild<QLabel *>(QStringLiteral("labTitle"))->text(),
                 QStringLiteral("Title"));
    }
};

QTEST_MAIN(tst_NotifyPopupStack)
#include "tst_notifypopupstack.moc"
