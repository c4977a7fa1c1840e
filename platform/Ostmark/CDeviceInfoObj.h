#pragma once

#include "ostmark_global.h"

#include <QJsonObject>
#include <QMap>
#include <QStringList>

#include <mutex>

// The session's cache of device information, by device id, shared by the client and the app
// plugins (which fill it from the service). PlayToken asks for the tokens of the devices held
// here. Emptied at logout and before each daily token refresh.
//
// Thread-safe.
class OSTMARK_EXPORT CDeviceInfoObj
{
public:
    static CDeviceInfoObj *instance();

    void setDeviceInfo(const QString &deviceId, const QJsonObject &info);
    QJsonObject getDeviceInfo(const QString &deviceId) const; // empty when unknown
    QStringList deviceIds() const;
    void clearDeviceInfoObj();

    CDeviceInfoObj(const CDeviceInfoObj &) = delete;
    CDeviceInfoObj &operator=(const CDeviceInfoObj &) = delete;

private:
    CDeviceInfoObj() = default;

    mutable std::mutex m_mutex;
    QMap<QString, QJsonObject> m_mapDevices;
};
