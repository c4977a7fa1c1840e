#pragma once

#include "ostmark_global.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>

// Waits for a set of named conditions: conditionFinish is emitted once, at the moment the
// last of them becomes true. Setting a condition that is already true again completes
// nothing; after resetConditionMap the set must be completed anew.
//
// Thread affinity: the object's thread (the GUI thread for the login conditions).
class OSTMARK_EXPORT ConditionWaiter : public QObject
{
    Q_OBJECT

public:
    explicit ConditionWaiter(QObject *parent = nullptr);

    // Replaces the set: each name with its status (normally false).
    void initConditionMap(const QMap<QString, bool> &conditions);
    void initConditionMap(const QStringList &names); // all false

    // Sets one condition; a name outside the set is ignored (and logged).
    void setConditionStatus(const QString &name, bool status);
    // Every condition false again.
    void resetConditionMap();

    bool conditionStatus(const QString &name) const;
    bool allConditionsMet() const;

signals:
    void conditionFinish();

private:
    QMap<QString, bool> m_mapCondition;
};
