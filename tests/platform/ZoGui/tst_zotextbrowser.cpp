#include "ZoGui/ZoTextBrowser.h"

#include <QtTest>

#include <QDesktopServices>

using ZoGUI::ZoTextBrowser;

// Stands in for the desktop's handlers, so that nothing is really opened.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

class tst_ZoTextBrowser : public QObject
{
    Q_OBJECT

    UrlRecorder m_recorder;
    const QStringList m_schemes {"http", "https", "mailto", "file", "ftp", "javascript", "korvel"};

private slots:
    void initTestCase()
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, &m_recorder, "open");
    }

    void cleanupTestCase()
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    // A description from the service may carry any link; a click opens web and mail
    // addresses only, and never replaces the description.
    void clickedLinks_data()
    {
        QTest::addColumn<QString>("href");
        QTest::addColumn<bool>("opened");
        QTest::newRow("https") << "https://example.com/notes?v=2" << true;
        QTest::newRow("http") << "http://127.0.0.1:18080/" << true;
        QTest::newRow("mailto") << "mailto:support@example.com" << true;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("ftp") << "ftp://example.com/a" << false;
        QTest::newRow("javascript") << "javascript:alert(1)" << false;
        QTest::newRow("program scheme") << "korvel://run" << false;
        QTest::newRow("http without host") << "http:///etc/passwd" << false;
    }

    void clickedLinks()
    {
        QFETCH(QString, href);
        QFETCH(bool, opened);
        m_recorder.opened.clear();

        ZoTextBrowser browser;
        browser.resize(400, 200);
        browser.setHtml(QStringLiteral("<a href=\"%1\">release notes</a>").arg(href));
        const QString shown = browser.toPlainText();
        browser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));
        QSignalSpy clicked(&browser, &QTextBrowser::anchorClicked);

        QTextCursor cursor(browser.document());
        cursor.setPosition(3);
        const QPoint onLink = browser.cursorRect(cursor).center();
        QTest::mouseClick(browser.viewport(), Qt::LeftButton, Qt::NoModifier, onLink);

        QCOMPARE(clicked.count(), 1);
        QCOMPARE(m_recorder.opened.size(), opened ? 1 : 0);
        if (opened)
            QCOMPARE(m_recorder.opened.first(), QUrl(href));
        QCOMPARE(browser.toPlainText(), shown);
    }
};

QTEST_MAIN(tst_ZoTextBrowser)
#include "tst_zotextbrowser.moc"
