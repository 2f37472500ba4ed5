// The close sequence ends everything at once: in whatever pause of a tick or a firing it begins,
// nothing of the minute's work follows it, and a second request changes nothing.
#include "app/Sequences.h"
#include "clock/QUENTORFixture.h"
#include "platform/HorlogeReelle.h"
#include "settings/Windows1252.h"
#include "support/Fichiers.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class Fermeture : public AvecHorloge {
protected:
    // A clock window with the shipped settings, at 07:30:00 with alarm 1 due (ringing, memo,
    // program) and the time spoken in the female voice.
    void prepare() {
        Etat = EtatProgramme{};
        bureau.programme = Etat.CheminAppli = dir.path();
        Etat.TexteIni = DecodeFichierTexte(LitOctets(
            QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../../resources/defaults/QS32.ini"));
        for (int n = 2; n <= 6; ++n)
            Etat.AlarmeHeure[n] = 99;
        alarme(1, 7, 30, true, true, true, QStringLiteral("/bin/programme"));
        Etat.DéclencheAnnonce = 1;
        Etat.Genre = 1;
        aLHeure(7, 30, 0);
        son.evenements.clear();
        lanceur.lances.clear();
        bureau.codesSortie.clear();
        horloge.attentes = horloge.interruptions = 0;
        w = std::make_unique<QUENTOR>();
        w->surFermeture = [this] { QUENTOR_Form_QueryUnload(*w); };
        w->demarreTimer();
    }
    QTemporaryDir dir;
};

TEST_F(Fermeture, NothingOfTheMinuteFollowsACloseBegunInAnyOfItsPauses) {
    // Waits 1-3 space the spoken time, 4 is the 5-second pause, 5 and 6 belong to the firing.
    const QStringList minute = {"clip 107", "clip 170", "clip 130", "clip 171",
                                "fichier /sons/alarme1.wav"};
    struct Cas {
        int attente, joues;
        bool programme;
    };
    for (Cas c : {Cas{1, 1, false}, Cas{2, 2, false}, Cas{3, 3, false}, Cas{4, 4, false},
                  Cas{5, 5, true}, Cas{6, 5, true}}) {
        prepare();
        horloge.pendantAttente = [&](int n) {
            if (n == c.attente)
                w->QUENTOR_Fermeture_Click();
            else if (n == c.attente + 1)
                w->close();  // during the exit clip's own pause: ignored
        };
        w->QUENTOR_Timer_Timer();
        EXPECT_EQ(son.joues(), minute.mid(0, c.joues) << "clip 84") << c.attente;
        EXPECT_EQ(lanceur.lances.size(), c.programme ? 1u : 0u) << c.attente;
        EXPECT_EQ(MessAlarmOuvert(), nullptr) << c.attente;
        EXPECT_EQ(horloge.attentes, c.attente + 1) << "the exit clip's pause, then nothing";
        EXPECT_EQ(horloge.interruptions, 1);
        EXPECT_EQ(bureau.codesSortie, std::vector<int>{0});
        EXPECT_FALSE(w->timerActif());
        EXPECT_TRUE(LitOctets(dir.filePath("QS32.ini")).contains("ALH1=7\r\n"));
    }
}

TEST_F(Fermeture, ATickThatLandsOnSecondZeroDuringTheExitClipDoesNothing) {
    prepare();
    aLHeure(7, 29, 59);
    horloge.pendantAttente = [&](int) {
        aLHeure(7, 30, 0);
        w->QUENTOR_Timer_Timer();
    };
    w->QUENTOR_Fermeture_Click();
    EXPECT_EQ(son.joues(), QStringList{"clip 84"});
    EXPECT_EQ(horloge.attentes, 1);
}

TEST(HorlogeReelleInterrompue, AWaitInProgressEndsAtOnceAndTheNextOneRunsInFull) {
    HorlogeReelle h;
    qint64 interne = -1;
    QTimer::singleShot(50, [&] {
        h.interromptAttentes();
        QElapsedTimer t;
        t.start();
        h.attendre(0.2);
        interne = t.elapsed();
    });
    QElapsedTimer externe;
    externe.start();
    h.attendre(5);
    EXPECT_GE(interne, 200);
    EXPECT_LT(externe.elapsed(), 1500);
}

using ZoneTardive = AvecHorloge;

// A panel that starts after the clock: the icon waits for it; the window only hides in it once
// it is there, and comes back if it goes.
TEST_F(ZoneTardive, TheWindowHidesOnMinimiseOnlyWhileTheAreaIsThere) {
    zone.presente = false;
    Etat.ResteVisible = false;
    w->show();
    w->LanceTrayIcon();
    EXPECT_TRUE(zone.ajoutee);
    w->setEtatFenetre(1);
    EXPECT_FALSE(w->isHidden());
    zone.presente = true;
    w->QUENTOR_Timer_Timer();
    w->setEtatFenetre(0);
    w->setEtatFenetre(1);
    EXPECT_TRUE(w->isHidden());
    zone.presente = false;
    w->QUENTOR_Timer_Timer();
    EXPECT_FALSE(w->isHidden());
}

// A host that shows the menu by its own means asks for its contents and never closes our QMenu.
TEST_F(ZoneTardive, AMenuShownByTheHostNeverLeavesTheNotificationsBusy) {
    w->LanceTrayIcon();
    emit w->BULLE->aboutToShow();
    zone.surNotification(ZoneNotification::GaucheRelache);
    EXPECT_TRUE(w->isVisible());
}

}  // namespace
