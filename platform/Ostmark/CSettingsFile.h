#pragma once

#include <QSettings>
#include <QString>

#include <functional>
#include <mutex>

namespace ConfigInfo {

// One INI file of the configuration store, shared by every thread of the process (the web
// message queue writes from its worker thread while the GUI thread reads). Internal to the
// library.
//
// Each access opens a QSettings of its own under the file's mutex: a QSettings object kept
// across threads would flush itself from its owner's event loop, outside the lock. The mutex
// also makes a record of several keys read and written as one. Every write is synced to disk
// before the call returns (QSettings replaces the file atomically), since the updater may end
// the client at any moment.
class CSettingsFile
{
public:
    // pathProvider is asked at every access, so a redirected folder takes effect at once.
    explicit CSettingsFile(std::function<QString()> pathProvider);

    QString filePath() const { return m_pathProvider(); }

    template<typename Reader> auto read(Reader reader) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        QSettings settings(m_pathProvider(), QSettings::IniFormat);
        settings.setIniCodec("UTF-8");
        return reader(settings);
    }

    // Applies the writer and syncs; false, with a log record, when the file could not be
    // written (a read-only program folder, say). Qt keeps such unsaved values for this
    // process's later reads; they are lost at exit.
    bool write(const std::function<void(QSettings &)> &writer);

    // Shorthands for one key.
    QVariant value(const QString &key, const QVariant &defaultValue = QVariant()) const;
    bool setValue(const QString &key, const QVariant &value);

private:
    std::function<QString()> m_pathProvider;
    mutable std::mutex m_mutex;
};

} // namespace ConfigInfo
