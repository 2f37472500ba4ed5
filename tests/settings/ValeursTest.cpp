// What each kind of settings line reads as, and how numbers and booleans are written back.
#include "settings/Couleur.h"
#include "settings/ValeursIni.h"
#include "settings/ReglagesTest.h"

#include <cmath>

namespace {

enum class Sorte { Texte, Entier32, Entier16, Octet, Simple, Booleen, Couleur };

QString lit(Sorte sorte, const QString& cle) {
    try {
        switch (sorte) {
            case Sorte::Texte:
                return QStringLiteral("[") + ValeurIni(cle) + QStringLiteral("]");
            case Sorte::Entier32:
                return QString::number(LitEntier32(cle));
            case Sorte::Entier16:
                return QString::number(LitEntier16(cle));
            case Sorte::Octet:
                return QString::number(LitOctet(cle));
            case Sorte::Simple:
                return QString::number(LitSimple(cle), 'g', 10);
            case Sorte::Booleen:
                return LitBooleen(cle) ? QStringLiteral("vrai") : QStringLiteral("faux");
            case Sorte::Couleur:
                return QString::number(NombreDepuisCouleur(LitCouleur(cle)));
        }
    } catch (const FinProgramme&) {
        return QStringLiteral("erreur");
    }
    return {};
}

struct Cas {
    QByteArray ligne;
    const char* cle;
    Sorte sorte;
    const char* attendu;
};

using Valeurs = AvecFichierIni;

TEST_F(Valeurs, ChaqueLigneSeLitSelonSaSorte) {
    const Cas cas[] = {
        {"couleur_fond=255", "couleur_fond", Sorte::Entier32, "255"},
        {"couleur_fond = 255", "couleur_fond", Sorte::Entier32, "255"},
        {"COULEUR_FOND =255", "couleur_fond", Sorte::Entier32, "255"},
        {"\t  couleur_fond=255", "couleur_fond", Sorte::Entier32, "255"},
        {"couleur_fond=-2147483648", "couleur_fond", Sorte::Entier32, "-2147483648"},
        {"couleur_fond=2147483648", "couleur_fond", Sorte::Entier32, "erreur"},
        {"couleur_fond=12abc", "couleur_fond", Sorte::Entier32, "erreur"},
        {"couleur_fond=", "couleur_fond", Sorte::Entier32, "erreur"},
        {"couleur_fond=1 500", "couleur_fond", Sorte::Entier32, "erreur"},
        {"QS_visible =Vrai", "QS_visible", Sorte::Booleen, "vrai"},
        {"QS_visible =true", "QS_visible", Sorte::Booleen, "vrai"},
        {"QS_visible =-1", "QS_visible", Sorte::Booleen, "vrai"},
        {"QS_visible = -1", "QS_visible", Sorte::Booleen, "vrai"},
        {"QS_visible = Vrai", "QS_visible", Sorte::Booleen, "vrai"},
        {"QS_visible=VRAI", "QS_visible", Sorte::Booleen, "vrai"},
        {"QS_visible=2", "QS_visible", Sorte::Booleen, "vrai"},
        {"QS_visible =0", "QS_visible", Sorte::Booleen, "faux"},
        {"QS_visible =Faux", "QS_visible", Sorte::Booleen, "faux"},
        {"QS_visible = false ", "QS_visible", Sorte::Booleen, "faux"},
        {"QS_visible=oui", "QS_visible", Sorte::Booleen, "erreur"},
        {"QS_visible=", "QS_visible", Sorte::Booleen, "erreur"},
        {"QS_visible=True", "QS_visible", Sorte::Texte, "[-1]"},
        {"QS_visible=Faux", "QS_visible", Sorte::Texte, "[0]"},
        {"QS_visible= Vrai", "QS_visible", Sorte::Texte, "[ Vrai]"},
        {"ALEXE1 =C:\\a=b.exe", "ALEXE1", Sorte::Texte, "[C:\\a=b.exe]"},
        {"ALEXE1 = /usr/bin/x ", "ALEXE1", Sorte::Texte, "[ /usr/bin/x ]"},
        {"ALEXE1=", "ALEXE1", Sorte::Texte, "[]"},
        {"Genre =256", "Genre", Sorte::Octet, "erreur"},
        {"Genre =-1", "Genre", Sorte::Octet, "erreur"},
        {"Genre = 1 ", "Genre", Sorte::Octet, "1"},
        {"Genre=2,5", "Genre", Sorte::Octet, "2"},
        {"Genre=3,5", "Genre", Sorte::Octet, "4"},
        {"Genre=0,5", "Genre", Sorte::Octet, "0"},
        {"Genre=1,6", "Genre", Sorte::Octet, "2"},
        {"R\xE9"
         "duction=-32768",
         "Réduction", Sorte::Entier16, "-32768"},
        {"R\xE9"
         "duction=32767,5",
         "Réduction", Sorte::Entier16, "erreur"},
        {"R\xC9"
         "DUCTION=2",
         "Réduction", Sorte::Entier16, "2"},
        {"QS_top=1500", "QS_top", Sorte::Simple, "1500"},
        {"QS_top= 1500,5 ", "QS_top", Sorte::Simple, "1500.5"},
        {"QS_top=0,1", "QS_top", Sorte::Simple, "0.1000000015"},
        {"QS_top=1500.5", "QS_top", Sorte::Simple, "erreur"},
        {"QS_top=1e39", "QS_top", Sorte::Simple, "erreur"},
        {"couleur_bande=16777215", "couleur_bande", Sorte::Couleur, "16777215"},
        {"couleur_bande=16777216", "couleur_bande", Sorte::Couleur, "erreur"},
        {"couleur_bande=-1", "couleur_bande", Sorte::Couleur, "erreur"},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.ligne.constData());
        charge("; en-tête\r\n" + c.ligne + "\r\nfin=1\r\n");
        EXPECT_EQ(lit(c.sorte, QString::fromUtf8(c.cle)), QString::fromUtf8(c.attendu));
    }
}

