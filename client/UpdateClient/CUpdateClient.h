#pragma once

#include "Ostmark/NetworkListener.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace Common {
class Network;
}

// Asks the version service which client version is current and, when this installation is
// older, starts the updater from the program folder with everything it needs on its command
// line. It has no window; the main window keeps one instance for its whole life.
//
// Thread affinity: GUI thread only, the thread that made the object. The request object is
// made on the first query, so its callbacks arrive on this thread, one at a time.
class CUpdateClient : public QObject, public Common::NetworkListener
{
    Q_OBJECT

public:
    explicit CUpdateClient(QObject *parent = nullptr);
    ~CUpdateClient() override;

    // An empty address means the configured version address. Only the first call's address
    // is used: later calls repeat the same request.
    void queryVersion(const QString &url);

    // "V1.000.0000001.3.R" -> 103, "V1.000.0000001.12.R" -> 112: the third part followed by
    // the fourth as two digits at least. Anything but five parts, or no number, gives 0.
    static qlonglong versionNumber(const QString &version);

    void onNetworkData(const QByteArray &chunk, const QString &name) override;
    void onNetworkFinished(const QString &name) override;
    void onNetworkError(Common::NetworkError error, const QString &text,
                        const QString &name) override;

private:
    void dealWithClientVersionResult();

    Common::Network *m_pNetwork = nullptr;
    // Raw bytes, decoded once the answer is complete: a chunk may end inside a character.
    QByteArray m_byteAnswer;
    // The first evaluated answer; a later answer with the same version pair is a no-op.
    QString m_strVersion;
    QString m_strFileSize;
    QString m_strLeastVersion;
    QString m_strDesc;
};
