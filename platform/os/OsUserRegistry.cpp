#include "OsUserRegistry.h"

#include <QSettings>
#include <QStandardPaths>

namespace os {

OsUserRegistry::OsUserRegistry(const QString &programType)
{
#ifdef Q_OS_WIN
    m_settings = std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\") + programType, QSettings::NativeFormat);
#else
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Korvel/registry/");
    m_settings = std::make_unique<QSettings>(dir + programType + QStringLiteral(".ini"),
                                             QSettings::IniFormat);
#endif
}

OsUserRegistry::~OsUserRegistry() = default;

QVariant OsUserRegistry::value(const QString &name, const QVariant &defaultValue) const
{
    return m_settings->value(name, defaultValue);
}

void OsUserRegistry::setValue(const QString &name, const QVariant &value)
{
    m_settings->setValue(name, value);
    m_settings->sync();
}

void OsUserRegistry::remove(const QString &name)
{
    m_settings->remove(name);
    m_settings->sync();
}

QString OsUserRegistry::location() const
{
    return m_settings->fileName();
}

} // namespace os
