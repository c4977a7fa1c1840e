#include "ConditionWaiter.h"

#include "lumo/DPrintLog.h"

#include <algorithm>

ConditionWaiter::ConditionWaiter(QObject *parent)
    : QObject(parent)
{ }

void ConditionWaiter::initConditionMap(const QMap<QString, bool> &conditions)
{
    m_mapCondition = conditions;
}

void ConditionWaiter::initConditionMap(const QStringList &names)
{
    m_mapCondition.clear();
    for (const QString &name : names)
        m_mapCondition.insert(name, false);
}

void ConditionWaiter::setConditionStatus(const QString &name, bool status)
{
    auto it = m_mapCondition.find(name);
    if (it == m_mapCondition.end()) {
        LUMO_LOG(4, "unknown condition [%s]", qUtf8Printable(name));
        return;
    }
    const bool wasMet = allConditionsMet();
    it.value() = status;
    if (!wasMet && allConditionsMet())
        emit conditionFinish();
}

void ConditionWaiter::resetConditionMap()
{
    for (auto it = m_mapCondition.begin(); it != m_mapCondition.end(); ++it)
        it.value() = false;
}

bool ConditionWaiter::conditionStatus(const QString &name) const
{
    return m_mapCondition.value(name, false);
}

bool ConditionWaiter::allConditionsMet() const
{
    return !m_mapCondition.isEmpty()
        && std::all_of(m_mapCondition.cbegin(), m_mapCondition.cend(), [](bool b) { return b; });
}
