#include "ZoGui/ZoFile.h"
#include "ZoGui/ZoLineEdit.h"

#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

using ZoGUI::ZoLineEdit;

class tst_ZoLineEdit : public QObject
{
    Q_OBJECT

    // A window with a two-page stack; the field sits on page 1, as in a settings form.
    struct Form
    {
        QWidget window;
        QStackedWidget *stack = new QStackedWidget;
        ZoLineEdit *edit = new ZoLineEdit;

        Form()
        {
            auto *layout = new QVBoxLayout(&window);
            layout->addWidget(stack);
            stack->addWidget(new QWidget);
            auto *page = new QWidget;
            auto *pageLayout = new QVBoxLayout(page);
            pageLayout->addWidget(edit);
            pageLayout->addStretch();
            stack->addWidget(page);
            stack->setCurrentIndex(1);
            window.resize(400, 200);
        }
    };

private slots:
    void errorHintShownBelowAndCleared()
    {
        Form form;
        form.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.window));

        form.edit->showErrorHint(true, QStringLiteral("please input Picture Path!"));
        QVERIFY(form.edit->isErrorHintShown());
        QCOMPARE(form.edit->property("errorHint").toBool(), true);
        QLabel *hint = form.edit->errorHintLabel();
        QVERIFY(hint);
        QCOMPARE(hint->text(), QStringLiteral("please input Picture Path!"));
        QVERIFY(hint->isVisible());
        const QPoint fieldBottom = form.edit->mapTo(&form.window, QPoint(0, form.edit->height()));
        QVERIFY(hint->geometry().top() >= fieldBottom.y());
        QCOMPARE(hint->geometry().left(), fieldBottom.x());

        // Switching to another page hides the note with its field; coming back shows it.
        form.stack->setCurrentIndex(0);
        QVERIFY(!hint->isVisible());
        form.stack->setCurrentIndex(1);
        QVERIFY(hint->isVisible());

        form.edit->showErrorHint(false, QString());
        QVERIFY(!form.edit->isErrorHintShown());
        QCOMPARE(form.edit->property("errorHint").toBool(), false);
        QTRY_VERIFY(!form.window.findChild<QLabel *>(QStringLiteral("labErrorHint")));
        QVERIFY(form.edit->errorHintText().isEmpty());
    }

    // With the shipped style sheets the field's border turns red while the hint is shown.
    void skinMarksTheFieldWhileTheHintIsShown()
    {
        const QString folder = QStringLiteral(KORVEL_BIN_DIR "/Skin/ZodovEvor/ZoGUI/CSS/");
        const QStringList sheets = QDir(folder).entryList({QStringLiteral("*.CSS")}, QDir::Files);
        QVERIFY(sheets.contains(QStringLiteral("ZoLineEdit.CSS")));
        qApp->setStyleSheet(QString::fromUtf8(ZoGUI::ZoFile::ReadAll(sheets, folder)));
        Form form;
        form.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.window));
        auto borderIsRed = [&form] {
            const QColor c = form.edit->grab().toImage().pixelColor(0, form.edit->height() / 2);
            return c.red() > 200 && c.green() < 120 && c.blue() < 120;
        };
        QVERIFY(!borderIsRed());
        form.edit->showErrorHint(true, QStringLiteral("please input Picture Path!"));
        QVERIFY(borderIsRed());
        form.edit->showErrorHint(false, QString());
        QVERIFY(!borderIsRed());
        qApp->setStyleSheet(QString());
    }

    void typingClearsTheHint()
    {
        Form form;
        form.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.window));
        form.edit->showErrorHint(true, QStringLiteral("please input Record Path!"));
        form.edit->setText(QStringLiteral("/srv")); // a program's change keeps the hint
        QVERIFY(form.edit->isErrorHintShown());
        QTest::keyClicks(form.edit, QStringLiteral("x"));
        QVERIFY(!form.edit->isErrorHintShown());
    }

    void showingAgainReplacesTheText()
    {
        Form form;
        form.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.window));
        form.edit->showErrorHint(true, QStringLiteral("first"));
        form.edit->showErrorHint(true, QStringLiteral("second"));
        QCOMPARE(form.window.findChildren<QLabel *>(QStringLiteral("labErrorHint")).size(), 1);
        QCOMPARE(form.edit->errorHintLabel()->text(), QStringLiteral("second"));
    }

    // A read-only path field is changed only through its trailing folder action.
    void trailingActionOnReadOnlyField()
    {
        Form form;
        auto *browse = new QAction(QIcon(), QString(), form.edit);
        browse->setObjectName(QStringLiteral("PicBrowse"));
        form.edit->addAction(browse, QLineEdit::TrailingPosition);
        form.edit->setReadOnly(true);
        QSignalSpy triggered(browse, &QAction::triggered);
        form.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form.window));

        QToolButton *button = nullptr;
        for (QToolButton *b : form.edit->findChildren<QToolButton *>()) {
            if (b->defaultAction() == browse)
                button = b;
        }
        QVERIFY(button);
        QVERIFY(button->isVisible());
        QVERIFY(button->geometry().center().x() > form.edit->width() / 2); // trailing side
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(triggered.count(), 1);
    }
};

QTEST_MAIN(tst_ZoLineEdit)
#include "tst_zolineedit.moc"
