// The floor for the idle benchmark: a bare tray program, woken by a timer that does nothing.
// Run it through bench/idle.py like the clock: python3 bench/idle.py build/bench/reveil_nu 600
// REVEIL_MS sets the timer's interval (default 1000; 0: no timer at all).
#include <QApplication>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>

int main(int argc, char** argv) {
    // The same transfer choice as the clock, so the two are measured alike.
    qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    QPixmap image(16, 16);
    image.fill(Qt::darkBlue);
    QSystemTrayIcon icone{QIcon(image)};
    icone.show();
    QTimer reveil;
    reveil.setTimerType(Qt::PreciseTimer);
    QObject::connect(&reveil, &QTimer::timeout, [] {});
    const int ms = qEnvironmentVariableIsSet("REVEIL_MS") ? qEnvironmentVariableIntValue("REVEIL_MS") : 1000;
    if (ms > 0)
        reveil.start(ms);
    return app.exec();
}
