#pragma once
// Test doubles for every platform interface, and a fixture that installs them fresh for each test.

#include "state/Etat.h"
#include "platform/Plateforme.h"
#include "state/Releve.h"
#include "alarms/Sonnerie.h"
#include "sound/Sequenceur.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPointer>
#include <QStringList>
#include <gtest/gtest.h>
#include <algorithm>
#include <functional>
#include <map>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& b, std::ostream* os) { *os << '"' << b.toStdString() << '"'; }

// Virtual time: deroule() jumps forward at once, running the timers of plusTard() that fall due
// meanwhile at their time, and still delivers posted events. A timer whose object has gone does
// not fire. Time that passes moves both clocks; saute() moves the local time alone, as a sleep or
// a clock change does.
struct HorlogeVirtuelle : Horloge {
    QDateTime t = QDateTime(QDate(2009, 3, 3), QTime(14, 0, 0));
    qint64 mono = 0;
    int pauses = 0;
    // Runs as pause number n (from 1, one a timer) begins: where a test acts during a pause.
    std::function<void(int n)> pendantPause;
    struct Prevu {
        QPointer<QObject> contexte;
        std::function<void()> suite;
    };
    std::multimap<QDateTime, Prevu> prevus;
    ~HorlogeVirtuelle() override { deroule(); }  // a timer always fires in the end
    QDateTime maintenant() const override { return t; }
    qint64 monotoneMs() const override { return mono; }
    void plusTard(double s, QObject* c, std::function<void()> f) override {
        debutPause();
        prevus.emplace(t.addMSecs(qRound64(s * 1000)), Prevu{c, std::move(f)});
    }
    void debutPause() {
        ++pauses;
        if (pendantPause)
            pendantPause(pauses);
    }
    // Posted events, then the next timer due by `jusqua`, as the event loop would; false when none is.
    bool unPas(const QDateTime& jusqua = QDateTime(QDate(9999, 1, 1), QTime())) {
        QCoreApplication::processEvents();
        if (prevus.empty() || prevus.begin()->first > jusqua)
            return false;
        const Prevu p = prevus.begin()->second;
        passeA(prevus.begin()->first);
        prevus.erase(prevus.begin());
        if (p.contexte)
            p.suite();
        return true;
    }
    // Runs the timers due by `jusqua` in time order.
    void deroule(const QDateTime& jusqua = QDateTime(QDate(9999, 1, 1), QTime())) {
        while (unPas(jusqua)) {
        }
    }
    // Time passes up to `u`, never back: both clocks move.
    void passeA(const QDateTime& u) {
        if (u > t) {
            mono += t.msecsTo(u);
            t = u;
        }
    }
    void avance(double s) { passeA(t.addMSecs(qRound64(s * 1000))); }
    void saute(qint64 ms) { t = t.addMSecs(ms); }
};

// What was played, at the virtual time it started: "clip 84", "fichier /x.wav", "femme/plus_que" (a
// phrase), "donnees" (bytes of no known clip), "arret", with the volume then; joues() gives the plays alone.
// The outputs readied are kept apart: when, and for how long (ms).
struct SonEnregistre : SortieSon {
    struct Evenement {
        QDateTime t;
        QString quoi;
        int volume;
    };
    explicit SonEnregistre(const Horloge* h) : horloge(h) {}
    void joueDonnees(const QByteArray& wav) override;
    void joueFichier(const QString& chemin) override { note(QStringLiteral("fichier ") + chemin); }
    void arrete() override { note(QStringLiteral("arret")); }
    void regleVolume(int v) override { volume = v; }
    void prepare(int ouverteMs) override { preparations.push_back({horloge->maintenant(), ouverteMs}); }
    void note(const QString& quoi) { evenements.push_back({horloge->maintenant(), quoi, volume}); }
    QStringList joues() const;
    std::vector<Evenement> evenements;
    std::vector<std::pair<QDateTime, int>> preparations;
    const Horloge* horloge;
    int volume = 100;
};

struct LanceurFactice : Lanceur {
    Erreur lance(const QString& chemin) override {
        return echecs.count(chemin) ? echecs[chemin] : (lances << chemin, Erreur{});
    }
    QStringList lances;
    std::map<QString, Erreur> echecs;  // paths that fail to start
};

struct MagasinMemoire : MagasinDemarrage {
    std::optional<QString> lit(const QString& n) override {
        return entrees.count(n) ? std::optional(entrees[n]) : std::nullopt;
    }
    Resultat ecrit(const QString& n, const QString& c) override {
        return refuse ? refus() : (entrees[n] = c, Resultat{});
    }
    Resultat efface(const QString& n) override {
        return refuse             ? refus()
               : entrees.erase(n) ? Resultat{}
                                  : Resultat{2, QStringLiteral("Aucune entrée de ce nom")};
    }
    bool fichierExiste(const QString& chemin) override { return fichiers.contains(chemin); }
    static Resultat refus() { return {13, QStringLiteral("Permission refusée")}; }
    std::map<QString, QString> entrees;
    QStringList fichiers;
    bool refuse = false;  // every write and removal fails
};

