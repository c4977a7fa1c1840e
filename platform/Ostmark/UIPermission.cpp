#include "UIPermission.h"

UIPermission *UIPermission::instance()
{
    static UIPermission permission;
    return &permission;
}

void UIPermission::setBtnShowPermission(const QString &buttonId, bool show)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mapShow.insert(buttonId, show);
}

void UIPermission::setBtnEnablePermission(const QVariantList &buttonIds, bool enable)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const QVariant &id : buttonIds)
        m_mapEnable.insert(id.toString(), enable);
}

void UIPermission::clearPermission()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mapShow.clear();
    m_mapEnable.clear();
}

bool UIPermission::isBtnShow(const QString &buttonId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mapShow.value(buttonId, true);
}

bool UIPermission::isBtnEnable(const QString &buttonId) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_mapEnable.value(buttonId, true);
}
