// The timer on the virtual clock: what it says when, held, replaced, across a jump of the clock
// and a restart, over an announcement (after it), stopped from its notification; the commands it
// answers and the lengths it reads.
#include "sound/Annonce.h"
#include "support/Doubles.h"
#include "timer/DureeMinuteur.h"
#include "timer/Minuteur.h"

#include <QTemporaryDir>

namespace {

class Minuteurs : public AvecPlateforme {
protected:
    Minuteurs() { OuvreReleve(dossier.filePath("QS32.etat")); }
    // What was said, one line per utterance: "seconds since the start: words", the clips as their
    // numbers, each ring of the sound as SON.
    QStringList dits() const {
        QStringList lignes;
        QDateTime derniere;
        for (const auto& e : son.evenements) {
            QString mot = e.quoi.startsWith(u"fichier") ? QStringLiteral("SON") : e.quoi.section(u'/', 1);
            if (e.quoi.startsWith(u"clip "))
                mot = QString::number(e.quoi.mid(5).toInt() % 100).replace("70", "heures").replace("71", "minutes");
            if (mot.isEmpty())
                continue;
            if (derniere.isValid() && derniere.msecsTo(e.t) < 1500)
                lignes.last() += u' ' + mot;
            else
                lignes << QStringLiteral("%1: %2").arg(debut.secsTo(e.t)).arg(mot);
            derniere = e.t;
        }
        return lignes;
    }
    void attend(int secondes) {
        horloge.deroule(debut.addSecs(secondes));
        horloge.passeA(debut.addSecs(secondes));
    }
    // The process ends and another starts: the timer runs on, or rings when its end passed meanwhile.
    void redemarre() {
        m = std::make_unique<Minuteur>();
        m->reprendSauvegarde();
    }
    QTemporaryDir dossier;
    QDateTime debut = horloge.t;
    std::unique_ptr<Minuteur> m = std::make_unique<Minuteur>();
};

TEST_F(Minuteurs, WhatIsSaidWhen) {
    struct Cas {
        QTime depart;
        std::function<void()> lance;
        int fin;
        QStringList dit;
        QString notification = QStringLiteral("Minuteur terminé");  // as it stands at the end
    };
    // clang-format off
    const Cas cas[] = {
        {{8, 0}, [&] { m->lance(20); }, 20, {"0: minuteur_lance 20 secondes", "20: minuteur_termine SON", "22: SON"}},
        {{8, 0}, [&] { m->lance(90); }, 90, {"0: minuteur_lance 1 minute 30 secondes", "30: plus_qu_une_minute",
                                           "80: plus_que 10 secondes", "90: minuteur_termine SON", "92: SON"}},
        {{8, 0}, [&] { m->lance(7200); }, 7200, {"0: minuteur_lance 2 heures", "3600: il_reste 1 heure",
             "5400: plus_que 30 minutes", "6300: plus_que 15 minutes", "6600: plus_que 10 minutes",
             "6900: plus_que 5 minutes", "7080: plus_que 2 minutes", "7140: plus_qu_une_minute",
             "7190: plus_que 10 secondes", "7200: minuteur_termine SON", "7202: SON"}},
        {{13, 39, 30}, [&] { m->lanceJusqua(QTime(14, 0)); }, 1230, {
             "0: minuteur_lance 21 minutes avant 14 heures", "330: plus_que 15 minutes avant 14 heures",
             "630: plus_que 10 minutes avant 14 heures", "930: plus_que 5 minutes avant 14 heures",
             "1110: plus_que 2 minutes avant 14 heures", "1170: plus_qu_une_minute avant 14 heures",
             "1220: plus_que 10 secondes avant 14 heures", "1230: minuteur_termine SON", "1232: SON"}},
        // Started and resumed within a second: the end is the next whole second, never the one before.
        {{8, 0, 0, 600}, [&] { m->lance(90); attend(20); m->pause(); horloge.avance(100); m->reprend(); redemarre(); },
             190, {
             "0: minuteur_lance 1 minute 30 secondes", "130: plus_qu_une_minute", "180: plus_que 10 secondes",
             "190: minuteur_termine SON"}},
        // Replaced: nothing more of the first one ("plus que 10 minutes" at 120 s).
        {{8, 0}, [&] { m->lance(720); attend(60); m->lance(90); }, 150, {"0: minuteur_lance 12 minutes",
             "60: minuteur_lance 1 minute 30 secondes", "90: plus_qu_une_minute", "140: plus_que 10 secondes",
             "150: minuteur_termine SON", "152: SON"}},
        {{8, 0}, [&] { m->lance(600); attend(100); horloge.saute(4160'000); }, 4260, {"0: minuteur_lance 10 minutes",
             "4260: minuteur_termine"}, "Minuteur manqué"},
        {{8, 0}, [&] { m->lance(180); attend(30); m.reset(); horloge.avance(1950); redemarre(); }, 1980, {
             "0: minuteur_lance 3 minutes", "1980: minuteur_termine SON", "1982: SON"}},
        {{8, 0}, [&] { m->lance(90); attend(29); LanceSequence(AnnonceHeure()); }, 90, {
             "0: minuteur_lance 1 minute 30 secondes", "29: 99 heures plus_qu_une_minute", "80: plus_que 10 secondes",
             "90: minuteur_termine SON", "92: SON"}},
        {{8, 0}, [&] {
             m->lance(20); attend(23); m->actionNotification("minuteur"); },
             40, {"0: minuteur_lance 20 secondes", "20: minuteur_termine SON", "22: SON"}, {}},
    };
    // clang-format on
    for (const Cas& c : cas) {
        horloge.deroule();
        horloge.passeA(QDateTime(horloge.t.date().addDays(1), c.depart));
        son.evenements.clear();
        debut = horloge.t;
        c.lance();
        attend(c.fin + 3);
        EXPECT_EQ(dits(), c.dit) << c.fin;
        EXPECT_EQ(notifications.montrees["minuteur"].resume, c.notification) << c.fin;
        notifications.montrees.clear();
        m->arrete();
    }
}

}  // namespace

TEST(DureeMinuteur, WhatReadsAndWhatDoesNot) {
    // clang-format off
    const struct { const char* texte; int secondes; } cas[] = {
        {"25", 1500}, {" 25m ", 1500}, {"25min", 1500}, {"1h30", 5400}, {"1H30M15S", 5415}, {"1h30s", 3630},
        {"90s", 90}, {"2530s", 2530}, {"1:30:00", 5400}, {"12:30", 750}, {"23:59:59", 86399}, {"1h", 3600},
        {"", 0}, {"0", 0}, {"0s", 0}, {"25x", 0}, {"5m30", 0}, {"1h30m15", 0}, {"24:00:00", 0}, {"1440", 0},
    };
    // clang-format on
    for (const auto& c : cas)
        EXPECT_EQ(LitDureeMinuteur(QString::fromLatin1(c.texte)).value_or(0), c.secondes) << c.texte;
}

// The lines a command to the running clock gets back; the timer is saved as it goes.
TEST_F(Minuteurs, Commands) {
    horloge.avance(0.4);  // the end, a whole second, comes after the length; the length is what shows
    // clang-format off
    const struct { const char* ligne; const char* reponse; } cas[] = {
        {"minuteur 2", "ok Minuteur lancé : 02:00, fin à 14:02:01."},
        {"minuteur-restant", "ok Il reste 02:00."},
        {"minuteur 25y", "erreur valeur illisible « 25y »"},
        {"minuteur-jusqu-a 15:30", "ok Minuteur lancé : 1:30:00, fin à 15:30:00."},
        {"minuteur-arret", "ok Minuteur arrêté."},
        {"montre", ""},
    };
    // clang-format on
    for (const auto& c : cas)
        EXPECT_EQ(m->commande(QString::fromUtf8(c.ligne)), QString::fromUtf8(c.reponse));
    EXPECT_TRUE(Etat.MinuteurDuree == 120 && ValeurReleve("minuteur").isEmpty());
}
