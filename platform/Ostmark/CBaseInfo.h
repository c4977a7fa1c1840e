#pragma once

#include "ConfigRecords.h"
#include "ostmark_global.h"

#include <QMap>
#include <QString>
#include <QVector>

#include <mutex>

namespace ConfigInfo {

// What the service tells about the logged-in user's session (menus, product, manual address,
// watermark) and what the machine tells about itself.
//
// The session part lives in memory only: it is filled at every login and cleared at logout,
// and a copy left on disk by a client that was killed while logged in would hand the previous
// user's menus to the next login.
//
// Thread-safe: the web message queue writes from its worker thread while the GUI thread
// reads.
class OSTMARK_EXPORT CBaseInfo
{
public:
    static CBaseInfo *instance();

    // Adds the menu, or replaces the one with the same path (keeping its place).
    void setMenuInfo(const MenuInfo &info);
    // The menu of that path; bPresent false (and the path filled in) when there is none.
    MenuInfo getMenuInfo(const QString &menuPath) const;
    // All menus, in the order they were first set.
    QVector<MenuInfo> getAllMenuInfo() const;
    void clearAllMenuInfo();

    void setOpenOSD(bool open); // on-screen watermark on video
    bool getOpenOSD() const;

    void setProductName(const QString &name);
    QString getProductName() const;
    void setProductType(int type);
    int getProductType() const;

    void setInstructionUrl(const QString &url); // the user manual
    QString getInstructionUrl() const;

    // The MAC address of the first active non-loopback interface ("AA:BB:CC:DD:EE:FF"),
    // the same for the whole run; empty when the machine has none.
    static QString getSysMac();
    static QString getSysVersion(); // the operating system's name and version
    static int getSysBit(); // 64 or 32: the machine's processor

    CBaseInfo(const CBaseInfo &) = delete;
    CBaseInfo &operator=(const CBaseInfo &) = delete;

private:
    CBaseInfo() = default;

    mutable std::mutex m_mutex;
    QVector<MenuInfo> m_vecMenu;
    QMap<QString, int> m_mapMenuIndex; // menu path -> index in m_vecMenu
    bool m_bOpenOSD = false;
    QString m_strProductName;
    int m_iProductType = 0;
    QString m_strInstructionUrl;
};

} // namespace ConfigInfo
