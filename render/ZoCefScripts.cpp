#include "ZoCefScripts.h"

#include <QFile>

#include <cstring>

// The resource sits in a static library: nothing would pull its object file in without an
// explicit reference, and Q_INIT_RESOURCE must be used outside any namespace.
static void initScriptResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(korvelrender);
        return true;
    }();
    Q_UNUSED(done);
}

namespace ZoCefRender {

const QList<ZoCefScripts::Script> &ZoCefScripts::scripts()
{
    static const QList<Script> list = {
        {"v8/ClientObject", ":/render/v8/ClientObject.js"},
        {"v8/QWebChannel", ":/render/v8/QWebChannel.js"},
        {"v8/qt", ":/render/v8/qt.js"},
    };
    return list;
}

QByteArray ZoCefScripts::source(const char *name)
{
    initScriptResources();
    for (const Script &script : scripts()) {
        if (std::strcmp(script.name, name) != 0)
            continue;
        QFile file(QString::fromLatin1(script.resource));
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        return file.readAll();
    }
    return QByteArray();
}

} // namespace ZoCefRender
