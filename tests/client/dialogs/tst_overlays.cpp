#include "QMaskWidget.h"
#include "QPublicMsgDlg.h"
#include "StartLoadWidget.h"

#include "Ostmark/CStorePaths.h"

#include <QDir>
#include <QFile>
#include <QGraphicsDropShadowEffect>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTranslator>
#include <QtTest>

// Every test runs in a program folder of its own, which is also the current folder, as in
// the installed client.
class tst_Overlays : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void buttonsHideAndNotify_data();
    void buttonsHideAndNotify();
    void contentLineDistanceAndStart_data();
    void contentLineDistanceAndStart();
    void titleShownLeftAligned();
    void linksInTheBodyGoNowhere();
    void shadowColourByProgram_data();
    void shadowColourByProgram();
    void missingStyleSheetKeepsBuiltInLook();
    void styleSheetFileApplied();
    void shippedSkinStylesDialog();
    void translatedTexts();

    void maskWidget();

    void startLoadWithoutGif();
    void startLoadPlaysGif();

private:
    void writeLocalConfig(const QString &program, const QString &skin);
    QString skinFolder(const QString &skin) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previousCurrent;
};

void tst_Overlays::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_previousCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
    ConfigInfo::CStorePaths::setProgramFolder(m_dir->path());
    ConfigInfo::CStorePaths::setUserStoreFolder(m_dir->filePath(QStringLiteral("user")));
}

void tst_Overlays::cleanup()
{
    ConfigInfo::CStorePaths::setProgramFolder(QString());
    ConfigInfo::CStorePaths::setUserStoreFolder(QString());
    QDir::setCurrent(m_previousCurrent);
    m_dir.reset();
}

void tst_Overlays::writeLocalConfig(const QString &program, const QString &skin)
{
    QSettings settings(m_dir->filePath(QStringLiteral("Localcfg.ini")), QSettings::IniFormat);
    settings.setValue(QStringLiteral("Type/Program"), program);
    settings.setValue(QStringLiteral("Skin/Path"), skin);
    settings.sync();
    QCOMPARE(settings.status(), QSettings::NoError);
}

QString tst_Overlays::skinFolder(const QString &skin) const
{
    return m_dir->filePath(QStringLiteral("Skin/%1/TarnRetailClient").arg(skin));
}

void tst_Overlays::buttonsHideAndNotify_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("close") << QStringLiteral("closeBtn");
    QTest::newRow("finish") << QStringLiteral("finishBtn");
}

void tst_Overlays::buttonsHideAndNotify()
{
    QFETCH(QString, button);
    QPublicMsgDlg dialog;
    dialog.initDialog();
    QVERIFY(dialog.isHidden());

    auto *pushButton = dialog.findChild<QPushButton *>(button);
    QVERIFY(pushButton);
    QVector<bool> visibleWhenNotified;
    connect(&dialog, &QPublicMsgDlg::sgnPublicMsgDlgClose, this,
            [&] { visibleWhenNotified << dialog.isVisible(); });

    // The dialog is reused: each showing closes with exactly one notification.
    for (int round = 1; round <= 2; ++round) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(pushButton, Qt::LeftButton);
        QVERIFY(dialog.isHidden());
        QCOMPARE(visibleWhenNotified, QVector<bool>(round, false));
    }
}

void tst_Overlays::contentLineDistanceAndStart_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("minimumBlocks");

    QString plain;
    QString rich;
    for (int i = 0; i < 60; ++i) {
        plain += QStringLiteral("Paragraph %1 of the notice\n").arg(i);
        rich += QStringLiteral("<p>Paragraph <b>%1</b> of the notice</p>").arg(i);
    }
    QTest::newRow("plain") << plain << 60;
    QTest::newRow("rich") << rich << 60;
    QTest::newRow("rich list") << QStringLiteral("<ul><li>one</li><li>two</li></ul><p>three</p>")
                               << 3;
}

