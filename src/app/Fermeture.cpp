// The clock window's close step: every setting goes into the settings text, then every file is
// written, then the exit clip, then the end of the process. Every way out runs it once.
#include "alarms/DeclencheAlarmes.h"
#include "alarms/StockageAlarmes.h"
#include "state/Etat.h"
#include "state/FinProgramme.h"
#include "app/Sequences.h"
#include "clock/QUENTOR.h"
#include "platform/Plateforme.h"
#include "settings/Reglages.h"
#include "settings/TexteIni.h"
#include "sound/Sequenceur.h"
#include "sound/Son.h"

#include <QStringList>

namespace {

void ecritReglages(QUENTOR& f) {
    ReglagesFenetre r;
    r.fond = f.couleurFond();
    r.encre = f.couleurEncre();
    r.bande = f.couleurBande();
    // The geometry of the normal, restored window, whatever state it is in now.
    r.geometrie = f.geometrieTwips();
    r.etat = f.etatFenetre();
    r.imageActive = f.imageVisible();
    const ClesHorloge cles(r);
    EcritCles(cles.fenetre);
    EcritCles(cles.image);
    f.hide();
    EcritCles(cles.annonce);
    EcritCles(cles.ajoutees);
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
    // The run record last: the settings' files come first.
    NoteMarche();
    // The exit clip for a second, then the end.
    LanceSequence({Clip(kClipSignature, 1), Agit([&f] {
                       ArreteSon();
                       f.hide();
                       PF().bureau->quitte(0);
                   })},
                  &f);
}
