#include "ZoGlobal.h"

#include <QDir>

#include <mutex>
#include <shared_mutex>

namespace ZoGUI {

namespace {

struct Settings
{
    std::shared_mutex lock;
    QString programType;
    QString language;
    QString skinVersion;
};

Settings &settings()
{
    static Settings s;
    return s;
}

void store(QString Settings::*member, const QString &value)
{
    std::unique_lock<std::shared_mutex> lock(settings().lock);
    settings().*member = value;
}

QString load(QString Settings::*member)
{
    std::shared_lock<std::shared_mutex> lock(settings().lock);
    return settings().*member;
}

} // namespace

void SetProgramType(const QString &programType)
{
    store(&Settings::programType, programType);
}

QString GetProgramType()
{
    return load(&Settings::programType);
}

void SetLanguage(const QString &language)
{
    store(&Settings::language, language);
}

QString GetLanguage()
{
    return load(&Settings::language);
}

void SetSkinVersion(const QString &skinVersion)
{
    store(&Settings::skinVersion, skinVersion);
}

QString GetSkinVersion()
{
    return load(&Settings::skinVersion);
}

QString GetSkinFilePath(const QString &relativePath)
{
    return QDir::currentPath() + QStringLiteral("/Skin/") + GetSkinVersion()
        + QStringLiteral("/ZoGUI/") + relativePath;
}

} // namespace ZoGUI
