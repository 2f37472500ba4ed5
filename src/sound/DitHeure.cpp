#include "sound/DitHeure.h"

#include "platform/Plateforme.h"
#include "sound/Annonce.h"
#include "sound/Son.h"
#include "state/Etat.h"

#include <QCoreApplication>
#include <memory>

namespace {

// The output opens before the first clip, so that the first pause is heard as long as the others
// (a device that has just opened plays its first buffer at once, the later ones a buffer late).
constexpr double kAvantPremierClip = 0.1;

struct Parole {
    std::vector<PasParole> pas;
    std::size_t suivant = 0;
    uint64_t numero = 0;  // the sequence count once it began: another one since ends it
    std::unique_ptr<SequenceSonore> sequence;
};
Parole parole;

void programme(double secondes);

void etape() {
    const bool interrompue = SequencesCommencees() != parole.numero || Etat.FermetureEnCours;
    if (interrompue || parole.suivant >= parole.pas.size()) {
        parole.sequence.reset();
        return;
    }
    const PasParole p = parole.pas[parole.suivant++];
    JoueSon(p.clip);
    if (parole.suivant < parole.pas.size())
        programme(p.pause);
    else
        parole.sequence.reset();  // the last clip plays on: the output still counts as sounding
}

void programme(double secondes) {
    QObject* contexte = QCoreApplication::instance();
    if (Horloge* h = PF().horloge; h && contexte)
        h->plusTard(secondes, contexte, etape);
    else
        parole.sequence.reset();
}

}  // namespace

bool DitHeure() {
    Horloge* h = PF().horloge;
    if (!h || SonEnCours() || Etat.FermetureEnCours)
        return false;
    const QTime t = h->maintenant().time();
    parole.pas = SequenceHeure(Etat.Genre, t.hour(), t.minute());
    parole.suivant = 0;
    parole.sequence = std::make_unique<SequenceSonore>();
    parole.numero = SequencesCommencees();
    PrepareSon();
    programme(kAvantPremierClip);
    return true;
}