TEST_F(Valeurs, UneValeurQuiNeSeConvertitPasEstNommeeAvecLeFichierEtCeQuiEtaitAttendu) {
    charge("Genre =256\r\n");
    const auto inventaireAvant = inventaire();
    const auto b = finAttendue([] { LitOctet(QStringLiteral("Genre")); });
    EXPECT_EQ(b.titre, QStringLiteral("Erreur dans le fichier QS32.ini"));
    EXPECT_TRUE(b.texte.contains(CheminIni())) << b.texte.toStdString();
    EXPECT_TRUE(b.texte.contains(QStringLiteral("Genre")));
    EXPECT_TRUE(b.texte.contains(QStringLiteral("« 256 »")));
    EXPECT_TRUE(b.texte.contains(QStringLiteral("un nombre entier de 0 à 255")));
    EXPECT_EQ(inventaire(), inventaireAvant);

    charge("couleur_fond=99999999\r\n");
    const auto c = finAttendue([] { LitCouleur(QStringLiteral("couleur_fond")); });
    EXPECT_TRUE(c.texte.contains(QStringLiteral("0 à 16777215"))) << c.texte.toStdString();
}

TEST(EcritureValeurs, NombresSimplesAuPlusCourtAvecLeSeparateurDuSysteme) {
    struct {
        double valeur;
        const char* francais;
        const char* anglais;
    } cas[] = {
        {1500, "1500", "1500"},
        {1500.5, "1500,5", "1500.5"},
        {0.1, "0,1", "0.1"},
        {-7.25, "-7,25", "-7.25"},
        {1234567, "1234567", "1234567"},
        {1.0 / 3, "0,3333333", "0.3333333"},
        {0.0, "0", "0"},
        {-0.0, "0", "0"},
        {15000000, "1,5E+07", "1.5E+07"},
        {0.000001, "1E-06", "1E-06"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.valeur);
        {
            LocaleTemporaire l(QLocale(QLocale::French, QLocale::France));
            EXPECT_EQ(TexteSimple(c.valeur), QString::fromUtf8(c.francais));
            // What is written reads back to the same single-precision value.
            EXPECT_NEAR(ConvertitSimple(TexteSimple(c.valeur)).value_or(-1),
                        double(float(c.valeur)), std::fabs(c.valeur) * 1e-6);
        }
        LocaleTemporaire l(QLocale(QLocale::English, QLocale::UnitedStates));
        EXPECT_EQ(TexteSimple(c.valeur), QString::fromUtf8(c.anglais));
    }
}

TEST(EcritureValeurs, BooleensDansLesMotsDeLaLangueDuSysteme) {
    {
        LocaleTemporaire l(QLocale(QLocale::French, QLocale::Canada));
        EXPECT_EQ(TexteBooleen(true), QStringLiteral("Vrai"));
        EXPECT_EQ(TexteBooleen(false), QStringLiteral("Faux"));
    }
    LocaleTemporaire l(QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(TexteBooleen(true), QStringLiteral("True"));
    EXPECT_EQ(TexteBooleen(false), QStringLiteral("False"));
    // Both languages' words read back on either system.
    EXPECT_EQ(ConvertitBooleen(QStringLiteral("vrai")), true);
    EXPECT_EQ(ConvertitBooleen(QStringLiteral("FALSE")), false);
}

TEST(Couleurs, RougePlus256VertPlus65536Bleu) {
    EXPECT_EQ(NombreDepuisCouleur(QColor(1, 2, 3)), 1 + 256 * 2 + 65536 * 3);
    EXPECT_EQ(NombreDepuisCouleur(QColor(255, 255, 255)), 16777215);
    EXPECT_EQ(CouleurDepuisNombre(0x0080FF), QColor(0xFF, 0x80, 0x00));
    for (int32_t n : {0, 255, 65280, 16711680, 5258796, 16777215})
        EXPECT_EQ(NombreDepuisCouleur(CouleurDepuisNombre(n)), n);
}

}  // namespace
