#include "settings/Reglages.h"

#include "platform/Plateforme.h"
#include "settings/ErreurFatale.h"
#include "state/FinProgramme.h"

const QString CleVolume = QStringLiteral("volume");

namespace {

void Ajoute(std::vector<Cle>& cles, std::vector<Cle> suite) {
    cles.insert(cles.end(), std::make_move_iterator(suite.begin()), std::make_move_iterator(suite.end()));
}

// The window refuses any state but normal, minimised and maximised: said at the read, before any
// later key is looked at.
int16_t litEtatFenetre(const QString& cle) {
    const int16_t etat = LitEntier16(cle);
    if (etat >= 0 && etat <= 2)
        return etat;
    FinAnnoncee();
    PF().dialogues->boite(Dialogues::Icone::Critique, QStringLiteral("Erreur dans le fichier QS32.ini"),
                          QStringLiteral("Le paramètre Réduction du fichier %1 vaut %2 : il doit valoir 0 (fenêtre "
                                         "normale), 1 (réduite) ou 2 (agrandie).")
                              .arg(CheminIni())
                              .arg(etat));
    throw FinProgramme(1);
}

}  // namespace

ClesHorloge::ClesHorloge(ReglagesFenetre& f) {
    using namespace Sortes;
    static const Sorte<int16_t> EtatFenetre = {litEtatFenetre, Entier16.convertit, Entier16.texte};
    fenetre = {
        Lien(QStringLiteral("couleur_fond"), Couleur, f.fond),
        Lien(QStringLiteral("couleur_encre"), Couleur, f.encre),
        Lien(QStringLiteral("couleur_bande"), Couleur, f.bande),
        Lien(QStringLiteral("QS_top"), Simple, f.geometrie.top),
        Lien(QStringLiteral("QS_left"), Simple, f.geometrie.left),
        Lien(QStringLiteral("QS_width"), Simple, f.geometrie.width),
        Lien(QStringLiteral("QS_height"), Simple, f.geometrie.height),
        Lien(QStringLiteral("Réduction"), EtatFenetre, f.etat),
        Lien(QStringLiteral("QS_visible"), Booleen, Etat.ResteVisible),
    };
    annonce = {
        Lien(QStringLiteral("déclenche_annonce"), Entier16, Etat.DéclencheAnnonce),
        Lien(QStringLiteral("Genre"), Octet, Etat.Genre),
    };
    ajoutees = ClesAjoutees();
    Ajoute(ajoutees, ClesParole());
    image = {
        Lien(QStringLiteral("active_image"), BooleenEnChiffre, f.imageActive),
        // Read even when the picture is off, so that the close writes the user's path back unchanged.
        Lien(QStringLiteral("image_fond"), Texte, Etat.ImageFond),
    };
}

std::vector<Cle> ClesAjoutees() {
    using namespace Sortes;
    const EtatProgramme defauts;
    return {
        Lien(QStringLiteral("silence_actif"), Booleen, Etat.Silence.actif, defauts.Silence.actif),
        Lien(QStringLiteral("silence_debut"), HeureMinute, Etat.Silence.debut, defauts.Silence.debut),
        Lien(QStringLiteral("silence_fin"), HeureMinute, Etat.Silence.fin, defauts.Silence.fin),
        Lien(CleVolume, Volume, Etat.Volume, defauts.Volume),
        LienDiscret(QStringLiteral("minuteur_duree"), Secondes, Etat.MinuteurDuree, defauts.MinuteurDuree),
        LienDiscret(QStringLiteral("minuteur_annonces"), Booleen, Etat.MinuteurAnnonces, defauts.MinuteurAnnonces),
        LienDiscret(QStringLiteral("minuteur_son"), Texte, Etat.MinuteurSon, defauts.MinuteurSon),
    };
}

std::vector<Cle> ClesParole() {
    using namespace Sortes;
    const EtatProgramme defauts;
    return {
        Lien(QStringLiteral("heure_courante"), Booleen, Etat.HeureCourante, defauts.HeureCourante),
        Lien(QStringLiteral("annonce_demarrage"), Booleen, Etat.AnnonceDemarrage, defauts.AnnonceDemarrage),
        Lien(QStringLiteral("annonce_reveil"), Booleen, Etat.AnnonceReveil, defauts.AnnonceReveil),
        Lien(QStringLiteral("ne_pas_deranger"), Booleen, Etat.NePasDeranger, defauts.NePasDeranger),
        Lien(QStringLiteral("sortie_eveillee"), Booleen, Etat.SortieEveillee, defauts.SortieEveillee),
    };
}
