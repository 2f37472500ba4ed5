// The clock window's ways in: the notification icon, its menu, the toolbar and the mouse on the face.
#include "platform/Aide.h"
#include "clock/QUENTORFixture.h"
#include "timer/Minuteur.h"
#include "sound/DitHeure.h"
#include "sound/Son.h"
#include "support/Souris.h"

#include <QAction>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

class Outils : public AvecHorloge {
protected:
    Outils() {
        Etat.VersionTexte = QStringLiteral("6,10");
        w->LanceTrayIcon();
        w->surFermeture = [this] { ++fermetures; };
    }
    void notifie(int code) {
        ASSERT_TRUE(zone.surNotification);
        zone.surNotification(code);
    }
    int fermetures = 0;
};

// While the menu is open, whoever opened it, a click only shows the toolbar: no restore, no
// second menu. The menu tells the time when it opens. Once it is closed, a left click or double
// click brings the window back; every notification shows the toolbar.
TEST_F(Outils, AnOpenMenuShowsTheTimeAndBlocksOtherNotifications) {
    EXPECT_EQ(zone.bulle, QStringLiteral("Quentor Sonalde 6,10"));
    for (int parLaPlateforme : {0, 1}) {
        aLHeure(14, 5 + parLaPlateforme, 12);
        if (parLaPlateforme)
            w->BULLE->popup(QPoint(0, 0));  // as the tray host does before reporting the right click
        notifie(517);
        ASSERT_TRUE(w->BULLE->isVisible());
        EXPECT_EQ(w->BULLE->title() + w->AffHoraire->text(),
                  QStringLiteral("14:0%1Il est 14:0%1").arg(5 + parLaPlateforme));
        w->CadreOutils->hide();
        notifie(514);
        notifie(517);
        EXPECT_TRUE(w->isHidden() && !w->CadreOutils->isHidden());
        w->BULLE->hide();
        EXPECT_FALSE(w->TrayOccupé);
    }
    emit w->BULLE->aboutToShow();  // a host showing the menu by its own means never closes our QMenu
    for (int code : {514, 515, 512, 520}) {
        w->hide();
        w->CadreOutils->hide();
        w->setEtatFenetre(1);
        notifie(code);
        EXPECT_EQ(w->isVisible() && w->etatFenetre() == 0, code == 514 || code == 515) << code;
        EXPECT_TRUE(!w->CadreOutils->isHidden() && !w->TrayOccupé) << code;
    }
}

// The menu's items, the toolbar's buttons (each after the click sound) and the close box.
TEST_F(Outils, MenuItemsToolbarButtonsAndTheCloseBox) {
    w->AffHoraire->trigger();
    EXPECT_EQ(son.joues(), QStringList{"clip 85"});  // the chime, nothing spoken
    w->Agrandir->trigger();
    EXPECT_TRUE(w->isVisible() && w->etatFenetre() == 0);
    w->Fermeture->trigger();
    w->close();  // the close sequence hides the window itself
    EXPECT_TRUE(fermetures == 2 && w->isVisible());
    int ouvertes = 0;
    w->ouvreParametres = w->ouvreAlarmes = w->ouvreInfo = w->ouvreVolumeSilence = [&] { ++ouvertes; };
    w->VolumeSilence->trigger();  // the timer's items below it, then the close, last
    EXPECT_EQ(w->BULLE->actions().indexOf(w->VolumeSilence) + 1, w->BULLE->actions().indexOf(w->MenuMinuteur));
    EXPECT_EQ(w->BULLE->actions().last(), w->Fermeture);
    LeMinuteur().lance(600);  // a running timer's two items stand in the menu only while it runs
    EXPECT_EQ(w->BULLE->actions().mid(w->BULLE->actions().size() - 3, 2),
              (QList<QAction*>{w->TempsRestant, w->ArretMinuteur}));
    LeMinuteur().arrete();
    EXPECT_FALSE(w->BULLE->actions().contains(w->TempsRestant) || w->BULLE->actions().contains(w->ArretMinuteur));
    Etat.CheminAppli = QStringLiteral("/opt/quentor");  // help nowhere: the viewer names the missing file
    PrépareAide();
    w->CadreOutils->show();
    for (BoutonOutil* b : {w->Image0, w->Image2, w->Image3, w->Image4, w->Image5})
        Clique(b);
    Clique(w->Image5, Qt::RightButton);  // does nothing
    EXPECT_TRUE(ouvertes == 4 && fermetures == 3 && bureau.aides == QStringList{"/opt/quentor/Sonalde.html"});
    EXPECT_EQ(son.joues(), QStringList("clip 85") + QStringList(5, "clip 84"));
}

// A move over the face shows the toolbar (code 512, wherever the pointer is); on the time, a left
// press shows it, a right press hides it, and moves do nothing. A free-running timer hides it.
TEST_F(Outils, MouseOnTheFaceShowsOrHidesTheToolbar) {
    w->resize(200, 80);
    w->show();
    const int reste = w->Outils->remainingTime();
    Survole(w.get(), QPoint(150, 70));
    EXPECT_TRUE(w->CadreOutils->isVisible());
    EXPECT_LE(w->Outils->remainingTime(), reste);  // showing it does not restart the timer
    EnvoieSouris(w->AffHEURE, QEvent::MouseButtonPress, Qt::RightButton);
    Survole(w->AffHEURE, QPoint(3, 3));
    EnvoieSouris(w->AffHEURE, QEvent::MouseButtonPress, Qt::MiddleButton);
    EXPECT_FALSE(w->CadreOutils->isVisible());
    EnvoieSouris(w->AffHEURE, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_TRUE(w->CadreOutils->isVisible());
    w->Outils->start(1);
    QElapsedTimer t;
    for (t.start(); w->CadreOutils->isVisible() && t.elapsed() < 5000;)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_FALSE(w->CadreOutils->isVisible());
}

// The middle button and the key H say the time from timers: a request while the clock sounds is
// dropped, the tick is never held, and an announcement that begins ends the time said on demand.
TEST_F(Outils, TheTimeSaidOnDemand) {
    Etat.Genre = 1;
    aLHeure(10, 24, 30);
    notifie(520);
    w->DitLHeure->trigger();  // while it speaks: nothing more (the menu speaks in the end-to-end test)
    EXPECT_FALSE(DitHeure());
    horloge.deroule();
    EXPECT_EQ(chronologie(), (QStringList{"10:24:30.100 clip 110", "10:24:31.300 clip 170", "10:24:32.100 clip 124",
                                          "10:24:33.300 clip 171"}));
    son.evenements.clear();
    w->show();
    w->cacheOutils();
    horloge.pendantPause = [this](int) {
        QKeyEvent h(QEvent::KeyPress, Qt::Key_H, Qt::NoModifier, QStringLiteral("h"));
        QCoreApplication::sendEvent(w.get(), &h);
    };
    tic(10, 24, 40);  // H during the tick's quarter second: the tick ends on time
    EXPECT_TRUE(horloge.t.time() == QTime(10, 24, 40, 250) && !w->CadreOutils->isVisible());
    horloge.pendantPause = [this, n0 = horloge.pauses](int n) { n <= n0 + 3 ? notifie(520) : void(); };
    Etat.DéclencheAnnonce = 3;
    tic(10, 25, 0);  // the announcement cuts the time said at 10:24:40; clicks in its pauses are dropped
    horloge.deroule();
    EXPECT_EQ(son.joues(), (QStringList{"clip 110", "clip 110", "clip 170", "clip 125", "clip 171"}));
}
