#pragma once

#include <QByteArray>
#include <QList>

namespace ZoCefRender {

// The scripts injected into every page and frame, in their order of registration. The texts
// are compiled into the program as a Qt resource. Any thread.
class ZoCefScripts
{
public:
    struct Script
    {
        const char *name; // extension name, e.g. "v8/ClientObject"
        const char *resource; // resource path of its text
    };

    static const QList<Script> &scripts();
    // The UTF-8 text of the named script; empty when there is no such script.
    static QByteArray source(const char *name);
};

} // namespace ZoCefRender
