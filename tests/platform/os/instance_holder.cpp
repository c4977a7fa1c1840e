// Holds the single-instance segment named by its argument until killed.
#include "os/OsSingleInstance.h"

#include <QCoreApplication>
#include <QThread>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    os::OsSingleInstance instance(QString::fromLocal8Bit(argv[1]));
    std::printf(instance.create() ? "held\n" : "refused\n");
    std::fflush(stdout);
    if (!instance.isHeld())
        return 1;
    for (;;)
        QThread::sleep(60);
}
