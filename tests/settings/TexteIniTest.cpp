// Reading, looking up, rewriting and saving the settings text.
#include "settings/ReglagesTest.h"

#include <csignal>
#include <sys/resource.h>

namespace {

using TexteIni = AvecFichierIni;

TEST_F(TexteIni, ChargerPuisToutReecrireGardeLeFichierOctetPourOctet) {
    const QByteArray fichier =
        "; Quentor Sonalde\r\n"
        "[Horloge]\r\n"
        "couleur_fond=5258796\r\n"
        "\r\n"
        "inconnue=garder telle quelle = oui\r\n"
        "  QS_top=1500,5\r\n"
        "QS_visible=Vrai\r\n"
        "# d\xE9"
        "clenche_annonce=9 dans un commentaire\r\n"
        "d\xE9"
        "clenche_annonce=2\r\n"
        "ALEXE1=C:\\Program Files\\ALH1=x.exe\r\n"
        "ALH1=7\r\n"
        "Genre=1\r\n"
        "image_fond=/home/moi/Images/genre.bmp\r\n";
    charge(fichier);
    EcritINI(QStringLiteral("couleur_fond"), LitEntier32(QStringLiteral("couleur_fond")));
    EcritINI(QStringLiteral("QS_top"), LitSimple(QStringLiteral("QS_top")));
    EcritINI(QStringLiteral("QS_visible"), LitBooleen(QStringLiteral("QS_visible")));
    EcritINI(QStringLiteral("déclenche_annonce"),
             int32_t{LitEntier16(QStringLiteral("déclenche_annonce"))});
    EcritINI(QStringLiteral("ALEXE1"), ValeurIni(QStringLiteral("ALEXE1")));
    EcritINI(QStringLiteral("ALH1"), int32_t{LitEntier16(QStringLiteral("ALH1"))});
    EcritINI(QStringLiteral("Genre"), int32_t{LitOctet(QStringLiteral("Genre"))});
    EcritINI(QStringLiteral("image_fond"), ValeurIni(QStringLiteral("image_fond")));
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), fichier);
    EXPECT_TRUE(dialogues.boites.empty());
}

TEST_F(TexteIni, EcrireRemplaceSeulementCeQuiSuitLEgal) {
    charge("a=1\r\nGenre  = 0\r\nb=2\r\n");
    EcritINI(QStringLiteral("genre"), int32_t{1});
    EcritINI(QStringLiteral("a"), QStringLiteral("x=y"));
    // A line break in a value would make a line of its own.
    EcritINI(QStringLiteral("b"), QStringLiteral("l1\r\nl2"));
    EXPECT_EQ(Etat.TexteIni, QStringLiteral("a=x=y\r\nGenre  =1\r\nb=l1  l2\r\n"));
}

TEST_F(TexteIni, UnNomDeCleNeSeTrouveQuEnDebutDeLigne) {
    charge(
        "ALH1=7\r\nALMSG1=Faux\r\nALAPP1=Faux\r\nALEXE1=/opt/AL1=x\r\n"
        "image_fond=C:\\images\\genre.bmp\r\n"
        "AL1=Vrai\r\n"
        "  genre =1\r\n");
    EXPECT_TRUE(LitBooleen(QStringLiteral("AL1")));
    EXPECT_EQ(LitOctet(QStringLiteral("Genre")), 1);
    EXPECT_EQ(LitEntier16(QStringLiteral("ALH1")), 7);
    EXPECT_TRUE(dialogues.boites.empty());
}

TEST_F(TexteIni, CleOuSeparateurManquantArreteLeProgrammeSansRienEcrire) {
    const struct {
        QByteArray fichier;
        const char* cle;
        const char* manque;
    } cas[] = {
        {"ALH10=7\r\nAL1x=1\r\n; AL1=1\r\n", "AL1", "AL1"},
        {"Genre 1\r\nx=2\r\n", "Genre", " = "},
        {"Genre\r\nGenre=1\r\n", "Genre", " = "},
        {"Genre=1\nx=2\n", "Genre", " = "},  // bare LF line ends
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.fichier.constData());
        charge(c.fichier);
        const auto avant = inventaire();
        const QString cle = QString::fromUtf8(c.cle);
        auto b = finAttendue([&] { ValeurIni(cle); });
        EXPECT_EQ(b.titre, QStringLiteral("Erreur dans le fichier QS32.ini"));
        EXPECT_EQ(b.texte, QStringLiteral("Il manque le paramètre ") + QString::fromUtf8(c.manque));
        b = finAttendue([&] { EcritINI(cle, QStringLiteral("v")); });
        EXPECT_EQ(b.texte, QStringLiteral("Il manque le paramètre ") + QString::fromUtf8(c.manque));
        EXPECT_EQ(inventaire(), avant);
        EXPECT_EQ(ini(), c.fichier);
    }
}

TEST_F(TexteIni, LaDerniereLigneSansCRNAPasDeValeur) {
    Etat.TexteIni = QStringLiteral("Genre=1");
    const auto b = finAttendue([] { ValeurIni(QStringLiteral("Genre")); });
    EXPECT_EQ(b.texte, QStringLiteral("Il manque le paramètre  = "));
}

TEST_F(TexteIni, PasDeLimiteDePositionA32767) {
    const QByteArray commentaire = "; " + QByteArray(40000, 'x') + "\r\n";
    charge(commentaire + "Genre=1\r\n");
    EXPECT_EQ(LitOctet(QStringLiteral("Genre")), 1);
}

