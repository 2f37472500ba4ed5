#include "app/Aide.h"
#include "art/Dessins.h"
#include "clock/QUENTORFixture.h"
#include "support/Souris.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QTimer>

class Outils : public AvecHorloge {
protected:
    Outils() {
        Etat.VersionTexte = QStringLiteral("6,10");
        Etat.CheminAppli = QStringLiteral("/opt/quentor");
        w->LanceTrayIcon();
    }
    void notifie(int code) {
        ASSERT_TRUE(zone.surNotification);
        zone.surNotification(code);
    }
};

TEST_F(Outils, IconCarriesTipAndMenu) {
    EXPECT_TRUE(zone.ajoutee);
    EXPECT_EQ(zone.bulle, QStringLiteral("Quentor Sonalde 6,10"));
    EXPECT_EQ(zone.menu, w->BULLE);
    w->retireTrayIcon();
    EXPECT_FALSE(zone.ajoutee);
    EXPECT_FALSE(zone.surNotification);
}

TEST_F(Outils, LeftClickOrDoubleClickRestoresAndShowsTheToolbar) {
    for (int code : {514, 515}) {
        w->hide();
        w->CadreOutils->hide();
        w->setEtatFenetre(1);
        notifie(code);
        EXPECT_TRUE(w->isVisible()) << code;
        EXPECT_EQ(w->etatFenetre(), 0) << code;
        EXPECT_TRUE(w->CadreOutils->isVisible()) << code;
        EXPECT_EQ(w->TrayMessage, code);
        EXPECT_FALSE(w->TrayOccupé);
    }
}

TEST_F(Outils, OtherCodesOnlyShowTheToolbar) {
    for (int code : {512, 520}) {
        w->CadreOutils->hide();
        notifie(code);
        EXPECT_TRUE(w->isHidden()) << code;
        EXPECT_FALSE(w->CadreOutils->isHidden()) << code;
    }
}

TEST_F(Outils, RightClickOpensTheMenuWithTheTimeAndBlocksOtherNotifications) {
    aLHeure(14, 5, 12);
    notifie(517);
    ASSERT_TRUE(w->BULLE->isVisible());
    EXPECT_EQ(w->AffHoraire->text(), QStringLiteral("Il est 14:05"));
    EXPECT_EQ(w->BULLE->title(), QStringLiteral("14:05"));
    // While it is open a left click only shows the toolbar: no restore, no second menu.
    w->CadreOutils->hide();
    notifie(514);
    notifie(517);
    EXPECT_TRUE(w->isHidden());
    EXPECT_FALSE(w->CadreOutils->isHidden());
    EXPECT_EQ(w->TrayMessage, 517);
    w->BULLE->hide();
    notifie(514);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(Outils, MenuOpenedByThePlatformAlsoBlocks) {
    w->BULLE->popup(QPoint(0, 0));  // as the tray host does before reporting the right click
    notifie(517);
    notifie(514);
    EXPECT_TRUE(w->isHidden());
    w->BULLE->hide();
}

TEST_F(Outils, MenuItems) {
    int fermetures = 0;
    w->surFermeture = [&] { ++fermetures; };
    w->AffHoraire->trigger();
    EXPECT_EQ(son.joues(), QStringList{QStringLiteral("clip 85")});  // the chime, nothing spoken
    w->setEtatFenetre(1);
    w->Agrandir->trigger();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->etatFenetre(), 0);
    w->Fermeture->trigger();
    EXPECT_EQ(fermetures, 1);
    EXPECT_EQ(w->Fermeture->text(), QStringLiteral("Ferme Quentor Sonalde"));
}

TEST_F(Outils, ToolbarButtonsPlayTheClickThenAct) {
    int fermetures = 0, ouvertes = 0;
    w->surFermeture = [&] { ++fermetures; };
    w->ouvreParametres = w->ouvreAlarmes = w->ouvreInfo = [&] { ++ouvertes; };
    w->show();
    w->CadreOutils->show();
    for (QWidget* b : {static_cast<QWidget*>(w->Image0), static_cast<QWidget*>(w->Image2),
                       static_cast<QWidget*>(w->Image3)})
        Clique(b);
    EXPECT_EQ(ouvertes, 3);
    PrépareAide(w.get());
    Clique(w->Image4);
    EXPECT_EQ(bureau.aides, QStringList{QStringLiteral("/opt/quentor/Sonalde.html")});
    Clique(w->Image5);
    EXPECT_EQ(fermetures, 1);
    EXPECT_EQ(son.joues(), QStringList(5, QStringLiteral("clip 84")));
    // A right click on a button does nothing.
    Clique(w->Image5, Qt::RightButton);
    EXPECT_EQ(fermetures, 1);
}

TEST_F(Outils, MouseOnTheFaceShowsOrHidesTheToolbar) {
    w->resize(200, 80);
    w->show();
    Survole(w.get(), QPoint(150, 70));  // the face, away from the time
    EXPECT_TRUE(w->CadreOutils->isVisible());
    EXPECT_EQ(w->TrayMessage, 512);
    EnvoieSouris(w->AffHEURE, QEvent::MouseButtonPress, Qt::RightButton);
    EXPECT_FALSE(w->CadreOutils->isVisible());
    Survole(w->AffHEURE, QPoint(3, 3));  // moves over the time do not count
    EXPECT_FALSE(w->CadreOutils->isVisible());
    EnvoieSouris(w->AffHEURE, QEvent::MouseButtonPress, Qt::MiddleButton);
    EXPECT_FALSE(w->CadreOutils->isVisible());
    EnvoieSouris(w->AffHEURE, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_TRUE(w->CadreOutils->isVisible());
}

TEST_F(Outils, ToolbarTimerHidesItAndRunsFreely) {
    EXPECT_EQ(w->Outils->interval(), 15000);
    EXPECT_TRUE(w->Outils->isActive());
    w->show();
    w->CadreOutils->show();
    // Showing the toolbar does not restart the timer.
    const int reste = w->Outils->remainingTime();
    notifie(512);
    EXPECT_LE(w->Outils->remainingTime(), reste);
    w->Outils->start(1);
    QElapsedTimer t;
    t.start();
    while (w->CadreOutils->isVisible() && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_FALSE(w->CadreOutils->isVisible());
}

TEST_F(Outils, ToolbarLayout) {
    EXPECT_EQ(w->CadreOutils->geometry(), QRect(48, 0, 121, 22));
    EXPECT_EQ(w->CadreOutils->palette().color(QPalette::Window), QColor(224, 224, 224));
    EXPECT_EQ(w->Image5->geometry(), QRect(96, 0, 24, 22));
    EXPECT_EQ(w->Image0->objectName(), QStringLiteral("Image0"));
}

class SansZone : public AvecHorloge {};

// With no notification area the window is the only way in: it is never hidden.
TEST_F(SansZone, WindowStaysReachable) {
    zone.presente = false;
    Etat.ResteVisible = false;
    w->LanceTrayIcon();
    EXPECT_FALSE(w->peutSeCacher());
    w->show();
    w->setEtatFenetre(1);
    EXPECT_FALSE(w->isHidden());
    EXPECT_EQ(w->etatFenetre(), 1);
}
