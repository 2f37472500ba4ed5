// Reading, looking up, rewriting and saving the settings text, byte for byte; what each kind of line
// reads as, how numbers and booleans are written back, and the silent hours' and volume's keys.
#include "settings/Couleur.h"
#include "settings/Reglages.h"
#include "settings/ReglagesTest.h"
#include "settings/SilenceVolume.h"
#include "settings/ValeursIni.h"
#include "settings/Windows1252.h"

#include <cmath>

namespace {

using TexteIni = AvecFichierIni;

// A key is found only at the start of a line (after blanks, any letter case), never inside a
// value, a comment or a longer name, however far into the file; a write replaces only what
// follows its "=" (a line break in it becomes a blank); every other byte is kept.
TEST_F(TexteIni, ChargerLireEtReecrireGardeLeFichierOctetPourOctet) {
    const QByteArray debut = "; Quentor\r\n[Horloge]\r\n; " + QByteArray(40000, 'x') + "\r\n\r\ninconnue=a = b\r\n";
    charge(debut +
           "  QS_top=1500,5\r\n# d\351clenche_annonce=9\r\nD\311CLENCHE_annonce =2\r\n"
           "ALEXE1=C:\\Program Files\\ALH1=x.exe\r\nALH1=7\r\n\tgenre  = 1\r\nAL1=Vrai\r\nb=2\r\n");
    EcritINI(QStringLiteral("QS_top"), LitSimple(QStringLiteral("QS_top")));
    EcritINI(QStringLiteral("déclenche_annonce"), int32_t{LitEntier16(QStringLiteral("déclenche_annonce"))});
    EcritINI(QStringLiteral("ALEXE1"), ValeurIni(QStringLiteral("ALEXE1")) + QStringLiteral("=y"));
    EcritINI(QStringLiteral("ALH1"), int32_t{LitOctet(QStringLiteral("ALH1")) + LitOctet(QStringLiteral("Genre"))});
    EcritINI(QStringLiteral("AL1"), LitBooleen(QStringLiteral("AL1")));
    EcritINI(QStringLiteral("b"), QStringLiteral("l1\r\nl2"));
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), debut +
                         "  QS_top=1500,5\r\n# d\351clenche_annonce=9\r\nD\311CLENCHE_annonce =2\r\n"
                         "ALEXE1=C:\\Program Files\\ALH1=x.exe=y\r\nALH1=8\r\n\tgenre  = 1\r\nAL1=Vrai\r\n"
                         "b=l1  l2\r\n");
}

TEST_F(TexteIni, LeFichierFinitToujoursParUnSeulCRLF) {
    // clang-format off
    const struct { QByteArray fichier, enregistre; } cas[] = {
        {"a=1\r\nb=2", "a=1\r\nb=2\r\n"}, {"a=1\r\nb=2\r\n", "a=1\r\nb=2\r\n"},
        {"a=1\r\nb=x\n", "a=1\r\nb=x\r\n"},  // a final bare LF is one line end: the x stays
        {"a=1\r\n\t", "a=1\r\n\t\r\n"},      // a final control character is kept
    };
    // clang-format on
    for (const auto& c : cas)
        for (int cycle = 0; cycle < 2; ++cycle) {
            cycle ? ChargeTexteIni() : charge(c.fichier);
            ASSERT_EQ(EnregistreTexteIni(), QString());
            EXPECT_EQ(ini(), c.enregistre) << c.fichier.constData() << cycle;
        }
}

TEST_F(TexteIni, FichierAbsentOuVideArreteLeProgramme) {
    EXPECT_EQ(finAttendue([] { ChargeTexteIni(); }).vue(),
              QStringLiteral("Erreur dans le fichier QS32.ini|Le fichier de paramètres « %1 » est introuvable. "
                             "Réinstallez-le avec le programme.")
                  .arg(CheminIni()));
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
    for (const char* marque : {"\357\273\277abc\r\n", "\357\273\277caf\xE9", "\xEF\xBB\xBF\xEF\xBB\xBFx"}) {
        bool utf8 = false;
        const QString texte = DecodeFichierTexte(marque, &utf8);
        EXPECT_EQ(EncodeFichierTexte(texte, utf8), marque) << QByteArray(marque).toHex().data();
    }
    EXPECT_EQ(DecodeFichierTexte(EncodeFichierTexte(QStringLiteral("ï»¿abc"))), QStringLiteral("ï»¿abc"));
    charge("image_fond=\xE9t\xE9 \x80 \x9Cuf.bmp\r\nR\351duction=0\r\n");
    EXPECT_EQ(ValeurIni(QStringLiteral("image_fond")), QStringLiteral("été € œuf.bmp"));
    const QString cyrillique = QStringLiteral("/home/Дмитрий/фото→.bmp");
    EcritINI(QStringLiteral("image_fond"), cyrillique);
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(), "\xEF\xBB\xBFimage_fond=" + cyrillique.toUtf8() + "\r\nR\303\251duction=0\r\n");
    ChargeTexteIni();
    EXPECT_EQ(ValeurIni(QStringLiteral("image_fond")) + ValeurIni(QStringLiteral("Réduction")), cyrillique + u'0');
    EcritINI(QStringLiteral("image_fond"), QStringLiteral("Œuvre à 5 €.bmp"));
    ASSERT_EQ(EnregistreTexteIni(), QString());
    EXPECT_EQ(ini(),
              "\xEF\xBB\xBFimage_fond=" + QStringLiteral("Œuvre à 5 €.bmp").toUtf8() + "\r\nR\303\251duction=0\r\n");
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

