#pragma once

#include <QThread>

// The play-token worker: one thread for the process, made on first use and kept until the
// process ends. It asks the business library for every play token and runs until the library
// reports that all of them are in.
class CPlayTokenRequestObj : public QThread
{
    Q_OBJECT

public:
    static CPlayTokenRequestObj *instance();

    // Starts the requests (no-op while they run).
    void startRequest();
    // Drops the tokens; cancels requests in flight and ends the thread.
    void stopRequest();

protected:
    void run() override;

private:
    CPlayTokenRequestObj();
};
