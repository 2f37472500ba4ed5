// The clock window on the real desktop, without the rest of the program: the notification icon
// (ZoneSysteme), the task-list state and the tick on real timers, silent. For checking by hand
// or from scripts under Xvfb with a tray host, and as a stand-in for idle measurements.
// Usage: essai_bureau [seconds=60]
#include "app/Etat.h"
#include "clock/QUENTOR.h"
#include "platform/Plateforme.h"
#include "platform/ZoneSysteme.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace {
class HorlogeMurale : public Horloge {
public:
    QDateTime maintenant() const override { return QDateTime::currentDateTime(); }
    void attendre(double s) override {
        QDeadlineTimer fin(qint64(s * 1000), Qt::PreciseTimer);
        QEventLoop boucle;
        do {
            QTimer::singleShot(std::max<qint64>(0, fin.remainingTime()), Qt::PreciseTimer, &boucle,
                               &QEventLoop::quit);
            boucle.exec();
        } while (!fin.hasExpired());
    }
};
class Muette : public SortieSon {
public:
    void joueDonnees(const QByteArray&) override {}
    void joueFichier(const QString&) override {}
    void arrete() override {}
};
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    HorlogeMurale horloge;
    Muette son;
    ZoneSysteme zone;
    Plateforme p;
    p.horloge = &horloge;
    p.son = &son;
    p.notification = &zone;
    InstallePlateforme(p);
    Etat.VersionTexte = QStringLiteral("6.10");
    Etat.DéclencheAnnonce = 99;
    for (int n = 1; n <= 6; ++n)
        Etat.AlarmeHeure[n] = 99;

    QUENTOR w;
    w.surFermeture = [&] {
        w.retireTrayIcon();
        w.arreteTimer();
        w.hide();
        app.quit();
    };
    w.setGeometrieTwips({1500, 1500, 2700, 1200});
    w.alignBandeSurHeure();
    w.demarreTimer();
    w.show();
    w.LanceTrayIcon();
    QTimer::singleShot((argc > 1 ? atoi(argv[1]) : 60) * 1000, &app, &QApplication::quit);
    return app.exec();
}
