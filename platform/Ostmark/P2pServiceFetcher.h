#pragma once

#include "NetworkListener.h"
#include "SessionRecords.h"

#include <QObject>

namespace Common {
class Network;
}

// Fetches the P2P service configuration for QRCommon. Internal to the library.
//
// Thread affinity: QRCommon's worker thread; its one request object lives there too.
class P2pServiceFetcher : public QObject, public Common::NetworkListener
{
    Q_OBJECT

public:
    P2pServiceFetcher();
    ~P2pServiceFetcher() override;

    void fetch(quint64 generation, const QString &url, const QString &token);

    void onNetworkData(const QByteArray &chunk, const QString &name) override;
    void onNetworkFinished(const QString &name) override;
    void onNetworkError(Common::NetworkError error, const QString &text,
                        const QString &name) override;

    static bool parseAnswer(const QByteArray &answer, P2pServiceConfig *config);

private:
    Common::Network *m_pNetwork = nullptr;
    quint64 m_generation = 0;
    QByteArray m_answer;
};
