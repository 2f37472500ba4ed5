// Renders the clock window (two sizes, toolbar shown, mid-minute), the memo and timer windows to PNG
// files for a look by eye. Usage: apercu_quentor [folder=.] [device pixel ratio=1]
#include "alarms/MessAlarm.h"
#include "state/Etat.h"
#include "art/Dessins.h"
#include "clock/QUENTOR.h"
#include "platform/Plateforme.h"
#include "timer/FenetreMinuteur.h"
#include "timer/Minuteur.h"

#include <QApplication>
#include <QDir>
#include <QLabel>

namespace {
class HorlogeFixe : public Horloge {
public:
    QDateTime maintenant() const override { return QDateTime(QDate(2009, 3, 3), QTime(14, 5, 40)); }
    qint64 monotoneMs() const override { return 0; }
};
}  // namespace

int main(int argc, char** argv) {
    const QString dossier = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    if (argc > 2)
        qputenv("QT_SCALE_FACTOR", argv[2]);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    HorlogeFixe horloge;
    Plateforme p;
    p.horloge = &horloge;
    InstallePlateforme(p);

    QUENTOR w;
    w.alignBandeSurHeure();
    w.mesureCadran();
    w.show();
    for (auto [largeur, hauteur] : {std::pair{180, 68}, std::pair{420, 160}}) {
        w.resize(largeur, hauteur);
        w.QUENTOR_Form_MouseMove(512);
        w.QUENTOR_Timer_Timer();
        w.Flash->show();  // as it looks during the tick
        w.grab().save(QDir(dossier).filePath(QStringLiteral("quentor-%1x%2.png").arg(largeur).arg(hauteur)));
    }
    Etat.AlarmeAffichée = 2;
    Etat.Alarmes[2].Texte = QStringLiteral("Appeler le garage avant midi <b>sans faute</b> & prendre le pain.\r\n");
    AfficheMessAlarm();
    MessAlarmOuvert()->grab().save(QDir(dossier).filePath(QStringLiteral("messalarm.png")));
    // The timer's window, a timer of 12:34 running.
    LeMinuteur().lance(754);
    FenetreMinuteur* minuteur = OuvreFenetreMinuteur(w);
    minuteur->grab().save(QDir(dossier).filePath(QStringLiteral("minuteur.png")));
    RenduDessin(DessineIconeProgramme, QSize(48, 48)).save(QDir(dossier).filePath(QStringLiteral("icone48.png")));
    RenduDessin(DessineIconeProgramme, QSize(16, 16)).save(QDir(dossier).filePath(QStringLiteral("icone16.png")));
    return 0;
}
