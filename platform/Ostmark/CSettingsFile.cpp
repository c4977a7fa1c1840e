#include "CSettingsFile.h"

#include "lumo/DPrintLog.h"

#include <QDir>
#include <QFileInfo>

namespace ConfigInfo {

CSettingsFile::CSettingsFile(std::function<QString()> pathProvider)
    : m_pathProvider(std::move(pathProvider))
{ }

bool CSettingsFile::write(const std::function<void(QSettings &)> &writer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const QString path = m_pathProvider();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSettings settings(path, QSettings::IniFormat);
    settings.setIniCodec("UTF-8");
    writer(settings);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        LUMO_LOG(6, "cannot write settings file [%s], status %d", qUtf8Printable(path),
                 int(settings.status()));
        return false;
    }
    return true;
}

QVariant CSettingsFile::value(const QString &key, const QVariant &defaultValue) const
{
    return read([&](QSettings &s) { return s.value(key, defaultValue); });
}

bool CSettingsFile::setValue(const QString &key, const QVariant &value)
{
    return write([&](QSettings &s) { s.setValue(key, value); });
}

} // namespace ConfigInfo
