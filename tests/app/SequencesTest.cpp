// The load and close sequences over real files in a temporary program folder, with doubles for
// everything else.
#include "state/Etat.h"
#include "state/FinProgramme.h"
#include "app/Sequences.h"
#include "clock/QUENTOR.h"
#include "support/Doubles.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace {

QByteArray ini(const QStringList& lignes) {
    QByteArray b;
    for (const QString& l : lignes)
        b += l.toLatin1() + "\r\n";  // the keys and values used here are all Latin-1
    return b;
}

QStringList reglages() {
    QStringList l = {"; commentaire",     "couleur_fond=4210752", "couleur_encre=65535",
                     "couleur_bande=33023", "QS_top=1500",          "QS_left=1200",
                     "QS_width=3000",       "QS_height=1500",       "Réduction=0",
                     "QS_visible=Vrai",     "déclenche_annonce=2",  "Genre=1"};
    for (int n = 1; n <= 6; ++n)
        l << QStringLiteral("ALH%1=%2").arg(n).arg(n + 6) << QStringLiteral("ALMN%1=%2").arg(n).arg(n * 5)
          << QStringLiteral("AL%1=Faux").arg(n) << QStringLiteral("ALMSG%1=Vrai").arg(n)
          << QStringLiteral("ALAPP%1=Faux").arg(n) << QStringLiteral("ALEXE%1=").arg(n)
          << QStringLiteral("ALSON%1=").arg(n);
    l << "active_image=0" << "image_fond= /x/mon fond.bmp";
    return l;
}

QStringList sans(QStringList l, const QString& cle) {
    l.removeIf([&](const QString& s) { return s.section('=', 0, 0).trimmed() == cle; });
    return l;
}

QStringList avec(QStringList l, const QString& cle, const QString& valeur) {
    for (QString& s : l)
        if (s.section('=', 0, 0).trimmed() == cle)
            s = cle + "=" + valeur;
    return l;
}

class Sequences : public AvecPlateforme {
protected:
    Sequences() {
        bureau.programme = dir.path();
        RemplitEtat();
        for (int n = 1; n <= 6; ++n)
            ecrit(QStringLiteral("MSG%1.ASC").arg(n), "memo\r\n");
        LorsErreurImage = [this](QUENTOR&, const QString& r) { erreursImage << r; };
    }
    ~Sequences() override { LorsErreurImage = nullptr; }

    void ecrit(const QString& nom, const QByteArray& octets) {
        QFile f(dir.filePath(nom));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(octets);
    }
    QByteArray lit(const QString& nom) {
        QFile f(dir.filePath(nom));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
    }
    void charge(const QStringList& l) {
        QByteArray b;
        for (const QString& s : l)
            b += s.toLatin1() + "\r\n";
        ecrit("QS32.ini", b);
        QUENTOR_Form_Load(w);
    }
    // The message of the last box, or nothing.
    QString derniereBoite() const {
        return dialogues.boites.empty() ? QString() : dialogues.boites.back().texte;
    }

    QTemporaryDir dir;
    QUENTOR w;
    QStringList erreursImage;
};

