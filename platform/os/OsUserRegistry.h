#pragma once

#include "os_global.h"

#include <QString>
#include <QVariant>

#include <memory>

class QSettings;

namespace os {

// The current user's registry key of a program type: HKEY_CURRENT_USER\Software\<type> on
// Windows, an INI file "<type>.ini" in the user's config folder "Korvel/registry" elsewhere.
// One object per thread.
class KORVELOS_EXPORT OsUserRegistry
{
public:
    explicit OsUserRegistry(const QString &programType);
    ~OsUserRegistry();

    QVariant value(const QString &name, const QVariant &defaultValue = QVariant()) const;
    void setValue(const QString &name, const QVariant &value);
    void remove(const QString &name);
    // Where the values live: the INI file path, or the registry key.
    QString location() const;

private:
    std::unique_ptr<QSettings> m_settings;
};

} // namespace os
