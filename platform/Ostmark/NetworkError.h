#pragma once

#include <QMetaType>
#include <QtGlobal>

namespace Common {

// What a failed request reports, by value: Qt's QNetworkReply::NetworkError code, then the
// HTTP status of the answer (0 when no answer came).
struct NetworkError
{
    qint32 iErrorCode = 0;
    qint32 iHttpStatusCode = 0;
};

} // namespace Common

Q_DECLARE_METATYPE(Common::NetworkError)
