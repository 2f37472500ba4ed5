// The clock window's load step: every setting read in the order of the keys' tables (the order
// decides which missing key is reported first) and applied to the window and the shared state.
#include "alarms/Calendrier.h"
#include "alarms/DeclencheAlarmes.h"
#include "alarms/StockageAlarmes.h"
#include "state/Releve.h"
#include "platform/Aide.h"
#include "state/Etat.h"
#include "state/FinProgramme.h"
#include "app/Sequences.h"
#include "clock/QUENTOR.h"
#include "platform/Plateforme.h"
#include "preferences/Demarrage.h"
#include "settings/Reglages.h"
#include "settings/TexteIni.h"
#include "sound/Son.h"

#include <QFileInfo>

namespace {

// The background picture: one that can't be shown is not fatal; the user is told and may choose
// another one from the settings window.
void chargeImageFond(QUENTOR& f) {
    Etat.ErreurImage = 0;
    QString chemin = Etat.ImageFond;
    QString raison;
    if (chemin.startsWith(QLatin1Char(' ')))
        RetireBlancs(chemin);
    if (chemin.isEmpty()) {
        Etat.ErreurImage = 5;  // invalid argument: no picture named
        raison = QStringLiteral("Aucune image de fond n'est indiquée dans le fichier QS32.ini.");
    } else if (!f.chargeImage(chemin, &raison)) {
        Etat.ErreurImage = QFileInfo::exists(chemin) ? 481 : 53;  // not a picture / no such file
    }
    Etat.ImageFond = chemin;
    if (Etat.ErreurImage != 0 && LorsErreurImage)
        LorsErreurImage(f, raison);
}

}  // namespace

std::function<void(QUENTOR&, const QString&)> LorsErreurImage;

void QUENTOR_Form_Load(QUENTOR& f) {
    f.demarreTimer();
    PrépareAide();
    f.metLegende(PF().horloge->maintenant());
    f.alignBandeSurHeure();
    ChargeTexteIni();

    ReglagesFenetre r;
    const ClesHorloge cles(r);
    LitCles(cles.fenetre);
    f.setCouleurFond(r.fond);
    f.setCouleurEncre(r.encre);
    f.setCouleurBande(r.bande);
    f.setGeometrieTwips(r.geometrie);
    f.setEtatFenetre(r.etat);  // one the window takes: the read refused any other
    // Without a notification area a hidden window could never be reached again.
    f.prevoitAffichage((f.etatFenetre() == 0 && Etat.ResteVisible) || !f.peutSeCacher());

    Etat.AutoDemarre = TesteDemarre(PF().bureau->nomExecutable());
    LitCles(cles.annonce);
    LitCles(cles.ajoutees);
    RegleVolume(Etat.Volume);
    ChargeAlarmes();
    // The run record beside the settings: none (or a broken one) is a first run, with nothing to
    // catch up; else alarms rung stay rung, and the time since the last run is caught up.
    if (OuvreReleve(Etat.CheminAppli + QStringLiteral("/QS32.etat"))) {
        for (int n = 0; n < NombreAlarmes; ++n)
            Etat.Alarmes[n].SonneePour =
                Cadran(QDateTime::fromString(ValeurReleve(QStringLiteral("sonnee%1").arg(n + 1)), kFormatReleve));
        f.rattrapeDepuis(QDateTime::fromString(ValeurReleve(QStringLiteral("marche")), kFormatReleve));
    }

    LitCles(cles.image);
    f.setImageVisible(r.imageActive);
    if (r.imageActive)
        chargeImageFond(f);
}
