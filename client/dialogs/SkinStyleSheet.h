#pragma once

#include <QString>

class QWidget;

// The client's per-widget style sheets: one file per object name below the current folder,
// "Skin/<skin>/TarnRetailClient/QssFile/<object name>.qss", with the skin folder name from
// the local configuration. GUI thread only (it sets style sheets).
class SkinStyleSheet
{
public:
    // Where the style sheet of the widget with this object name lives.
    static QString filePath(const QString &objectName);

    // Sets the widget's own style sheet file as its style sheet: the bytes up to the first
    // zero byte, read as Latin-1. A file that cannot be opened leaves the widget unchanged;
    // returns whether a style sheet was set.
    static bool apply(QWidget *widget);
};
