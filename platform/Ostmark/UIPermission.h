#pragma once

#include "ostmark_global.h"

#include <QMap>
#include <QString>
#include <QVariantList>

#include <mutex>

// Which of the app plugins' buttons the logged-in user may see and use, by button
// identifier (for example "recordBack_circlePlay"). A button nobody ruled on is shown and
// enabled. Set at login, cleared at logout.
//
// Thread-safe: set by the web message queue's worker thread, read by the plugins on the GUI
// thread.
class OSTMARK_EXPORT UIPermission
{
public:
    static UIPermission *instance();

    void setBtnShowPermission(const QString &buttonId, bool show);
    // Each element is taken as a button identifier text.
    void setBtnEnablePermission(const QVariantList &buttonIds, bool enable);
    void clearPermission();

    bool isBtnShow(const QString &buttonId) const;
    bool isBtnEnable(const QString &buttonId) const;

    UIPermission(const UIPermission &) = delete;
    UIPermission &operator=(const UIPermission &) = delete;

private:
    UIPermission() = default;

    mutable std::mutex m_mutex;
    QMap<QString, bool> m_mapShow;
    QMap<QString, bool> m_mapEnable;
};
