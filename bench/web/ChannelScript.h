#pragma once

#include <QFile>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

// The reference shell's page side: Qt's own qwebchannel.js in the main world of every page,
// as a plain QWebChannel application would inject it.
inline void injectQtWebChannelScript(QWebEnginePage *page)
{
    QFile channelScript(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    channelScript.open(QIODevice::ReadOnly);
    QWebEngineScript script;
    script.setSourceCode(QString::fromUtf8(channelScript.readAll()));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    page->scripts().insert(script);
}
