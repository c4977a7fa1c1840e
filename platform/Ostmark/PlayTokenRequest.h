#pragma once

#include "NetworkListener.h"

#include <QObject>

namespace Common {
class Network;
}

// One round of PlayToken::requestAllPlayTokens: posts the request, parses the answer and
// hands it to PlayToken. Internal to the library.
//
// Thread affinity: the thread that asked for the tokens. It deletes itself when done, or
// when that thread ends (a worker stopped in mid-request).
class PlayTokenRequest : public QObject, public Common::NetworkListener
{
    Q_OBJECT

public:
    PlayTokenRequest(quint64 generation, const QString &url, const QString &token,
                     const QByteArray &body);
    ~PlayTokenRequest() override;

    void start();
    void cancel();

    void onNetworkData(const QByteArray &chunk, const QString &name) override;
    void onNetworkFinished(const QString &name) override;
    void onNetworkError(Common::NetworkError error, const QString &text,
                        const QString &name) override;

private:
    quint64 m_generation;
    Common::Network *m_pNetwork;
    QByteArray m_body;
    QByteArray m_answer;
};
