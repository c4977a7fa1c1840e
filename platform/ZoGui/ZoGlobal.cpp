#include "ZoGlobal.h"

#include <QDir>
#include <QReadLocker>
#include <QReadWriteLock>
#include <QWriteLocker>

namespace ZoGUI {

namespace {

struct Settings
{
    QReadWriteLock lock;
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
    QWriteLocker lock(&settings().lock);
    settings().*member = value;
}

QString load(QString Settings::*member)
{
    QReadLocker lock(&settings().lock);
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
