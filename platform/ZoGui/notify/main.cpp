// ZoMessageNotify: shows the client's text notifications as small popups. Started by the
// client with the name of its local server; ends when the client says "quit" or closes the
// socket, so it never outlives the client.

#include "NotifyConnection.h"
#include "NotifyPopup.h"
#include "NotifyPopupStack.h"

#include "ZoGui/ZoFile.h"
#include "lumo/DPrintLog.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLocale>
#include <QTranslator>

namespace {

const int kConnectTimeoutMs = 5000;

// Translators of the last "param" message; replaced by the next one.
QList<QTranslator *> s_translators;

void loadTranslations(const QStringList &files)
{
    for (QTranslator *translator : qAsConst(s_translators)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    s_translators.clear();
    for (const QString &file : files) {
        auto *translator = new QTranslator(qApp);
        if (translator->load(file) && QCoreApplication::installTranslator(translator)) {
            s_translators.append(translator);
        } else {
            LUMO_LOG(4, "translation not loaded: %s", qUtf8Printable(file));
            delete translator;
        }
    }
}

// Style of every named skin: its "ZoGUI/CSS/*.CSS" files below the program folder.
void loadSkins(const QStringList &skins)
{
    QByteArray sheet;
    for (const QString &skin : skins) {
        if (skin.isEmpty() || skin.contains(QLatin1String("..")))
            continue;
        const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/Skin/")
            + skin + QStringLiteral("/ZoGUI/CSS/");
        const QStringList files
            = QDir(folder).entryList({QStringLiteral("*.CSS")}, QDir::Files, QDir::Name);
        sheet += ZoGUI::ZoFile::ReadAll(files, folder);
    }
    qApp->setStyleSheet(QString::fromUtf8(sheet));
}

// "Chinese", "English", ...: the language names Qt itself uses.
void applyLanguageName(const QString &name)
{
    for (int value = QLocale::C; value <= QLocale::LastLanguage; ++value) {
        const auto language = static_cast<QLocale::Language>(value);
        if (QLocale::languageToString(language).compare(name, Qt::CaseInsensitive) == 0) {
            QLocale::setDefault(QLocale(language));
            return;
        }
    }
    if (!name.isEmpty())
        LUMO_LOG(4, "unknown language name %s", qUtf8Printable(name));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QCommandLineParser parser;
    const QCommandLineOption server(QStringLiteral("server"),
                                    QStringLiteral("Local server of the client."),
                                    QStringLiteral("name"));
    parser.addOption(server);
    parser.process(app);
    if (!parser.isSet(server)) {
        LUMO_LOG(6, "started without --server");
        return 2;
    }

    NotifyPopupStack stack;
    NotifyConnection connection;
    QObject::connect(
        &connection, &NotifyConnection::sgnParam,
        [](const QStringList &translations, const QStringList &skins, const QString &language) {
            loadTranslations(translations);
            loadSkins(skins);
            applyLanguageName(language);
        });
    QObject::connect(&connection, &NotifyConnection::sgnTitle, &stack, &NotifyPopupStack::setTitle);
    QObject::connect(&connection, &NotifyConnection::sgnText,
                     [&stack, &connection](quint64 id, const QString &text) {
                         NotifyPopup *popup = stack.addText(text);
                         connection.sendShown(id, stack.title(), text, popup->frameGeometry());
                     });
    QObject::connect(&connection, &NotifyConnection::sgnQuit, &app, &QCoreApplication::quit);
    QObject::connect(&connection, &NotifyConnection::sgnClosed, &app, &QCoreApplication::quit);

    if (!connection.open(parser.value(server), kConnectTimeoutMs))
        return 1;
    const int code = app.exec();
    stack.closeAll();
    return code;
}
