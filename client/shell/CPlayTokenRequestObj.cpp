#include "CPlayTokenRequestObj.h"

#include "Ostmark/PlayToken.h"

#include <mutex>

CPlayTokenRequestObj *CPlayTokenRequestObj::instance()
{
    static std::mutex mutex;
    static CPlayTokenRequestObj *worker = nullptr;
    std::lock_guard<std::mutex> lock(mutex);
    if (!worker)
        worker = new CPlayTokenRequestObj(); // kept until the process ends
    return worker;
}

CPlayTokenRequestObj::CPlayTokenRequestObj() : QThread(nullptr)
{
    // Direct: the library may report from its own thread, and quit() is thread-safe.
    connect(PlayToken::instance(), &PlayToken::sgnGetAllTokens, this, &QThread::quit,
            Qt::DirectConnection);
}

void CPlayTokenRequestObj::startRequest()
{
    start(QThread::InheritPriority);
}

void CPlayTokenRequestObj::stopRequest()
{
    PlayToken::instance()->clearAllPlayTokens();
    if (isRunning()) {
        PlayToken::instance()->cancelRequestAllPlayTokens();
        exit(0);
    }
}

void CPlayTokenRequestObj::run()
{
    PlayToken::instance()->requestAllPlayTokens();
    exec();
}
