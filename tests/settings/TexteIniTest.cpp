// Reading, looking up, rewriting and saving the settings text, byte for byte.
#include "settings/ReglagesTest.h"
#include "settings/Windows1252.h"

namespace {

using TexteIni = AvecFichierIni;

// A key is found only at the start of a line (after blanks, any letter case), never inside a
// value, a comment or a longer name, however far into the file; a write replaces only what
// follows its "=" (a line break in it becomes a blank); every other byte is kept.
TEST_F(TexteIni, ChargerLireEtReecrireGardeLeFichierOctetPourOctet) {
    const QByteArray debut = "; Quentor\r\n[Horloge]\r\n; " + QByteArray(40000, 'x') + "\r\n\r\ninconnue=a = b\r\n";
    charge(debut + "  QS_top=1500,5\r\n# d\xE9" "clenche_annonce=9\r\nD\xC9" "CLENCHE_annonce =2\r\n"
                   "ALEXE1=C:\\Program Files\\ALH1=x.exe\r\nALH1=7\r\n\tgenre  = 1\r\nAL1=Vrai\r\nb=2\r\n");
    EcritINI(QStringLiteral("QS_top"), LitSimple(QStringLiteral("QS_top")));
    EcritINI(QStringLiteral("déclenche_annonce"), int32_t{LitEntier16(QStringLiteral("déclenche_annonce"))});
    EcritINI(QStringLiteral("ALEXE1"), ValeurIni(QStringLiteral("ALEXE1")) + QStringLiteral("=y"));
    EcritINI(QStringLiteral("ALH1"), int32_t{LitOctet(QStringLiteral("ALH1")) + LitOctet(QStringLiteral("Genre"))});
    EcritINI(QStringLiteral("AL1"), LitBooleen(QStringLiteral("AL1")));
    EcritINI(QStringLiteral("b"), QStringLiteral("l1\r\nl2"));
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), debut + "  QS_top=1500,5\r\n# d\xE9" "clenche_annonce=9\r\nD\xC9" "CLENCHE_annonce =2\r\n"
                             "ALEXE1=C:\\Program Files\\ALH1=x.exe=y\r\nALH1=8\r\n\tgenre  = 1\r\nAL1=Vrai\r\nb=l1  l2\r\n");
    EXPECT_TRUE(dialogues.boites.empty());
}

TEST_F(TexteIni, CleOuSeparateurManquantArreteLeProgrammeSansRienEcrire) {
    const struct { QByteArray fichier; const char *cle, *manque; } cas[] = {
        {"ALH10=7\r\nAL1x=1\r\n; AL1=1\r\n", "AL1", "AL1"}, {"Genre 1\r\nx=2\r\n", "Genre", " = "},
        {"Genre\r\nGenre=1\r\n", "Genre", " = "}, {"Genre=1\nx=2\n", "Genre", " = "},  // bare LF line ends
    };
    for (const auto& c : cas) {
        charge(c.fichier);
        const QString cle = QString::fromUtf8(c.cle), attendu = QStringLiteral("Il manque le paramètre ") + c.manque;
        EXPECT_EQ(finAttendue([&] { ValeurIni(cle); }).vue(), QStringLiteral("Erreur dans le fichier QS32.ini|") + attendu);
        EXPECT_EQ(finAttendue([&] { EcritINI(cle, QStringLiteral("v")); }).texte, attendu) << c.fichier.constData();
        EXPECT_EQ(ini(), c.fichier);
    }
}

TEST_F(TexteIni, LeFichierFinitToujoursParUnSeulCRLF) {
    const struct { QByteArray fichier, enregistre; } cas[] = {
        {"a=1\r\nb=2", "a=1\r\nb=2\r\n"}, {"a=1\r\nb=2\r\n", "a=1\r\nb=2\r\n"},
        {"a=1\r\nb=x\n", "a=1\r\nb=x\r\n"},  // a final bare LF is one line end: the x stays
        {"a=1\r\n\t", "a=1\r\n\t\r\n"},      // a final control character is kept
    };
    for (const auto& c : cas)
        for (int cycle = 0; cycle < 2; ++cycle) {
            cycle ? ChargeTexteIni() : charge(c.fichier);
            ASSERT_EQ(EnregistreTexteIni(), QString());
            EXPECT_EQ(ini(), c.enregistre) << c.fichier.constData() << cycle;
        }
}

