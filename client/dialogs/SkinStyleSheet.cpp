#include "SkinStyleSheet.h"

#include "Ostmark/CLocalConfig.h"
#include "lumo/DPrintLog.h"

#include <QDir>
#include <QFile>
#include <QWidget>

QString SkinStyleSheet::filePath(const QString &objectName)
{
    return QDir::currentPath() + QStringLiteral("/Skin/")
        + ConfigInfo::CLocalConfig::instance()->getSkinPath()
        + QStringLiteral("/TarnRetailClient/QssFile/") + objectName + QStringLiteral(".qss");
}

bool SkinStyleSheet::apply(QWidget *widget)
{
    Q_ASSERT(widget);
    const QString path = filePath(widget->objectName());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // A skin need not style every widget: the built-in look stays.
        LUMO_LOG(3, "no style sheet %s: %s", qUtf8Printable(path),
                 qUtf8Printable(file.errorString()));
        return false;
    }
    QByteArray data = file.readAll();
    // Skin files of older releases may carry a terminating zero and trailing bytes.
    const int end = data.indexOf('\0');
    if (end >= 0)
        data.truncate(end);
    widget->setStyleSheet(QString::fromLatin1(data));
    return true;
}
