#include "HighDpiChoice.h"

#include <QCoreApplication>
#include <QGuiApplication>

bool HighDpiChoice::decide(const std::optional<os::DisplayMode> &mode)
{
    if (!mode || mode->logicalWidth <= 0)
        return false;
    const double scale = double(mode->pixelWidth) / double(mode->logicalWidth);
    return scale * 1280 <= mode->pixelWidth && scale * 800 <= mode->pixelHeight;
}

void HighDpiChoice::apply()
{
    os::OsDisplay::makeProcessDpiAware();
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}
