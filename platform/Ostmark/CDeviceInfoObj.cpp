#include "CDeviceInfoObj.h"

CDeviceInfoObj *CDeviceInfoObj::instance()
{
    static CDeviceInfoObj obj;
    return &obj;
}

void CDeviceInfoObj::setDeviceInfo(const QString &deviceId, const QJsonObject &info)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mapDevices.insert(deviceId, info);
}

QJsonObject CDeviceInfoObj::getDeviceInfo(const QString &deviceId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mapDevices.value(deviceId);
}

QStringList CDeviceInfoObj::deviceIds() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mapDevices.keys();
}

void CDeviceInfoObj::clearDeviceInfoObj()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mapDevices.clear();
}