enum Sorte { Texte, Brut, Entier32, Entier16, Octet, Simple, Booleen, Couleur };

QString lit(Sorte sorte, const QString& cle) {
    try {
        switch (sorte) {
        case Texte: return u'[' + ValeurIni(cle) + u']';
        case Brut: return u'[' + ValeurIniTexte(cle) + u']';
        case Entier32: return QString::number(LitEntier32(cle));
        case Entier16: return QString::number(LitEntier16(cle));
        case Octet: return QString::number(LitOctet(cle));
        case Simple: return QString::number(LitSimple(cle), 'g', 10);
        case Booleen: return LitBooleen(cle) ? QStringLiteral("vrai") : QStringLiteral("faux");
        case Couleur: return QString::number(NombreDepuisCouleur(LitCouleur(cle)));
        }
    } catch (const FinProgramme&) {
        return QStringLiteral("erreur");
    }
    return {};
}

using Valeurs = AvecFichierIni;

// A key missing, or its line broken (no "=", a bare LF line end, the key's first line without
// one), is an error as much as a value that does not convert.
TEST_F(Valeurs, ChaqueLigneSeLitSelonSaSorte) {
    // clang-format off
    const struct { QByteArray ligne; Sorte sorte; const char* attendu; } cas[] = {
        {"x = -2147483648", Entier32, "-2147483648"}, {"x=2147483648", Entier32, "erreur"},
        {"x=12abc", Entier32, "erreur"}, {"x=", Entier32, "erreur"}, {"x=1 500", Entier32, "erreur"},
        {"x=32767,5", Entier16, "erreur"},  // 32768
        {"x = 1 ", Octet, "1"}, {"x=256", Octet, "erreur"}, {"x=-1", Octet, "erreur"}, {"x=2,5", Octet, "2"},
        {"x=3,5", Octet, "4"}, {"x= 1500,5 ", Simple, "1500.5"}, {"x=0,1", Simple, "0.1000000015"},
        {"x=1500.5", Simple, "erreur"}, {"x=1e39", Simple, "erreur"}, {"x =true", Booleen, "vrai"},
        {"x = -1", Booleen, "vrai"}, {"x = Vrai", Booleen, "vrai"}, {"x=2", Booleen, "vrai"},
        {"x = false ", Booleen, "faux"}, {"x=oui", Booleen, "erreur"}, {"x=", Booleen, "erreur"},
        {"x=True", Texte, "[-1]"}, {"x=Faux", Texte, "[0]"}, {"x= Vrai", Texte, "[ Vrai]"}, {"x=Vrai", Brut, "[Vrai]"},
        {"x.old=1\r\nx1=1\r\n; x=1\r\nx =2", Entier32, "2"}, {"x = /usr/bin/a=b ", Texte, "[ /usr/bin/a=b ]"},
        {"x=16777215", Couleur, "16777215"}, {"x=16777216", Couleur, "erreur"}, {"x=-1", Couleur, "erreur"},
        {"x1=1\r\n; x=1", Texte, "erreur"}, {"x 1", Texte, "erreur"}, {"x\r\nx=1", Texte, "erreur"},
        {"x=1\nb=2", Texte, "erreur"},
    };
    // clang-format on
    for (const auto& c : cas) {
        charge("; en-tête\r\n" + c.ligne + "\r\nfin=1\r\n");
        EXPECT_EQ(lit(c.sorte, QStringLiteral("x")), QString::fromUtf8(c.attendu)) << c.ligne.constData();
    }
    // The report names the file, the key, the value and what was expected.
    charge("Genre =256\r\n");
    EXPECT_EQ(finAttendue([] { LitOctet(QStringLiteral("Genre")); }).vue(),
              QStringLiteral("Erreur dans le fichier QS32.ini|Dans le fichier « %1 », le paramètre Genre vaut « 256 », "
                             "alors qu'il faut un nombre entier de 0 à 255.")
                  .arg(CheminIni()));
}