void tst_Overlays::contentLineDistanceAndStart()
{
    QFETCH(QString, content);
    QFETCH(int, minimumBlocks);

    QPublicMsgDlg dialog;
    dialog.initDialog();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *browser = dialog.findChild<QTextBrowser *>(QStringLiteral("contentBrowser"));
    QVERIFY(browser);

    // A previous notice, read to its end.
    QString previous;
    for (int i = 0; i < 100; ++i)
        previous += QStringLiteral("Earlier line %1\n").arg(i);
    dialog.setContent(previous);
    QScrollBar *bar = browser->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);
    browser->moveCursor(QTextCursor::End);
    bar->setValue(bar->maximum());
    QVERIFY(bar->value() > 0);

    dialog.setContent(content);

    const QTextDocument *document = browser->document();
    QVERIFY(document->blockCount() >= minimumBlocks);
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        QCOMPARE(format.lineHeightType(), int(QTextBlockFormat::LineDistanceHeight));
        QCOMPARE(format.lineHeight(), 10.0);
    }
    QCOMPARE(browser->textCursor().position(), 0);
    QCOMPARE(bar->value(), 0);
}

void tst_Overlays::titleShownLeftAligned()
{
    QPublicMsgDlg dialog;
    dialog.initDialog();
    dialog.setTitle(QStringLiteral("Maintenance on Sunday"));
    auto *title = dialog.findChild<QLabel *>(QStringLiteral("titleLab"));
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("Maintenance on Sunday"));
    QCOMPARE(title->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    dialog.setTitle(QStringLiteral("Second notice"));
    QCOMPARE(title->text(), QStringLiteral("Second notice"));
}

