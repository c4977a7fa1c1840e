#include "RecordingWebViewImp.h"

#include "Ostmark/AuthCenter.h"
#include "Ostmark/CStorePaths.h"
#include "Web/CWebViewBase.h"
#include "Web/SecretMask.h"
#include "lumo/DPrintLog.h"

#include <QtTest>

class tst_SecretMask : public QObject
{
    Q_OBJECT

private slots:
    void maskJson_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("masked");
        QTest::newRow("password") << "{\"userName\":\"bob\",\"password\":\"s3cr\\\"et\"}"
                                  << "{\"userName\":\"bob\",\"password\":\"***\"}";
        QTest::newRow("tokens and salt, nested")
            << "{\"a\":{\"token\":\"t1\",\"qrToken\":\"t2\"},\"salt\":\"x\"}"
            << "{\"a\":{\"token\":\"***\",\"qrToken\":\"***\"},\"salt\":\"***\"}";
        QTest::newRow("spaced") << "{ \"token\" : \"t1\" }"
                                << "{ \"token\" : \"***\" }";
        QTest::newRow("look-alike keys stay") << "{\"tokenType\":\"bearer\",\"mytoken\":\"v\"}"
                                              << "{\"tokenType\":\"bearer\",\"mytoken\":\"v\"}";
        QTest::newRow("non-string value stays") << "{\"token\":null}"
                                                << "{\"token\":null}";
        QTest::newRow("not JSON") << "password"
                                  << "password";
    }

    void maskJson()
    {
        QFETCH(QString, text);
        QFETCH(QString, masked);
        QCOMPARE(Web::SecretMask::maskJson(text), masked);
    }

    // What the page sends at login passes the log with the secrets masked.
    void loginLeavesNoSecretInTheLog()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        ConfigInfo::CStorePaths::setProgramFolder(dir.path());
        ConfigInfo::CStorePaths::setUserStoreFolder(dir.filePath(QStringLiteral("user")));
        const QString logFile = dir.filePath(QStringLiteral("log/run"));
        QVERIFY(lumo::DPrintLog::instance()->SetFile(logFile.toLocal8Bit().constData()));
        {
            auto *imp = new RecordingWebViewImp(QStringLiteral("Main"));
            Web::CWebViewBase view(QStringLiteral("Main"), imp);
            view.onRPCCall(QStringLiteral("{\"method\":\"LoginUserInfo\",\"params\":{\"userName\":"
                                          "\"bob\",\"password\":\"pw-SECRET-1\"}}"));
            view.onRPCCall(QStringLiteral(
                "{\"method\":\"NotifyLoginSucc\",\"params\":{\"userName\":\"bob\",\"token\":\"tok-"
                "SECRET-2\",\"qrToken\":\"qr-SECRET-3\",\"salt\":\"salt-SECRET-4\"}}"));
            view.onRPCCall(QStringLiteral("{\"method\":\"Broken\",\"password\":\"pw-SECRET-5\"}"));
            QTRY_VERIFY(AuthCenter::instance()->isClientLogined());
        }
        lumo::DPrintLog::instance()->Flush();
        QFile file(logFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray log = file.readAll();
        QVERIFY(log.contains("LoginUserInfo"));
        QVERIFY(log.contains("saveUserInfo token [tok-***]"));
        QVERIFY2(!log.contains("SECRET"), log.constData());
        ConfigInfo::CStorePaths::setProgramFolder(QString());
        ConfigInfo::CStorePaths::setUserStoreFolder(QString());
    }
};

QTEST_MAIN(tst_SecretMask)
#include "tst_secretmask.moc"
