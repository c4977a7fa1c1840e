#pragma once

#include "zocefview_global.h"

#include <QList>
#include <QString>
#include <QWebEngineScript>

namespace ZoCef {

// The scripts that every page and frame of a ZoCefWebView gets, and the script texts the
// view runs in pages. Internal to the library (exported for its tests). GUI thread only.
class ZOCEFVIEW_EXPORT ZoCefPageScripts
{
public:
    // The three bridge scripts, joined in their order, for the main world; the web channel
    // and the channel bridge for the application world. Both at document creation, in every
    // frame.
    static const QList<QWebEngineScript> &scripts();

    // The main-world form of a bridge script: each `native function NAME(params);`
    // declaration becomes a function that applies the argument rule and hands an accepted
    // call to the channel bridge as a DOM event named after the call's message.
    static QString mainWorldSource(const QString &extension);

    // A JavaScript string literal that evaluates to exactly text, whatever it holds: quotes,
    // backslashes, control characters, line and paragraph separators and lone surrogates
    // are escaped, everything else is kept.
    static QString stringLiteral(const QString &text);
    // "function(<literal>, <literal>...)", to run in a page.
    static QString callText(const QString &function, const QStringList &arguments);
};

} // namespace ZoCef
