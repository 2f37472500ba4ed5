// The floor for the idle benchmark: a bare tray program, woken by a timer that does nothing.
// Run it through bench/idle.py like the clock: python3 bench/idle.py build/bench/reveil_nu 600
// REVEIL_MS sets the timer's interval (default 1000; 0: no timer at all). REVEIL_MARQUEUR=1 adds
// what the clock's face must do each second at the least: a window whose 32-pixel square shows
// on the timer and goes 250 ms later. REVEIL_ETIQUETTE=1 shows a window with a 40-point label, the
// floor of the start-to-icon comparison (python3 bench/idle.py --depart ...).
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

int main(int argc, char** argv) {
    // The same transfer choice as the clock, so the two are measured alike.
    qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    QPixmap image(16, 16);
    image.fill(Qt::darkBlue);
    QSystemTrayIcon icone{QIcon(image)};
    icone.show();
    QWidget fenetre;
    QWidget marqueur(&fenetre);
    marqueur.setGeometry(0, 0, 32, 32);
    marqueur.setAutoFillBackground(true);
    marqueur.setPalette(QPalette(Qt::yellow));
    marqueur.hide();
    QLabel etiquette(QStringLiteral("23:42"), &fenetre);
    QFont police = etiquette.font();
    police.setPointSize(40);
    etiquette.setFont(police);
    if (qEnvironmentVariableIntValue("REVEIL_ETIQUETTE") == 1)
        fenetre.show();
    const bool avecMarqueur = qEnvironmentVariableIntValue("REVEIL_MARQUEUR") == 1;
    if (avecMarqueur) {
        fenetre.resize(200, 100);
        fenetre.show();
    }
    QTimer reveil, fin;
    reveil.setTimerType(Qt::PreciseTimer);
    fin.setTimerType(Qt::PreciseTimer);
    fin.setSingleShot(true);
    QObject::connect(&fin, &QTimer::timeout, [&] { marqueur.hide(); });
    QObject::connect(&reveil, &QTimer::timeout, [&] {
        if (avecMarqueur) {
            marqueur.show();
            fin.start(250);
        }
    });
    const int ms = qEnvironmentVariableIsSet("REVEIL_MS") ? qEnvironmentVariableIntValue("REVEIL_MS") : 1000;
    if (ms > 0)
        reveil.start(ms);
    return app.exec();
}
