// The clock window's load step: every setting read in a fixed order (the order decides which
// missing key is reported first) and applied to the window and the shared state.
#include "alarms/StockageAlarmes.h"
#include "platform/Aide.h"
#include "state/Etat.h"
#include "state/FinProgramme.h"
#include "app/Sequences.h"
#include "clock/QUENTOR.h"
#include "platform/Plateforme.h"
#include "preferences/Demarrage.h"
#include "settings/Couleur.h"
#include "settings/SilenceVolume.h"
#include "settings/TexteIni.h"
#include "sound/Son.h"

#include <QFileInfo>

namespace {

// The window refuses any state but normal, minimised and maximised.
void appliqueEtatFenetre(QUENTOR& f, int16_t etat) {
    if (f.setEtatFenetre(etat))
        return;
    PF().dialogues->boite(
        Dialogues::Icone::Critique, QStringLiteral("Erreur dans le fichier QS32.ini"),
        QStringLiteral("Le paramètre Réduction du fichier %1 vaut %2 : il doit valoir 0 (fenêtre "
                       "normale), 1 (réduite) ou 2 (agrandie).")
            .arg(CheminIni())
            .arg(etat));
    throw FinProgramme(1);
}

// The background picture, when the settings ask for one: a picture that can't be shown is not
// fatal; the user is told and may choose another one from the settings window.
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
    PrépareAide(&f);
    f.metLegende(PF().horloge->maintenant());
    f.alignBandeSurHeure();
    ChargeTexteIni();

    f.setCouleurFond(LitCouleur(QStringLiteral("couleur_fond")));
    f.setCouleurEncre(LitCouleur(QStringLiteral("couleur_encre")));
    f.setCouleurBande(LitCouleur(QStringLiteral("couleur_bande")));
    RectTwips r;
    r.top = LitSimple(QStringLiteral("QS_top"));
    r.left = LitSimple(QStringLiteral("QS_left"));
    r.width = LitSimple(QStringLiteral("QS_width"));
    r.height = LitSimple(QStringLiteral("QS_height"));
    f.setGeometrieTwips(r);
    appliqueEtatFenetre(f, LitEntier16(QStringLiteral("Réduction")));

    Etat.ResteVisible = LitBooleen(QStringLiteral("QS_visible"));
    // Without a notification area a hidden window could never be reached again.
    if ((f.etatFenetre() == 0 && Etat.ResteVisible) || !f.peutSeCacher())
        f.show();

    Etat.AutoDemarre = TesteDemarre(PF().bureau->nomExecutable());
    Etat.DéclencheAnnonce = LitEntier16(QStringLiteral("déclenche_annonce"));
    Etat.Genre = LitOctet(QStringLiteral("Genre"));
    LitSilenceEtVolume();
    RegleVolume(Etat.Volume);
    ChargeAlarmes();

    const bool imageActive = LitBooleen(QStringLiteral("active_image"));
    f.setImageVisible(imageActive);
    // Read even when the picture is off, so that the close writes the user's path back unchanged.
    Etat.ImageFond = ValeurIniTexte(QStringLiteral("image_fond"));
    if (imageActive)
        chargeImageFond(f);
}