TEST(EcritureValeurs, NombresAuPlusCourtEtBooleensDansLaLangueDuSysteme) {
    // clang-format off
    const struct { double valeur; const char *francais, *anglais; } cas[] = {
        {1500.5, "1500,5", "1500.5"}, {-7.25, "-7,25", "-7.25"}, {1234567, "1234567", "1234567"},
        {1.0 / 3, "0,3333333", "0.3333333"}, {-0.0, "0", "0"}, {15000000, "1,5E+07", "1.5E+07"},
        {0.000001, "1E-06", "1E-06"},
        {1.0000001f, "1", "1"}, {1.4543297e+38f, "1,45433E+38", "1.45433E+38"},  // the same text at every save
    };
    // clang-format on
    for (const auto& c : cas) {  // the tests run in French; what is written reads back to the same value
        EXPECT_EQ(TexteSimple(c.valeur), QString::fromUtf8(c.francais));
        EXPECT_NEAR(ConvertitSimple(TexteSimple(c.valeur)).value_or(-1), float(c.valeur), std::fabs(c.valeur) * 1e-6);
    }
    LocaleTemporaire l(QLocale(QLocale::English, QLocale::UnitedKingdom));
    for (const auto& c : cas)
        EXPECT_EQ(TexteSimple(c.valeur), QString::fromUtf8(c.anglais));
    EXPECT_EQ(TexteBooleen(true) + TexteBooleen(false), QStringLiteral("TrueFalse"));
    // ASCII digits and minus whatever the language; the system's comma, or else a point.
    for (auto [nom, texte] :
         {std::pair{"sv_SE", "-1500,5"}, {"ar_EG", "-1500.5"}, {"fa_IR", "-1500.5"}, {"de_CH", "-1500.5"}}) {
        LocaleTemporaire autre{QLocale(QString::fromLatin1(nom))};
        EXPECT_EQ(TexteSimple(-1500.5), QString::fromLatin1(texte)) << nom;
        EXPECT_EQ(ConvertitSimple(QString::fromLatin1(texte)), -1500.5) << nom;
    }
}

using SilenceVolume = AvecFichierIni;
const QByteArray kDefauts = "silence_actif=Faux\r\nsilence_debut=22:00\r\nsilence_fin=07:00\r\nvolume=100\r\n";

QString lus() {
    return QStringLiteral("%1 %2-%3 %4")
        .arg(int(Etat.Silence.actif))
        .arg(Etat.Silence.debut)
        .arg(Etat.Silence.fin)
        .arg(Etat.Volume);
}

// A file without them, or with a value that does not convert, or a line of theirs that is broken,
// gets the defaults, said nowhere, and the close writes them: the lines they have corrected in
// place, the others at the end; every other byte stays.
TEST_F(SilenceVolume, MissingOrBadValuesGetTheirDefaultsWrittenBack) {
    // clang-format off
    const struct { QByteArray fichier, lu, enregistre; } cas[] = {
        {"a=1\r\n; fin\t", "0 1320-420 100", "a=1\r\n; fin\t\r\n" + kDefauts},  // no line end, nor added at the load
        {"silence_debut=25:99\r\nvolume=abc\r\na=1\r\n", "0 1320-420 100",
         "silence_debut=22:00\r\nvolume=100\r\na=1\r\nsilence_actif=Faux\r\nsilence_fin=07:00\r\n"},
        {"VOLUME =250\r\nsilence_fin=7h\r\nSilence_actif=oui\r\n", "0 1320-420 100",
         "VOLUME =100\r\nsilence_fin=07:00\r\nSilence_actif=Faux\r\nsilence_debut=22:00\r\n"},
        {"volume 5\r\nsilence_debut=6:30\nb=2\r\nsilence_actif = -1\r\nsilence_fin= 23:5\r\n", "1 1320-420 100",
         "volume=100\r\nsilence_debut=22:00\r\nb=2\r\nsilence_actif =Vrai\r\nsilence_fin=07:00\r\n"},
        {"volume=52\r\nsilence_debut= 6:30 \r\nsilence_fin=00:00\r\nsilence_actif=vrai\r\n", "1 390-0 50",
         "volume=50\r\nsilence_debut=06:30\r\nsilence_fin=00:00\r\nsilence_actif=Vrai\r\n"},
    };
    // clang-format on
    for (const auto& c : cas) {
        charge(c.fichier);
        LitCles(ClesAjoutees());
        EXPECT_EQ(lus(), QString::fromLatin1(c.lu)) << c.fichier.constData();
        EcritCles(ClesAjoutees());
        EnregistreTexteIni();
        EXPECT_EQ(ini(), c.enregistre) << c.fichier.constData();
        EXPECT_EQ(VolumeDuFichier(), Etat.Volume);
    }
    EXPECT_TRUE(dialogues.boites.empty());
}

// What the window sets comes back at the next start, in the system's words for booleans.
TEST_F(SilenceVolume, ARoundTripKeepsThem) {
    const LocaleTemporaire anglais(QLocale(QLocale::English, QLocale::UnitedKingdom));
    charge("a=1\r\n");
    Etat.Silence = {true, 23 * 60 + 15, 6 * 60 + 45};
    Etat.Volume = 35;
    EcritCles(ClesAjoutees());
    EnregistreTexteIni();
    EXPECT_EQ(ini(), "a=1\r\nsilence_actif=True\r\nsilence_debut=23:15\r\nsilence_fin=06:45\r\nvolume=35\r\n");
    Etat = EtatProgramme{};
    Etat.CheminAppli = dossier.path();
    ChargeTexteIni();
    LitCles(ClesAjoutees());
    EXPECT_EQ(lus(), "1 1395-405 35");
    Etat.TexteIni.clear();
    EcritCles(ClesAjoutees());  // never loaded: nothing to write, not even these
    EXPECT_TRUE(Etat.TexteIni.isEmpty());
}

}  // namespace
