#include "CBaseInfo.h"

#include "os/OsSystemInfo.h"

#include <QNetworkInterface>
#include <QSysInfo>

namespace ConfigInfo {

CBaseInfo *CBaseInfo::instance()
{
    static CBaseInfo info;
    return &info;
}

void CBaseInfo::setMenuInfo(const MenuInfo &info)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_mapMenuIndex.constFind(info.strMenuPath);
    if (it != m_mapMenuIndex.constEnd()) {
        m_vecMenu[it.value()] = info;
        return;
    }
    m_mapMenuIndex.insert(info.strMenuPath, m_vecMenu.size());
    m_vecMenu.append(info);
}

MenuInfo CBaseInfo::getMenuInfo(const QString &menuPath) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_mapMenuIndex.constFind(menuPath);
    if (it != m_mapMenuIndex.constEnd())
        return m_vecMenu.at(it.value());
    MenuInfo absent;
    absent.strMenuPath = menuPath;
    return absent;
}

QVector<MenuInfo> CBaseInfo::getAllMenuInfo() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_vecMenu;
}

void CBaseInfo::clearAllMenuInfo()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_vecMenu.clear();
    m_mapMenuIndex.clear();
}

void CBaseInfo::setOpenOSD(bool open)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bOpenOSD = open;
}

bool CBaseInfo::getOpenOSD() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_bOpenOSD;
}

void CBaseInfo::setProductName(const QString &name)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strProductName = name;
}

QString CBaseInfo::getProductName() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strProductName;
}

void CBaseInfo::setProductType(int type)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_iProductType = type;
}

int CBaseInfo::getProductType() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_iProductType;
}

void CBaseInfo::setInstructionUrl(const QString &url)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_strInstructionUrl = url;
}

QString CBaseInfo::getInstructionUrl() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_strInstructionUrl;
}

namespace {

QString findSysMac()
{
    // Prefer an interface that is up; fall back to any with a real hardware address, so the
    // device id stays the same while a cable is unplugged. Interfaces come in index order.
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    QString fallback;
    for (const QNetworkInterface &iface : interfaces) {
        const QNetworkInterface::InterfaceFlags flags = iface.flags();
        if (flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        const QString mac = iface.hardwareAddress();
        if (mac.isEmpty() || mac == QLatin1String("00:00:00:00:00:00"))
            continue;
        if (flags.testFlag(QNetworkInterface::IsUp) && flags.testFlag(QNetworkInterface::IsRunning))
            return mac.toUpper();
        if (fallback.isEmpty())
            fallback = mac.toUpper();
    }
    return fallback;
}

} // namespace

QString CBaseInfo::getSysMac()
{
    static const QString mac = findSysMac();
    return mac;
}

// The system's name and architecture do not change while the client runs; reading them
// means reading files of the system, too slow for every "GetClientInfo" of the page.
QString CBaseInfo::getSysVersion()
{
    static const QString version = os::OsSystemInfo::versionText();
    return version;
}

int CBaseInfo::getSysBit()
{
    static const int bits
        = QSysInfo::currentCpuArchitecture().contains(QLatin1String("64")) ? 64 : 32;
    return bits;
}

} // namespace ConfigInfo