TEST_F(TexteIni, LeFichierFiniTOujoursParUnSeulCRLF) {
    charge("a=1\r\nb=2");  // written by hand, no final line break
    EXPECT_EQ(Etat.TexteIni, QStringLiteral("a=1\r\nb=2\r\n"));
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), QByteArray("a=1\r\nb=2\r\n"));
    ChargeTexteIni();
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), QByteArray("a=1\r\nb=2\r\n"));

    // A final bare LF is one line end: the character before it stays.
    Etat.TexteIni = QStringLiteral("a=1\r\nb=x\n");
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), QByteArray("a=1\r\nb=x\r\n"));

    charge("a=1\r\n\t");  // ends with a control character: left as it is
    EXPECT_EQ(Etat.TexteIni, QStringLiteral("a=1\r\n\t"));
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), QByteArray("a=1\r\n\t\r\n"));
}

TEST_F(TexteIni, FichierAbsentVideOuIllisibleArreteLeProgramme) {
    auto b = finAttendue([] { ChargeTexteIni(); });
    EXPECT_EQ(b.titre, QStringLiteral("Erreur dans le fichier QS32.ini"));
    EXPECT_TRUE(b.texte.contains(CheminIni()));
    EXPECT_TRUE(b.texte.contains(QStringLiteral("introuvable"))) << b.texte.toStdString();
    EXPECT_TRUE(inventaire().isEmpty());

    ecritIni("");
    b = finAttendue([] { ChargeTexteIni(); });
    EXPECT_TRUE(b.texte.contains(CheminIni()));
    EXPECT_TRUE(b.texte.contains(QStringLiteral("est vide"))) << b.texte.toStdString();
    EXPECT_EQ(ini(), QByteArray());

    QFile::remove(CheminIni());
    QDir(dossier.path()).mkdir(QStringLiteral("QS32.ini"));
    b = finAttendue([] { ChargeTexteIni(); });
    EXPECT_TRUE(b.texte.contains(QStringLiteral("ne peut pas être lu"))) << b.texte.toStdString();
    EXPECT_TRUE(Etat.TexteIni.isEmpty());

    // Settings never loaded are never saved over the file.
    QDir(dossier.path()).rmdir(QStringLiteral("QS32.ini"));
    ecritIni("Genre=1\r\n");
    EXPECT_TRUE(EnregistreTexteIni().contains(CheminIni()));
    EXPECT_EQ(ini(), QByteArray("Genre=1\r\n"));
}

TEST_F(TexteIni, Windows1252DansLesDeuxSens) {
    charge(
        "image_fond=\xE9t\xE9 \x80 \x9C"
        "uf.bmp\r\nR\xE9"
        "duction=0\r\n");
    EXPECT_EQ(ValeurIni(QStringLiteral("image_fond")), QStringLiteral("été € œuf.bmp"));
    EcritINI(QStringLiteral("image_fond"), QStringLiteral("Œuvre à 5 €.bmp"));
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), QByteArray("image_fond=\x8Cuvre \xE0 5 \x80.bmp\r\nR\xE9"
                                "duction=0\r\n"));
}

TEST_F(TexteIni, UnTexteHorsWindows1252PasseEnUtf8AvecMarque) {
    charge(
        "image_fond=\r\nR\xE9"
        "duction=0\r\n");
    const QString chemin = QStringLiteral("/home/Дмитрий/фото→.bmp");
    EcritINI(QStringLiteral("image_fond"), chemin);
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), QByteArray("\xEF\xBB\xBF") + QStringLiteral("image_fond=").toUtf8() +
                         chemin.toUtf8() +
                         QByteArray("\r\nR\xC3\xA9"
                                    "duction=0\r\n"));
    ChargeTexteIni();
    EXPECT_EQ(ValeurIni(QStringLiteral("image_fond")), chemin);
    EXPECT_EQ(LitEntier16(QStringLiteral("Réduction")), 0);

    // Back to text that fits: the file stays in UTF-8 as it was read, so no other line changes.
    EcritINI(QStringLiteral("image_fond"), QStringLiteral("é.bmp"));
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), QByteArray("\xEF\xBB\xBFimage_fond=\xC3\xA9.bmp\r\nR\xC3\xA9"
                                "duction=0\r\n"));
}

TEST_F(TexteIni, UnEnregistrementRateLaisseLAncienFichierIntact) {
    const QByteArray ancien = "Genre=0\r\n";
    charge(ancien);
    EcritINI(QStringLiteral("Genre"), QString(5000, u'x'));

    // A file size limit makes the write fail half way, as a full disk would.
    rlimit ancienne{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &ancienne), 0);
    auto ancienSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit petite = ancienne;
    petite.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &petite), 0);
    const QString raison = EnregistreTexteIni();
    setrlimit(RLIMIT_FSIZE, &ancienne);
    std::signal(SIGXFSZ, ancienSignal);

    EXPECT_TRUE(raison.contains(CheminIni())) << raison.toStdString();
    EXPECT_TRUE(raison.startsWith(QStringLiteral("Le fichier « "))) << raison.toStdString();
    EXPECT_EQ(ini(), ancien);
    EXPECT_EQ(inventaire(), QStringList{QStringLiteral("QS32.ini:9")});
    EXPECT_TRUE(dialogues.boites.empty());
}

TEST(RetireBlancs, EnleveLesBlancsDeTeteEtSignaleUnTexteVide) {
    QString s = QStringLiteral("   /a b.bmp ");
    EXPECT_TRUE(RetireBlancs(s));
    EXPECT_EQ(s, QStringLiteral("/a b.bmp "));
    s = QStringLiteral("   ");
    EXPECT_FALSE(RetireBlancs(s));
    EXPECT_TRUE(s.isEmpty());
    s.clear();
    EXPECT_FALSE(RetireBlancs(s));
}

}  // namespace
