#pragma once
// Test doubles for every platform interface, and a fixture that installs them.

#include "state/Etat.h"
#include "platform/Plateforme.h"

#include <QDateTime>
#include <QStringList>
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <vector>

// Virtual time: attendre() jumps forward at once and still delivers posted events.
class HorlogeVirtuelle : public Horloge {
public:
    QDateTime t = QDateTime(QDate(2009, 3, 3), QTime(14, 0, 0));
    QDateTime maintenant() const override { return t; }
    void attendre(double secondes) override;
    void avance(double secondes) { t = t.addMSecs(qRound64(secondes * 1000)); }
    int attentes = 0;
};

// Records what was played, with the virtual time it started.
class SonEnregistre : public SortieSon {
public:
    struct Evenement {
        QDateTime t;
        QString quoi;  // "clip 84", "fichier /x.wav", "donnees" (bytes of no known clip), "arret"
    };
    explicit SonEnregistre(const Horloge* h) : horloge(h) {}
    void joueDonnees(const QByteArray& wav) override;
    void joueFichier(const QString& chemin) override;
    void arrete() override;
    // Only the plays ("clip N" / "fichier P"), in order.
    QStringList joues() const;
    std::vector<Evenement> evenements;
    const Horloge* horloge;
};

class LanceurFactice : public Lanceur {
public:
    Erreur lance(const QString& chemin) override;
    QStringList lances;
    std::map<QString, Erreur> echecs;  // paths that fail to start
};

class MagasinMemoire : public MagasinDemarrage {
public:
    std::optional<QString> lit(const QString& nom) override;
    Resultat ecrit(const QString& nom, const QString& commande) override;
    Resultat efface(const QString& nom) override;
    bool fichierExiste(const QString& chemin) override { return fichiers.contains(chemin); }
    std::map<QString, QString> entrees;
    QStringList fichiers;
    bool refuse = false;  // every write and removal fails
};

class DialoguesFactices : public Dialogues {
public:
    struct Boite {
        Icone icone;
        QString titre, texte;
        bool modale;  // the user can't reach the other windows until it is dismissed
    };
    // A chooser left open: the test answers it through `suite`, or leaves it open.
    struct DemandeFichier {
        QString dossier;
        QStringList filtres;
        std::function<void(const QString&)> suite;
    };
    struct DemandeCouleur {
        QColor initiale;
        std::function<void(std::optional<QColor>)> suite;
    };
    void bip() override { ++bips; }
    void boite(Icone i, const QString& titre, const QString& texte) override {
        boites.push_back({i, titre, texte, true});
    }
    void boiteModale(Icone i, const QString& titre, const QString& texte) override {
        boites.push_back({i, titre, texte, true});
    }
    void boiteSansAttente(Icone i, const QString& titre, const QString& texte) override {
        boites.push_back({i, titre, texte, false});
    }
    void choisitCouleur(QWidget*, const QColor& initiale,
                        std::function<void(std::optional<QColor>)> suite) override {
        couleurs.push_back({initiale, std::move(suite)});
    }
    void choisitFichier(QWidget*, const QString& dossier, const QStringList& filtres,
                        std::function<void(const QString&)> suite) override {
        fichiers.push_back({dossier, filtres, std::move(suite)});
    }
    int bips = 0;
    std::vector<Boite> boites;
    std::vector<DemandeFichier> fichiers;
    std::vector<DemandeCouleur> couleurs;
};

class BureauFactice : public Bureau {
public:
    QString dossierProgramme() const override { return programme; }
    QString dossierUtilisateur() const override { return utilisateur; }
    QString dossierDonnees() const override { return donnees; }
    QString nomExecutable() const override { return QStringLiteral("quentor"); }
    QString dossierSysteme() const override { return QStringLiteral("/usr/bin/"); }
    QString dossierProgrammes() const override { return QStringLiteral("/opt/"); }
    void ouvreAide(const QString& chemin) override { aides << chemin; }
    bool prendInstanceUnique() override { return instanceLibre; }
    void quitte(int code) override { codesSortie.push_back(code); }
    QString programme = QStringLiteral("/tmp");
    QString utilisateur, donnees;
    QStringList aides;
    bool instanceLibre = true;
    std::vector<int> codesSortie;
};

class ZoneFactice : public ZoneNotification {
public:
    bool disponible() const override { return presente; }
    void ajoute(const QIcon&, const QString& b, QMenu* m) override {
        ajoutee = true;
        bulle = b;
        menu = m;
    }
    void retire() override { ajoutee = false; ++retraits; }
    bool presente = true, ajoutee = false;
    int retraits = 0;
    QString bulle;
    QMenu* menu = nullptr;
};

// Installs fresh doubles and a fresh shared state for each test.
class AvecPlateforme : public ::testing::Test {
protected:
    AvecPlateforme();
    ~AvecPlateforme() override;
    HorlogeVirtuelle horloge;
    SonEnregistre son{&horloge};
    LanceurFactice lanceur;
    MagasinMemoire magasin;
    DialoguesFactices dialogues;
    BureauFactice bureau;
    ZoneFactice zone;
};
