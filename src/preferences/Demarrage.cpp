#include "preferences/Demarrage.h"

#include "platform/Plateforme.h"

#include <QDir>

namespace {

MagasinDemarrage& magasin() {
    if (!PF().demarrage)
        throw ErreurDemarrage{-1, QStringLiteral("Aucun magasin de démarrage installé")};
    return *PF().demarrage;
}

void verifie(const MagasinDemarrage::Resultat& r) {
    if (!r.ok())
        throw ErreurDemarrage{r.numero, r.description};
}

// Modal for the user, but the caller goes on at once: the clock keeps ticking behind the box.
void signale(const ErreurDemarrage& e, const QString& texte) {
    if (Dialogues* d = PF().dialogues)
        d->boiteModale(Dialogues::Icone::Critique, QStringLiteral("Erreur N°") + QString::number(e.numero), texte);
}

QString nomProgramme() { return PF().bureau ? PF().bureau->nomExecutable() : QString(); }

}  // namespace

void InscritDemarre(const QString& nom, const QString& commande) { verifie(magasin().ecrit(nom, commande)); }

void EffaceDemarre(const QString& nom) { verifie(magasin().efface(nom)); }

bool TesteDemarre(const QString& nom) {
    try {
        MagasinDemarrage& m = magasin();
        const auto commande = m.lit(nom);
        return commande && m.fichierExiste(*commande);
    } catch (...) {
        return false;
    }
}

QString CommandeDemarrage() {
    const QString dossier = PF().bureau ? PF().bureau->dossierProgramme() : QString();
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(dossier + QStringLiteral("/") + nomProgramme() + QStringLiteral(".exe"));
#else
    return dossier + QStringLiteral("/") + nomProgramme();
#endif
}

bool AjouteDémarre() {
    const QString nom = nomProgramme();
    try {
        InscritDemarre(nom, CommandeDemarrage());
    } catch (const ErreurDemarrage& e) {
        signale(e, QStringLiteral("impossible de créer un démarrage automatique dans la base de registre !"));
    }
    return TesteDemarre(nom);
}

bool RetireDémarre() {
    const QString nom = nomProgramme();
    try {
        EffaceDemarre(nom);
    } catch (const ErreurDemarrage& e) {
        signale(e, QStringLiteral("Une erreur s'est produite dans la base de registre de Windows!"));
    }
    return TesteDemarre(nom);
}