TEST(Version, FormatsMajorPlusMinorOverTen) {
    const QLocale fr(QLocale::French, QLocale::France), en(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(TexteVersion(6, 1, fr), "6,10");
    EXPECT_EQ(TexteVersion(6, 1, en), "6.10");
    EXPECT_EQ(TexteVersion(6, 12, fr), "7,20");
    EXPECT_EQ(TexteVersion(0, 5, fr), "0,50");
}

TEST_F(Sequences, LoadAppliesEverySetting) {
    magasin.entrees["quentor"] = "/bin/sh";
    magasin.fichiers << "/bin/sh";
    charge(reglages());
    EXPECT_EQ(w.couleurFond(), QColor(64, 64, 64));
    EXPECT_EQ(w.couleurEncre(), QColor(255, 255, 0));
    EXPECT_EQ(w.couleurBande(), QColor(255, 128, 0));
    const RectTwips r = w.geometrieTwips();
    EXPECT_DOUBLE_EQ(r.left, 1200);
    EXPECT_DOUBLE_EQ(r.top, 1500);
    EXPECT_DOUBLE_EQ(r.width, 3000);
    EXPECT_DOUBLE_EQ(r.height, 1500);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.timerActif());
    EXPECT_TRUE(Etat.ResteVisible);
    EXPECT_TRUE(Etat.AutoDemarre);
    EXPECT_EQ(Etat.DéclencheAnnonce, 2);
    EXPECT_EQ(Etat.Genre, 1);
    EXPECT_EQ(Etat.AlarmeHeure[3], 9);
    EXPECT_EQ(Etat.AlarmeMinute[6], 30);
    EXPECT_TRUE(Etat.AlarmeMessage[2]);
    EXPECT_EQ(Etat.AlarmeTexte[4], "memo\r\n");
    EXPECT_FALSE(w.imageVisible());
    EXPECT_EQ(Etat.ImageFond, " /x/mon fond.bmp");
    EXPECT_TRUE(dialogues.boites.empty());
}

TEST_F(Sequences, WindowShownOnlyWhenNormalAndVisibleOrWhenThereIsNoTray) {
    struct Cas {
        const char* reduction;
        const char* visible;
        bool tray;
        bool montree;
    };
    for (Cas c : {Cas{"0", "Vrai", true, true}, Cas{"0", "Faux", true, false},
                  Cas{"1", "Vrai", true, false}, Cas{"2", "Faux", true, false},
                  Cas{"1", "Faux", false, true}, Cas{"0", "Faux", false, true}}) {
        zone.presente = c.tray;
        QUENTOR f;
        ecrit("QS32.ini", ini(avec(avec(reglages(), "Réduction", c.reduction), "QS_visible", c.visible)));
        QUENTOR_Form_Load(f);
        EXPECT_EQ(f.isVisible(), c.montree) << c.reduction << " " << c.visible << " " << c.tray;
    }
}

TEST_F(Sequences, FirstMissingKeyInReadOrderIsReportedAndEndsTheLoad) {
    ecrit("QS32.ini", ini(sans(sans(reglages(), "ALH3"), "Genre")));
    EXPECT_THROW(QUENTOR_Form_Load(w), FinProgramme);
    EXPECT_EQ(derniereBoite(), "Il manque le paramètre Genre");
}

TEST_F(Sequences, PictureKeyIsRequiredEvenWhenThePictureIsOff) {
    ecrit("QS32.ini", ini(sans(reglages(), "image_fond")));
    EXPECT_THROW(QUENTOR_Form_Load(w), FinProgramme);
    EXPECT_EQ(derniereBoite(), "Il manque le paramètre image_fond");
}

TEST_F(Sequences, ImpossibleWindowStateIsReported) {
    ecrit("QS32.ini", ini(avec(reglages(), "Réduction", "3")));
    EXPECT_THROW(QUENTOR_Form_Load(w), FinProgramme);
    EXPECT_TRUE(derniereBoite().contains("Réduction")) << derniereBoite().toStdString();
}

TEST_F(Sequences, PictureWithLeadingBlanksLoadsAndAFailedOneIsReported) {
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    ASSERT_TRUE(img.save(dir.filePath("fond.bmp")));
    charge(avec(avec(reglages(), "active_image", "1"), "image_fond", "   " + dir.filePath("fond.bmp")));
    EXPECT_TRUE(w.imageVisible());
    EXPECT_EQ(Etat.ImageFond, dir.filePath("fond.bmp"));
    EXPECT_EQ(Etat.ErreurImage, 0);
    EXPECT_TRUE(erreursImage.isEmpty());

    for (const QString& chemin : {QString(), QStringLiteral("   "), dir.filePath("absent.bmp")}) {
        QUENTOR f;
        erreursImage.clear();
        ecrit("QS32.ini", ini(avec(avec(reglages(), "active_image", "1"), "image_fond", chemin)));
        QUENTOR_Form_Load(f);
        EXPECT_NE(Etat.ErreurImage, 0) << chemin.toStdString();
        EXPECT_EQ(erreursImage.size(), 1) << chemin.toStdString();
    }
}