void tst_Overlays::linksInTheBodyGoNowhere()
{
    QPublicMsgDlg dialog;
    dialog.initDialog();
    dialog.setContent(QStringLiteral("<p>See <a href=\"file:///etc/hostname\">this</a></p>"));
    auto *browser = dialog.findChild<QTextBrowser *>(QStringLiteral("contentBrowser"));
    QVERIFY(browser);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QString before = browser->toHtml();
    QSignalSpy clicked(browser, &QTextBrowser::anchorClicked);
    // Click in the middle of the link's text.
    QTextCursor link = browser->document()->find(QStringLiteral("this"));
    QVERIFY(!link.isNull());
    link.setPosition(link.selectionStart() + 2);
    const QPoint at = browser->cursorRect(link).center();
    QTest::mousePress(browser->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(browser->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(browser->source(), QUrl());
    QCOMPARE(browser->toHtml(), before);
}

void tst_Overlays::shadowColourByProgram_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Calen") << QStringLiteral("KorvelCalen") << QColor(77, 137, 255);
    QTest::newRow("Brisa") << QStringLiteral("KorvelBrisa") << QColor(246, 93, 78);
    QTest::newRow("Arden") << QStringLiteral("KorvelArden") << QColor(58, 92, 225);
    QTest::newRow("unknown") << QStringLiteral("KorvelOther") << QColor(58, 92, 225);
    QTest::newRow("other case") << QStringLiteral("korvelcalen") << QColor(58, 92, 225);
}

void tst_Overlays::shadowColourByProgram()
{
    QFETCH(QString, program);
    QFETCH(QColor, colour);
    writeLocalConfig(program, QStringLiteral("Korvel"));

    QPublicMsgDlg dialog;
    dialog.initDialog();
    auto *heading = dialog.findChild<QLabel *>(QStringLiteral("MsgTitleLab"));
    QVERIFY(heading);
    auto *shadow = qobject_cast<QGraphicsDropShadowEffect *>(heading->graphicsEffect());
    QVERIFY(shadow);
    QCOMPARE(shadow->color(), colour);
    QCOMPARE(shadow->color().alpha(), 255);
    QCOMPARE(shadow->blurRadius(), 1.0);
    QCOMPARE(shadow->offset(), QPointF(0, 4));
}

void tst_Overlays::missingStyleSheetKeepsBuiltInLook()
{
    writeLocalConfig(QStringLiteral("KorvelBrisa"), QStringLiteral("Korvel"));
    QPublicMsgDlg dialog;
    dialog.initDialog();

    QVERIFY(dialog.styleSheet().isEmpty());
    QCOMPARE(dialog.objectName(), QStringLiteral("QPublicMsgDlg"));
    QVERIFY(dialog.isWindow());
    QVERIFY(dialog.windowFlags().testFlag(Qt::Tool));
    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
    QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
    QCOMPARE(dialog.maximumSize(), QSize(560, 600));

    auto *heading = dialog.findChild<QLabel *>(QStringLiteral("MsgTitleLab"));
    auto *title = dialog.findChild<QLabel *>(QStringLiteral("titleLab"));
    auto *browser = dialog.findChild<QTextBrowser *>(QStringLiteral("contentBrowser"));
    auto *finish = dialog.findChild<QPushButton *>(QStringLiteral("finishBtn"));
    QVERIFY(heading && title && browser && finish);

    QCOMPARE(heading->text(), QStringLiteral("Notice"));
    QCOMPARE(heading->alignment(), Qt::AlignCenter);
    QCOMPARE(heading->font().family(), QStringLiteral("Microsoft YaHei"));
    QCOMPARE(heading->font().pointSize(), 34);
    QCOMPARE(heading->font().weight(), 75);
    QVERIFY(qobject_cast<QGraphicsDropShadowEffect *>(heading->graphicsEffect()));
    QCOMPARE(title->font().family(), QStringLiteral("Microsoft YaHei"));
    QCOMPARE(title->font().pointSize(), 16);
    QCOMPARE(title->font().weight(), 75);
    QCOMPARE(browser->font().family(), QStringLiteral("Microsoft YaHei"));
    QCOMPARE(browser->font().pointSize(), 14);
    QCOMPARE(browser->font().weight(), 50);
    QCOMPARE(finish->text(), QStringLiteral("I know"));
    QVERIFY(browser->verticalScrollBar()->styleSheet().contains(
        QStringLiteral("width:16px;\t\t\tmargin-left:10px;")));
}

void tst_Overlays::styleSheetFileApplied()
{
    // The skin folder name comes from the local configuration.
    writeLocalConfig(QStringLiteral("KorvelArden"), QStringLiteral("Plain"));
    const QString qssFolder = skinFolder(QStringLiteral("Plain")) + QStringLiteral("/QssFile");
    QVERIFY(QDir().mkpath(qssFolder));
    const QByteArray sheet = "QWidget#QPublicMsgDlg{background-color:rgb(10,20,30);}"
                             "/* caf\xe9 */";
    QFile file(qssFolder + QStringLiteral("/QPublicMsgDlg.qss"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(sheet + QByteArray("\0QWidget{color:red;}", 20));
    file.close();

    QPublicMsgDlg dialog;
    dialog.initDialog();
    QCOMPARE(dialog.styleSheet(), QString::fromLatin1(sheet));
    QVERIFY(dialog.styleSheet().endsWith(QStringLiteral("caf\u00e9 */")));

    // The background of the translucent window comes from the style sheet.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QColor corner = dialog.grab().toImage().pixelColor(1, 1);
    QCOMPARE(corner, QColor(10, 20, 30));
}

void tst_Overlays::shippedSkinStylesDialog()
{
    // The build lays out the default skin in its program folder.
    QVERIFY(QDir::setCurrent(QStringLiteral(KORVEL_BIN_DIR)));
    QPublicMsgDlg dialog;
    dialog.initDialog();
    QVERIFY(dialog.styleSheet().contains(QStringLiteral("QPushButton#finishBtn")));
    QVERIFY(QFile::exists(QStringLiteral("Skin/Korvel/TarnRetailClient/publicMsgClose.svg")));
}

void tst_Overlays::translatedTexts()
{
    QTranslator translator;
    QVERIFY(translator.load(
        QStringLiteral(KORVEL_BIN_DIR "/Language/Language_zh/KorvelDialogs_zh.qm")));
    QCoreApplication::installTranslator(&translator);
    QPublicMsgDlg dialog;
    dialog.initDialog();
    QCoreApplication::removeTranslator(&translator);

    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("finishBtn"))->text(),
             QStringLiteral("我知道了"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("MsgTitleLab"))->text(),
             QStringLiteral("公告"));
}

void tst_Overlays::maskWidget()
{
    QWidget owner;
    QMaskWidget mask(&owner);
    QCOMPARE(mask.objectName(), QStringLiteral("QMaskWidget"));
    QCOMPARE(mask.windowTitle(), QStringLiteral("QMaskWidget"));
    QCOMPARE(mask.size(), QSize(400, 300));
    QCOMPARE(mask.styleSheet(), QStringLiteral("QWidget{background-color:rgba(0,0,0,50%);}"));
    QVERIFY(mask.isWindow());
    QVERIFY(mask.windowFlags().testFlag(Qt::Tool));
    QVERIFY(mask.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(mask.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(mask.isHidden());

    // Half-transparent black wherever it lies.
    mask.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mask));
    const QColor pixel = mask.grab().toImage().pixelColor(200, 150);
    QCOMPARE(pixel.red(), 0);
    QCOMPARE(pixel.green(), 0);
    QCOMPARE(pixel.blue(), 0);
    QVERIFY2(qAbs(pixel.alpha() - 128) <= 1, qPrintable(QString::number(pixel.alpha())));
}

void tst_Overlays::startLoadWithoutGif()
{
    QWidget owner;
    StartLoadWidget loading(&owner);
    QCOMPARE(loading.objectName(), QStringLiteral("StartLoadWidget"));
    QCOMPARE(loading.size(), QSize(100, 100));
    QVERIFY(loading.isWindow());
    QVERIFY(loading.windowFlags().testFlag(Qt::Tool));
    QVERIFY(loading.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(loading.testAttribute(Qt::WA_TranslucentBackground));

    auto *label = loading.findChild<QLabel *>(QStringLiteral("labLoading"));
    QVERIFY(label && label->movie());
    QVERIFY(label->text().isEmpty());

    loading.startLoading();
    QVERIFY(loading.isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(&loading));
    QVERIFY(label->movie()->currentPixmap().isNull());
    QVERIFY(label->text().isEmpty());
    loading.stopLoading();
    QVERIFY(loading.isHidden());
}

void tst_Overlays::startLoadPlaysGif()
{
    writeLocalConfig(QStringLiteral("KorvelArden"), QStringLiteral("Korvel"));
    QVERIFY(QDir().mkpath(skinFolder(QStringLiteral("Korvel"))));
    QVERIFY(QFile::copy(
        QStringLiteral(KORVEL_SOURCE_DIR "/client/skin/Korvel/TarnRetailClient/startLoading.gif"),
        skinFolder(QStringLiteral("Korvel")) + QStringLiteral("/startLoading.gif")));

    QWidget owner;
    StartLoadWidget loading(&owner);
    auto *label = loading.findChild<QLabel *>(QStringLiteral("labLoading"));
    QVERIFY(label && label->movie());
    QMovie *movie = label->movie();
    QVERIFY(movie->isValid());
    QVERIFY(movie->frameCount() > 1);

    loading.startLoading();
    QVERIFY(loading.isVisible());
    QCOMPARE(movie->state(), QMovie::Running);
    QSignalSpy frames(movie, &QMovie::frameChanged);
    QVERIFY(frames.wait(5000));
    QVERIFY(!movie->currentPixmap().isNull());

    loading.stopLoading();
    QVERIFY(loading.isHidden());
    QCOMPARE(movie->state(), QMovie::NotRunning);
}

QTEST_MAIN(tst_Overlays)
#include "tst_overlays.moc"
