#include "ZoGui/ZoMessageBox.h"

#include <QtTest>

#include <QLabel>
#include <QPushButton>

#include <functional>

using ZoGUI::ZoMessageBox;

class tst_ZoMessageBox : public QObject
{
    Q_OBJECT

    struct Seen
    {
        bool found = false;
        bool okVisible = false;
        bool cancelVisible = false;
        QString title;
        QString text;
    };

    // Once the modal box is up, records what it shows and answers it with the given action.
    static void answerWhenShown(Seen *seen, std::function<void(ZoMessageBox *)> answer)
    {
        auto *timer = new QTimer(qApp);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [timer, seen, answer] {
            auto *box = qobject_cast<ZoMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            timer->stop();
            timer->deleteLater();
            seen->found = true;
            seen->okVisible = box->findChild<QPushButton *>(QStringLiteral("btnOK"))->isVisible();
            seen->cancelVisible
                = box->findChild<QPushButton *>(QStringLiteral("btnCancel"))->isVisible();
            seen->title = box->findChild<QLabel *>(QStringLiteral("labTitle"))->text();
            seen->text = box->findChild<QLabel *>(QStringLiteral("labText"))->text();
            answer(box);
        });
        timer->start();
    }

    static std::function<void(ZoMessageBox *)> click(const QString &button)
    {
        return [button](ZoMessageBox *box) {
            QTest::mouseClick(box->findChild<QPushButton *>(button), Qt::LeftButton);
        };
    }

private slots:
    void answers_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("okVisible");
        QTest::addColumn<bool>("cancelVisible");
        QTest::addColumn<int>("expected");

        QTest::newRow("9216 OK") << 9216 << "btnOK" << true << true << 1024;
        QTest::newRow("9216 Cancel") << 9216 << "btnCancel" << true << true << 0x2000;
        QTest::newRow("9216 close") << 9216 << "btnClose" << true << true << 0x2000;
        QTest::newRow("9216 Escape") << 9216 << "escape" << true << true << 0x2000;
        QTest::newRow("0x400 OK") << 0x400 << "btnOK" << true << false << 1024;
        QTest::newRow("0x400 close") << 0x400 << "btnClose" << true << false << 0;
        // Qt's own Cancel bit means nothing here; the box still offers OK.
        QTest::newRow("Qt Cancel bit") << 0x00400000 << "btnOK" << true << false << 1024;
        QTest::newRow("no buttons") << 0 << "btnOK" << true << false << 1024;
    }

    void answers()
    {
        QFETCH(int, buttons);
        QFETCH(QString, action);
        QFETCH(bool, okVisible);
        QFETCH(bool, cancelVisible);
        QFETCH(int, expected);

        Seen seen;
        if (action == QLatin1String("escape")) {
            answerWhenShown(&seen, [](ZoMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); });
        } else {
            answerWhenShown(&seen, click(action));
        }
        const int result = ZoMessageBox::ShowInformation(
            nullptr, QStringLiteral("Notice"), QStringLiteral("are you sure to exit application?"),
            buttons);
        QVERIFY(seen.found);
        QCOMPARE(result, expected);
        QCOMPARE(seen.okVisible, okVisible);
        QCOMPARE(seen.cancelVisible, cancelVisible);
        QCOMPARE(seen.title, QStringLiteral("Notice"));
        QCOMPARE(seen.text, QStringLiteral("are you sure to exit application?"));
    }

    // The compiled Chinese translation of the program folder names the buttons.
    void translatedButtons()
    {
        QTranslator translator;
        QVERIFY(
            translator.load(QStringLiteral(KORVEL_BIN_DIR "/Language/Language_zh/ZoGui_zh.qm")));
        QCoreApplication::installTranslator(&translator);
        ZoMessageBox box(nullptr, QString(), QString(), 9216);
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(box.findChild<QPushButton *>(QStringLiteral("btnOK"))->text(),
                 QString::fromUtf8("确定"));
        QCOMPARE(box.findChild<QPushButton *>(QStringLiteral("btnCancel"))->text(),
                 QString::fromUtf8("取消"));
        QCOMPARE(box.findChild<QPushButton *>(QStringLiteral("btnClose"))->toolTip(),
                 QString::fromUtf8("关闭"));
    }

    // Markup in a message is shown as it is written, never interpreted.
    void textIsPlain()
    {
        Seen seen;
        answerWhenShown(&seen, click(QStringLiteral("btnOK")));
        auto *parent = new QWidget;
        parent->show();
        ZoMessageBox::ShowInformation(parent, QStringLiteral("Notice"),
                                      QStringLiteral("<b>bold</b>"), 0x400);
        delete parent;
        QCOMPARE(seen.text, QStringLiteral("<b>bold</b>"));
        ZoMessageBox box(nullptr, QString(), QStringLiteral("<b>x</b>"), 0x400);
        QCOMPARE(box.findChild<QLabel *>(QStringLiteral("labText"))->textFormat(), Qt::PlainText);
    }
};

QTEST_MAIN(tst_ZoMessageBox)
#include "tst_zomessagebox.moc"
