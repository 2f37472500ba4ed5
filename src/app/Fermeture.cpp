// The clock window's close step: every setting goes into the settings text, then every file is
// written, then the exit clip, then the end of the process. Every way out runs it once.
#include "alarms/StockageAlarmes.h"
#include "state/Etat.h"
#include "state/FinProgramme.h"
#include "app/Sequences.h"
#include "clock/QUENTOR.h"
#include "platform/Plateforme.h"
#include "settings/Couleur.h"
#include "settings/SilenceVolume.h"
#include "settings/TexteIni.h"
#include "sound/Sequenceur.h"
#include "sound/Son.h"

#include <QStringList>

namespace {

void ecritReglages(QUENTOR& f) {
    EcritINI(QStringLiteral("couleur_fond"), NombreDepuisCouleur(f.couleurFond()));
    EcritINI(QStringLiteral("couleur_encre"), NombreDepuisCouleur(f.couleurEncre()));
    EcritINI(QStringLiteral("couleur_bande"), NombreDepuisCouleur(f.couleurBande()));
    EcritINI(QStringLiteral("image_fond"), Etat.ImageFond);
    EcritINI(QStringLiteral("active_image"), int32_t(f.imageVisible() ? 1 : 0));
    EcritINI(QStringLiteral("Réduction"), int32_t(f.etatFenetre()));
    // The geometry of the normal, restored window, whatever state it is in now.
    const RectTwips r = f.geometrieTwips();
    EcritINI(QStringLiteral("QS_top"), r.top);
    EcritINI(QStringLiteral("QS_left"), r.left);
    EcritINI(QStringLiteral("QS_height"), r.height);
    EcritINI(QStringLiteral("QS_width"), r.width);
    EcritINI(QStringLiteral("QS_visible"), Etat.ResteVisible);
    f.hide();
    EcritINI(QStringLiteral("déclenche_annonce"), int32_t(Etat.DéclencheAnnonce));
    EcritINI(QStringLiteral("Genre"), int32_t(Etat.Genre));
    EcritSilenceEtVolume();
    EnregistreAlarmes();
}

// All seven files are attempted even when one fails; the user learns which ones were not saved.
void ecritFichiers() {
    QStringList echecs = EcritMemos();
    const QString raison = EnregistreTexteIni();
    if (!raison.isEmpty())
        echecs << raison;
    if (echecs.isEmpty())
        return;
    PF().dialogues->boite(Dialogues::Icone::Critique, QStringLiteral("Erreur d'enregistrement"),
                          QStringLiteral("Ces fichiers n'ont pas pu être enregistrés ; leur "
                                         "version précédente est intacte :\n\n") +
                              echecs.join(QLatin1Char('\n')));
}

}  // namespace

void QUENTOR_Form_QueryUnload(QUENTOR& f) {
    // A second request (a signal during the exit clip, say) changes nothing.
    if (Etat.FermetureEnCours)
        return;
    // The tick stops first, and every sequence under way (a tick's minute's work, a firing, the
    // time said) ends at once: nothing of a minute's work may happen behind the saved files.
    Etat.FermetureEnCours = true;
    f.arreteTimer();
    ArreteSequences();
    f.retireTrayIcon();
    try {
        ecritReglages(f);
        ecritFichiers();
    } catch (const FinProgramme& fin) {
        f.hide();
        PF().bureau->quitte(fin.code);
        return;
    }
    // The exit clip for a second, then the end.
    LanceSequence({Clip(kClipSignature, 1), Agit([&f] {
                       ArreteSon();
                       f.hide();
                       PF().bureau->quitte(0);
                   })},
                  &f);
}
