// The baseline: a window with one QWebEngineView on the page, and nothing else. Prints
// "loaded" when the page has loaded and "logged-in" when the demo page shows its application.
#include <QApplication>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QWebEngineView view;
    view.resize(1440, 900);
    view.show();
    QTimer poll;
    QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool ok) {
        if (!ok)
            return;
        std::printf("loaded\n");
        std::fflush(stdout);
        poll.start(20);
    });
    QObject::connect(&poll, &QTimer::timeout, [&] {
        view.page()->runJavaScript(QStringLiteral("!document.getElementById('appView').hidden"),
                                   [&](const QVariant &shown) {
                                       if (shown.toBool() && poll.isActive()) {
                                           poll.stop();
                                           std::printf("logged-in\n");
                                           std::fflush(stdout);
                                       }
                                   });
    });
    view.load(QUrl(QString::fromLocal8Bit(argv[1])));
    return app.exec();
}
