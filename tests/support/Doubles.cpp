#include "support/Doubles.h"

#include "sound/Clips.h"

#include <QCoreApplication>

void HorlogeVirtuelle::attendre(double secondes) {
    ++attentes;
    if (pendantAttente)
        pendantAttente(attentes);
    avance(secondes);
    QCoreApplication::processEvents();
}

namespace {
QString nomDonnees(const QByteArray& wav) {
    for (int16_t id : IdsClips())
        if (DonneesClip(id) == wav)
            return QStringLiteral("clip %1").arg(id);
    return QStringLiteral("donnees");
}
}  // namespace

void SonEnregistre::joueDonnees(const QByteArray& wav) {
    evenements.push_back({horloge->maintenant(), nomDonnees(wav)});
}

void SonEnregistre::joueFichier(const QString& chemin) {
    evenements.push_back({horloge->maintenant(), QStringLiteral("fichier ") + chemin});
}

void SonEnregistre::arrete() { evenements.push_back({horloge->maintenant(), QStringLiteral("arret")}); }

QStringList SonEnregistre::joues() const {
    QStringList l;
    for (const auto& e : evenements)
        if (e.quoi != QLatin1String("arret"))
            l << e.quoi;
    return l;
}

Lanceur::Erreur LanceurFactice::lance(const QString& chemin) {
    auto it = echecs.find(chemin);
    if (it != echecs.end())
        return it->second;
    lances << chemin;
    return {};
}

std::optional<QString> MagasinMemoire::lit(const QString& nom) {
    auto it = entrees.find(nom);
    if (it == entrees.end())
        return std::nullopt;
    return it->second;
}

MagasinDemarrage::Resultat MagasinMemoire::ecrit(const QString& nom, const QString& commande) {
    if (refuse)
        return {13, QStringLiteral("Permission refusée")};
    entrees[nom] = commande;
    return {};
}

MagasinDemarrage::Resultat MagasinMemoire::efface(const QString& nom) {
    if (refuse)
        return {13, QStringLiteral("Permission refusée")};
    if (entrees.erase(nom) == 0)
        return {2, QStringLiteral("Aucune entrée de ce nom")};
    return {};
}

AvecPlateforme::AvecPlateforme() {
    Etat = EtatProgramme{};
    Plateforme p;
    p.horloge = &horloge;
    p.son = &son;
    p.lanceur = &lanceur;
    p.demarrage = &magasin;
    p.dialogues = &dialogues;
    p.bureau = &bureau;
    p.notification = &zone;
    InstallePlateforme(p);
}

AvecPlateforme::~AvecPlateforme() { InstallePlateforme(Plateforme{}); }
