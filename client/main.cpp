#include "StartupSequence.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    StartupSequence startup;
    startup.prepareGraphics();
    QApplication app(argc, argv);
    return startup.run(app);
}
