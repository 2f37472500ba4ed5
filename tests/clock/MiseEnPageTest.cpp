#include "clock/BandeSecondes.h"
#include "clock/QUENTORFixture.h"

#include <QLabel>

namespace {
struct Cas {
    double h;
    int pt;
    double haut;
};
const Cas cas[] = {{450, 12, 175}, {1100, 26, 283.333}, {1500, 35, 350}, {2160, 50, 460}};
}  // namespace

TEST(MiseEnPage, WorkedValues) {
    for (const Cas& c : cas) {
        const MiseEnPageHeure m = CalculeMiseEnPage(c.h);
        EXPECT_EQ(m.policePt, c.pt) << c.h;
        EXPECT_NEAR(m.hautTwips, c.haut, 0.001) << c.h;
    }
    EXPECT_DOUBLE_EQ(OrdonneeBande(350, 600), 940);
}

class MiseEnPageFenetre : public AvecHorloge {};

// Outer heights that are whole pixels, through a real resize: font, top, band under the label.
TEST_F(MiseEnPageFenetre, ResizeAppliesFontTopAndBand) {
    w->show();
    for (const Cas& c : cas) {
        if (c.h != 450 && c.h != 1500 && c.h != 2160)
            continue;
        const int cadre = w->frameGeometry().height() - w->height();
        w->resize(180, int(c.h / 15) - cadre);
        ASSERT_EQ(w->frameGeometry().height() * 15, int(c.h));
        EXPECT_EQ(w->AffHEURE->font().pointSize(), c.pt) << c.h;
        EXPECT_DOUBLE_EQ(w->hautHeureTwips(), c.haut);
        EXPECT_EQ(w->AffHEURE->y(), qRound(c.haut / 15));
        EXPECT_DOUBLE_EQ(w->bandeY(), c.haut + w->AffHEURE->height() * 15 - 10);
        // The label sized itself to the new font, and the band sits on its lower edge.
        EXPECT_EQ(w->AffHEURE->size(), w->AffHEURE->sizeHint());
        const int basHeure = w->AffHEURE->geometry().bottom();
        EXPECT_NEAR(w->bande->geometry().center().y(), basHeure, 2) << c.h;
        EXPECT_EQ(w->AffHEURE->x(), 9);
    }
}

TEST_F(MiseEnPageFenetre, FontIsMonospacedBold) {
    const QFontInfo f(w->AffHEURE->font());
    EXPECT_TRUE(f.fixedPitch());
    EXPECT_TRUE(w->AffHEURE->font().bold());
    EXPECT_DOUBLE_EQ(w->AffHEURE->font().pointSizeF(), 13.5);
}

TEST_F(MiseEnPageFenetre, MinimisedHidesOnlyWhenAllowedAndAnIconCanBringItBack) {
    struct {
        bool resteVisible, zone;
        bool cache;
    } lignes[] = {{false, true, true}, {true, true, false}, {false, false, false}, {true, false, false}};
    for (const auto& l : lignes) {
        Etat.ResteVisible = l.resteVisible;
        zone.presente = l.zone;
        w->restaure();
        ASSERT_TRUE(w->isVisible());
        w->setEtatFenetre(1);
        EXPECT_EQ(w->isHidden(), l.cache) << l.resteVisible << l.zone;
        EXPECT_EQ(w->peutSeCacher(), l.zone);
    }
}

TEST_F(MiseEnPageFenetre, WindowStateRoundTrip) {
    for (int16_t e : {1, 2, 0}) {
        ASSERT_TRUE(w->setEtatFenetre(e));
        EXPECT_EQ(w->etatFenetre(), e);
    }
    EXPECT_FALSE(w->setEtatFenetre(3));
    EXPECT_EQ(w->etatFenetre(), 0);
}

TEST_F(MiseEnPageFenetre, CaptionInTheSystemLanguage) {
    w->metLegende(QDateTime(QDate(2009, 3, 3), QTime(14, 5)));
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" 14:05 - mardi 3 mars 09"));
    w->metLegende(QDateTime(QDate(2009, 1, 3), QTime(14, 5)));
    EXPECT_EQ(w->windowTitle(), QStringLiteral(" 14:05 - samedi 3 janv. 09"));
}

TEST_F(MiseEnPageFenetre, PictureLoadFailuresSayWhy) {
    QString erreur;
    EXPECT_FALSE(w->chargeImage(QString(), &erreur));
    EXPECT_FALSE(erreur.isEmpty());
    erreur.clear();
    EXPECT_FALSE(w->chargeImage(QStringLiteral("/nulle/part.bmp"), &erreur));
    EXPECT_EQ(erreur, QStringLiteral("Fichier introuvable."));
    EXPECT_TRUE(w->PHOTO->pixmap().isNull());
    EXPECT_TRUE(w->PHOTO->testAttribute(Qt::WA_TransparentForMouseEvents));
}