TEST_F(Sequences, CloseWritesEverythingBackThenPlaysTheExitClipAndEnds) {
    charge(avec(reglages(), "Genre", " 1"));
    w.setCouleurFond(QColor(1, 2, 3));
    Etat.Genre = 0;
    Etat.AlarmeHeure[2] = 23;
    Etat.AlarmeTexte[5] = "abc";
    w.arreteTimer();  // no tick within the exit pause: its timing is what is checked here
    const QDateTime debut = horloge.maintenant();
    QUENTOR_Form_QueryUnload(w);

    QStringList attendu = avec(avec(avec(reglages(), "couleur_fond", "197121"), "Genre", "0"), "ALH2", "23");
    EXPECT_EQ(lit("QS32.ini"), ini(attendu));
    EXPECT_EQ(lit("MSG5.ASC"), "abc\r\n");
    EXPECT_EQ(lit("MSG1.ASC"), "memo\r\n");
    EXPECT_EQ(zone.retraits, 1);
    ASSERT_GE(son.evenements.size(), 2u);
    EXPECT_EQ(son.evenements.front().quoi, "clip 84");
    EXPECT_EQ(son.evenements.back().quoi, "arret");
    EXPECT_EQ(debut.msecsTo(son.evenements.back().t), 1000);
    EXPECT_EQ(bureau.codesSortie, std::vector<int>{0});
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Sequences, CloseWhileMinimisedStoresTheStateAndTheNormalGeometry) {
    charge(reglages());
    ASSERT_TRUE(w.setEtatFenetre(1));
    QUENTOR_Form_QueryUnload(w);
    EXPECT_EQ(lit("QS32.ini"), ini(avec(reglages(), "Réduction", "1")));
}

TEST_F(Sequences, AFileThatCannotBeWrittenDoesNotStopTheOthers) {
    charge(reglages());
    Etat.AlarmeTexte[1] = "un";
    Etat.AlarmeTexte[4] = "quatre";
    Etat.Genre = 0;
    QFile::remove(dir.filePath("MSG3.ASC"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("MSG3.ASC"));  // a folder in its place: can't be written
    QUENTOR_Form_QueryUnload(w);
    EXPECT_EQ(lit("MSG1.ASC"), "un\r\n");
    EXPECT_EQ(lit("MSG4.ASC"), "quatre\r\n");
    EXPECT_EQ(lit("QS32.ini"), ini(avec(reglages(), "Genre", "0")));
    ASSERT_FALSE(dialogues.boites.empty());
    EXPECT_TRUE(derniereBoite().contains("MSG3.ASC")) << derniereBoite().toStdString();
    EXPECT_EQ(bureau.codesSortie, std::vector<int>{0});
}

TEST_F(Sequences, MissingKeyAtCloseWritesNoFileAtAll) {
    charge(reglages());
    Etat.AlarmeTexte[1] = "changé";
    Etat.TexteIni.replace("ALSON6=", "ALSON6");  // its separator is gone
    QUENTOR_Form_QueryUnload(w);
    EXPECT_EQ(derniereBoite(), "Il manque le paramètre  = ");
    EXPECT_EQ(lit("MSG1.ASC"), "memo\r\n");
    EXPECT_EQ(lit("QS32.ini"), ini(reglages()));
    EXPECT_EQ(bureau.codesSortie, std::vector<int>{1});
}

TEST_F(Sequences, CloseRunsOnceWhateverAsksForIt) {
    charge(reglages());
    QUENTOR_Form_QueryUnload(w);
    QUENTOR_Form_QueryUnload(w);
    EXPECT_EQ(bureau.codesSortie.size(), 1u);
}

}  // namespace