// Boxes are recorded; choosers stay pending until the test answers through their `suite`.
struct DialoguesFactices : Dialogues {
    struct Boite {
        Icone icone;
        QString titre, texte;
        bool modale;
        QString vue() const { return titre + u'|' + texte; }
    };
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
    void boite(Icone i, const QString& t, const QString& x) override {
        boites.push_back({i, t, x, true});
        if (pendantBoite)
            pendantBoite();
    }
    void boiteModale(Icone i, const QString& t, const QString& x) override { boite(i, t, x); }
    void boiteSansAttente(Icone i, const QString& t, const QString& x) override { boites.push_back({i, t, x, false}); }
    void question(QWidget*, const QString&, const QString&, const QString&, const QString&,
                  std::function<void(bool)>) override {}
    void choisitCouleur(QWidget*, const QColor& c, std::function<void(std::optional<QColor>)> s) override {
        couleurs.push_back({c, s});
    }
    void choisitFichier(QWidget*, const QString& d, const QStringList& f,
                        std::function<void(const QString&)> s) override {
        fichiers.push_back({d, f, s});
    }
    int bips = 0;
    std::vector<Boite> boites;
    // What the event loop runs while a box that waits is open.
    std::function<void()> pendantBoite;
    std::vector<DemandeFichier> fichiers;
    std::vector<DemandeCouleur> couleurs;
};

struct BureauFactice : Bureau {
    QString dossierProgramme() const override { return programme; }
    QString dossierUtilisateur() const override { return utilisateur; }
    QString dossierDonnees() const override { return donnees; }
    QString nomExecutable() const override { return QStringLiteral("quentor"); }
    QString dossierSysteme() const override { return QStringLiteral("/usr/bin/"); }
    QString dossierProgrammes() const override { return QStringLiteral("/opt/"); }
    void ouvreAide(const QString& chemin) override { aides << chemin; }
    bool prendInstanceUnique() override { return true; }
    void ecouteDemandes(std::function<void(Demande)>) override {}
    bool envoieDemande(Demande, int) override { return false; }
    void quitte(int code) override { codesSortie.push_back(code); }
    QString programme = QStringLiteral("/tmp");
    QString utilisateur, donnees;
    QStringList aides;
    std::vector<int> codesSortie;
};

struct ZoneFactice : ZoneNotification {
    bool disponible() const override { return presente; }
    void ajoute(const QIcon&, const QString& b, QMenu*) override { ajoutee = true, bulle = b; }
    void retire() override { ajoutee = false, ++retraits; }
    void changeBulle(const QString& b) override { bulle = b; }
    bool presente = true, ajoutee = false;
    int retraits = 0;
    QString bulle;
};

// Notifications as shown now, by key; `actionChoisie` plays the user choosing one.
struct NotificationsFactices : Notifications {
    struct Montree {
        QString resume, corps;
        QStringList actions;
    };
    void montre(const QString& cle, const QString& resume, const QString& corps, const QStringList& actions,
                bool) override {
        montrees[cle] = {resume, corps, actions};
    }
    void retire(const QString& cle) override { montrees.erase(cle); }
    void actionChoisie(const QString& cle, const QString& action) {
        if (surAction)
            surAction(cle, action);
    }
    std::map<QString, Montree> montrees;
};

struct NePasDerangerFactice : NePasDeranger {
    bool actif() override { return inhibe; }
    bool inhibe = false;
};

// Fresh doubles and a fresh shared state for each test.
class AvecPlateforme : public ::testing::Test {
protected:
    AvecPlateforme() {
        Etat = EtatProgramme{};
        ArreteAlarme(AlarmeQuiSonne());  // none ringing from an earlier test
        InstallePlateforme(
            {&horloge, &son, &lanceur, &magasin, &dialogues, &bureau, &zone, &notifications, &nePasDeranger});
        ArreteSequences();  // none left by an earlier test
        FermeReleve();
    }
    ~AvecPlateforme() override { InstallePlateforme(Plateforme{}); }
    HorlogeVirtuelle horloge;
    SonEnregistre son{&horloge};
    LanceurFactice lanceur;
    MagasinMemoire magasin;
    DialoguesFactices dialogues;
    BureauFactice bureau;
    ZoneFactice zone;
    NotificationsFactices notifications;
    NePasDerangerFactice nePasDeranger;
};
