#include "ZoCefPageScripts.h"

#include "lumo/DPrintLog.h"
#include "render/ZoCefBridge.h"
#include "render/ZoCefScripts.h"

#include <QFile>
#include <QRegularExpression>

namespace ZoCef {

using ZoCefRender::ZoCefBridge;

namespace {

QString resourceText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        LUMO_LOG(6, "missing page script %s", qUtf8Printable(path));
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

QWebEngineScript makeScript(const QString &name, const QString &source, quint32 world)
{
    QWebEngineScript script;
    script.setName(name);
    script.setSourceCode(source);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(world);
    script.setRunsOnSubFrames(true);
    return script;
}

// The native function as page script: calls with the wrong number of arguments return
// undefined and send nothing; an accepted call returns 0, its reply comes by RPCNotify.
QString nativeStub(const QString &name, const QString &params)
{
    const int count = ZoCefBridge::argumentCount(name.toStdString());
    if (count < 0) {
        LUMO_LOG(6, "page script declares an unknown native function %s", qUtf8Printable(name));
        return QStringLiteral("function %1(%2) { }").arg(name, params);
    }
    const QString message = QString::fromStdString(ZoCefBridge::messageName(name.toStdString()));
    // Event details cross script worlds as clones: strings only.
    const QString detail = count == 1
        ? QStringLiteral("String(arguments[0])")
        : QStringLiteral("JSON.stringify(Array.prototype.map.call(arguments, String))");
    return QStringLiteral("function %1(%2) {"
                          " if (arguments.length !== %3) return;"
                          " document.dispatchEvent(new CustomEvent('%4', {detail: %5}));"
                          " return 0; }")
        .arg(name, params, QString::number(count), message, detail);
}

} // namespace

QString ZoCefPageScripts::mainWorldSource(const QString &extension)
{
    static const QRegularExpression declaration(
        QStringLiteral("native\\s+function\\s+(\\w+)\\s*\\(([^)]*)\\)\\s*;"));
    QString result;
    result.reserve(extension.size() + 512);
    int last = 0;
    QRegularExpressionMatchIterator it = declaration.globalMatch(extension);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        result += extension.midRef(last, match.capturedStart() - last);
        result += nativeStub(match.captured(1), match.captured(2));
        last = match.capturedEnd();
    }
    result += extension.midRef(last);
    return result;
}

const QList<QWebEngineScript> &ZoCefPageScripts::scripts()
{
    // QtWebEngine 5 does not keep the order of scripts that share an injection point, so
    // each world gets one script that joins its parts in their order.
    static const QList<QWebEngineScript> list = [] {
        QString pageWorld;
        for (const ZoCefRender::ZoCefScripts::Script &script :
             ZoCefRender::ZoCefScripts::scripts()) {
            const QString source
                = QString::fromUtf8(ZoCefRender::ZoCefScripts::source(script.name));
            if (source.isEmpty())
                LUMO_LOG(6, "missing page script %s", script.name);
            pageWorld += QStringLiteral("// ") + QLatin1String(script.name) + QLatin1Char('\n')
                + mainWorldSource(source) + QLatin1Char('\n');
        }
        const QString bridgeWorld = resourceText(QStringLiteral(":/qtwebchannel/qwebchannel.js"))
            + QLatin1Char('\n') + resourceText(QStringLiteral(":/zocefview/ZoCefChannelBridge.js"));
        return QList<QWebEngineScript> {
            makeScript(QStringLiteral("v8"), pageWorld, QWebEngineScript::MainWorld),
            makeScript(QStringLiteral("ZoCefChannelBridge"), bridgeWorld,
                       QWebEngineScript::ApplicationWorld),
        };
    }();
    return list;
}

QString ZoCefPageScripts::stringLiteral(const QString &text)
{
    static const char hex[] = "0123456789abcdef";
    QString literal;
    literal.reserve(text.size() + text.size() / 8 + 2);
    literal += QLatin1Char('"');
    const QChar *chars = text.constData();
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const ushort c = chars[i].unicode();
        if (c == '"' || c == '\\') {
            literal += QLatin1Char('\\');
            literal += QChar(c);
            continue;
        }
        bool escape = c < 0x20 || c == 0x7f || c == 0x2028 || c == 0x2029;
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < size && QChar::isLowSurrogate(chars[i + 1].unicode())) {
                literal += QChar(c);
                literal += chars[++i];
                continue;
            }
            escape = true;
        } else if (QChar::isLowSurrogate(c)) {
            escape = true;
        }
        if (!escape) {
            literal += QChar(c);
            continue;
        }
        const QChar sequence[6] = {QLatin1Char('\\'),
                                   QLatin1Char('u'),
                                   QLatin1Char(hex[(c >> 12) & 0xf]),
                                   QLatin1Char(hex[(c >> 8) & 0xf]),
                                   QLatin1Char(hex[(c >> 4) & 0xf]),
                                   QLatin1Char(hex[c & 0xf])};
        literal.append(sequence, 6);
    }
    literal += QLatin1Char('"');
    return literal;
}

QString ZoCefPageScripts::callText(const QString &function, const QStringList &arguments)
{
    QString text = function + QLatin1Char('(');
    for (int i = 0; i < arguments.size(); ++i) {
        if (i)
            text += QLatin1String(", ");
        text += stringLiteral(arguments.at(i));
    }
    text += QLatin1Char(')');
    return text;
}

} // namespace ZoCef
