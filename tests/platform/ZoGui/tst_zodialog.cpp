#include "ZoGui/ZoDialog.h"

#include <QtTest>

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using ZoGUI::ZoDialog;

class tst_ZoDialog : public QObject
{
    Q_OBJECT

private slots:
    void frameAndTitle()
    {
        ZoDialog dialog(nullptr, 1);
        QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(dialog.windowFlags() & Qt::WindowType_Mask, Qt::Dialog);
        dialog.setWindowTitle(QStringLiteral("About"));
        auto *title = dialog.findChild<QLabel *>(QStringLiteral("labTitle"));
        QVERIFY(title);
        QCOMPARE(title->text(), QStringLiteral("About"));
        QVERIFY(dialog.GetTitleBar()->isAncestorOf(title));
    }

    // Content placed in the central widget fills what the title bar leaves free.
    void centralWidgetHoldsTheContent()
    {
        ZoDialog dialog(nullptr, 1);
        dialog.setFixedSize(560, 395);
        auto *content = new QLabel(QStringLiteral("content"));
        content->setFixedSize(560, 355);
        auto *layout = new QVBoxLayout(dialog.GetCentralWidget());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(content);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.isAncestorOf(content));
        const QRect inDialog(content->mapTo(&dialog, QPoint(0, 0)), content->size());
        QVERIFY(dialog.rect().contains(inDialog));
        QVERIFY(!inDialog.intersects(dialog.GetTitleBar()->geometry()));
    }

    void closeButtonRejects_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<bool>("hasClose");
        QTest::newRow("flag 1") << 1 << true;
        QTest::newRow("flag 0") << 0 << false;
    }

    void closeButtonRejects()
    {
        QFETCH(int, flags);
        QFETCH(bool, hasClose);
        ZoDialog dialog(nullptr, flags);
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *close = dialog.findChild<QPushButton *>(QStringLiteral("btnClose"));
        QVERIFY(close);
        QCOMPARE(close->isVisible(), hasClose);
        if (!hasClose)
            return;
        QTest::mouseClick(close, Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
    }

    // Where the window manager cannot move the window, dragging the title bar moves it.
    void dragOnTitleBarMovesTheWindow()
    {
        ZoDialog dialog;
        dialog.resize(300, 200);
        dialog.move(100, 100);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QWidget *bar = dialog.GetTitleBar();
        const QPoint start(bar->width() / 3, bar->height() / 2);
        const QPoint before = dialog.pos();
        QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, start);
        QMouseEvent move(QEvent::MouseMove, start + QPoint(40, 25),
                         bar->mapToGlobal(start) + QPoint(40, 25), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(bar, &move);
        QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, start + QPoint(40, 25));
        QTRY_COMPARE(dialog.pos(), before + QPoint(40, 25));
    }
};

QTEST_MAIN(tst_ZoDialog)
#include "tst_zodialog.moc"
