// The face's layout follows the window's outer height; a minimised window leaves the screen only
// when the notification icon can bring it back.
#include "clock/QUENTORFixture.h"

class MiseEnPage : public AvecHorloge {};

// Outer heights in whole pixels, through a real resize: Int(H/45)+2 points, top at H/6+100
// twips, the band on the label's lower edge.
TEST_F(MiseEnPage, ResizeAppliesFontTopAndBand) {
    EXPECT_TRUE(QFontInfo(w->AffHEURE->font()).fixedPitch() && w->AffHEURE->font().bold());
    w->show();
    for (auto [h, pt, haut] : {std::tuple{450, 12, 175.0}, {1500, 35, 350.0}, {2160, 50, 460.0}}) {
        w->resize(180, h / 15 - (w->frameGeometry().height() - w->height()));
        ASSERT_EQ(w->frameGeometry().height() * 15, h);
        EXPECT_EQ(w->AffHEURE->font().pointSize(), pt) << h;
        EXPECT_DOUBLE_EQ(w->hautHeureTwips(), haut);
        EXPECT_EQ(w->AffHEURE->pos(), QPoint(9, qRound(haut / 15)));
        EXPECT_EQ(w->AffHEURE->size(), w->AffHEURE->sizeHint());
        EXPECT_DOUBLE_EQ(w->bandeY(), haut + w->AffHEURE->height() * 15 - 10);
        EXPECT_NEAR(w->bande->geometry().center().y(), w->AffHEURE->geometry().bottom(), 2) << h;
    }
}

// The area starts after us: it gets the icon and, from the next tick, the minimised window; when
// it goes, the hidden window comes back.
TEST_F(MiseEnPage, MinimisedHidesOnlyWhenAllowedAndAnIconCanBringItBack) {
    for (auto [resteVisible, zonePresente, cache] :
         {std::tuple{false, true, true}, {true, true, false}, {false, false, false}, {true, false, false}}) {
        Etat.ResteVisible = resteVisible;
        zone.presente = false;
        w->LanceTrayIcon();
        zone.presente = zonePresente;
        tique();
        w->restaure();
        ASSERT_TRUE(w->isVisible());
        w->setEtatFenetre(1);
        EXPECT_TRUE(w->isHidden() == cache && zone.ajoutee) << resteVisible << zonePresente;
        EXPECT_EQ(w->etatFenetre(), 1);
        zone.presente = false;
        tique();
        EXPECT_TRUE(w->isVisible());
    }
}

// A colour chosen in the settings window shows at once, even while the tick is held.
TEST_F(MiseEnPage, AColourChangeRepaintsAtOnce) {
    w->bande->setX2(w->bande->X1() + 600);
    w->show();
    QCoreApplication::processEvents();
    Peintures p(w.get());
    w->setCouleurBande(Qt::green);
    QCoreApplication::processEvents();
    EXPECT_TRUE(p.region.contains(w->bande->geometry().center()));
    w->setCouleurFond(Qt::red);
    QCoreApplication::processEvents();
    EXPECT_TRUE(p.region.contains(QPoint(1, 1)));
}
