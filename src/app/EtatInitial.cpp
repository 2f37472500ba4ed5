#include "state/Etat.h"
#include "app/Sequences.h"
#include "platform/Plateforme.h"

QString TexteVersion(int majeure, int mineure, const QLocale& locale) {
    // Integer arithmetic first, so that minor 12 carries into the integer part exactly (7.20).
    const int centiemes = majeure * 100 + mineure * 10;
    return locale.toString(centiemes / 100.0, 'f', 2);
}

void RemplitEtat() {
    Bureau& b = *PF().bureau;
    Etat.CheminAppli = b.dossierProgramme();
    // Linux folder names are case-sensitive: they are kept as the platform gives them.
    Etat.DossierWindows = b.dossierSysteme();
    Etat.DossierProgrammes = b.dossierProgrammes();
    Etat.VersionTexte = TexteVersion(QUENTOR_VERSION_MAJOR, QUENTOR_VERSION_MINOR, QLocale());
}