TEST_F(TexteIni, FichierAbsentOuVideArreteLeProgramme) {
    EXPECT_EQ(finAttendue([] { ChargeTexteIni(); }).vue(), QStringLiteral("Erreur dans le fichier QS32.ini|Le fichier de "
              "paramètres « %1 » est introuvable. Réinstallez-le avec le programme.").arg(CheminIni()));
    ecritIni("");
    EXPECT_TRUE(finAttendue([] { ChargeTexteIni(); }).texte.endsWith(CheminIni() + QStringLiteral(" » est vide.")));
    ecritIni("Genre=1\r\n");
    EXPECT_TRUE(EnregistreTexteIni().contains(CheminIni()));  // settings never loaded are never saved
    EXPECT_EQ(ini(), QByteArray("Genre=1\r\n"));
}

// Windows-1252 both ways, any byte kept; text it can't hold goes out as UTF-8 behind a byte-order
// mark and reads back; a file read as UTF-8 stays UTF-8, so no line the program did not touch changes.
TEST_F(TexteIni, Windows1252OuUtf8AvecMarque) {
    QByteArray octets;
    for (int i = 0; i < 256; ++i)
        octets += char(i);
    EXPECT_EQ(EncodeFichierTexte(DecodeFichierTexte(octets)), octets);
    // A mark before what isn't UTF-8, or before a second mark, is kept as it was read.
    for (const char* marque : {"\xEF\xBB\xBF" "abc\r\n", "\xEF\xBB\xBF" "caf\xE9", "\xEF\xBB\xBF\xEF\xBB\xBF" "x"}) {
        bool utf8 = false;
        const QString texte = DecodeFichierTexte(marque, &utf8);
        EXPECT_EQ(EncodeFichierTexte(texte, utf8), marque) << QByteArray(marque).toHex().data();
    }
    EXPECT_EQ(DecodeFichierTexte(EncodeFichierTexte(QStringLiteral("ï»¿abc"))), QStringLiteral("ï»¿abc"));
    charge("image_fond=\xE9t\xE9 \x80 \x9C" "uf.bmp\r\nR\xE9" "duction=0\r\n");
    EXPECT_EQ(ValeurIni(QStringLiteral("image_fond")), QStringLiteral("été € œuf.bmp"));
    const QString cyrillique = QStringLiteral("/home/Дмитрий/фото→.bmp");
    EcritINI(QStringLiteral("image_fond"), cyrillique);
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), "\xEF\xBB\xBFimage_fond=" + cyrillique.toUtf8() + "\r\nR\xC3\xA9" "duction=0\r\n");
    ChargeTexteIni();
    EXPECT_EQ(ValeurIni(QStringLiteral("image_fond")) + ValeurIni(QStringLiteral("Réduction")), cyrillique + u'0');
    EcritINI(QStringLiteral("image_fond"), QStringLiteral("Œuvre à 5 €.bmp"));
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), "\xEF\xBB\xBFimage_fond=" + QStringLiteral("Œuvre à 5 €.bmp").toUtf8() +
                         "\r\nR\xC3\xA9" "duction=0\r\n");
}

TEST_F(TexteIni, UnEnregistrementRateLaisseLAncienFichierIntact) {
    charge("Genre=0\r\n");
    EcritINI(QStringLiteral("Genre"), QString(5000, u'x'));
    QString raison;
    {
        DisquePlein plein(1000);
        raison = EnregistreTexteIni();
    }
    EXPECT_TRUE(raison.startsWith(QStringLiteral("Le fichier « ") + CheminIni())) << raison.toStdString();
    EXPECT_EQ(ini() + QDir(dossier.path()).entryList(QDir::Files).join(u' ').toLatin1(), "Genre=0\r\nQS32.ini");
}

}  // namespace
