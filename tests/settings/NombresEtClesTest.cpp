// What the settings file holds reads back the same on any system: numbers in ASCII whatever the
// language, a key never taken for a longer name, texts as they stand, a leading U+FEFF kept.
#include "platform/BureauReel.h"
#include "settings/LitValeurs.h"
#include "settings/TexteIni.h"
#include "settings/Windows1252.h"
#include "support/Doubles.h"
#include "support/Fichiers.h"

namespace {

using NombresIni = AvecPlateforme;

TEST_F(NombresIni, AsciiDigitsAndMinusWithTheSystemsCommaOrElseAPoint) {
    struct Cas {
        const char* locale;
        const char* decimal;
    };
    for (Cas c : {Cas{"fr_FR", "-1500,5"}, Cas{"en_US", "-1500.5"}, Cas{"sv_SE", "-1500,5"},
                  Cas{"ar_EG", "-1500.5"}, Cas{"fa_IR", "-1500.5"}, Cas{"de_CH", "-1500.5"}}) {
        LocaleTemporaire l{QLocale(QString::fromLatin1(c.locale))};
        Etat.TexteIni = QStringLiteral("QS_left=0\r\nQS_top=0\r\n");
        EcritINI(QStringLiteral("QS_left"), -1500.5);
        EcritINI(QStringLiteral("QS_top"), int32_t(-1500));
        EXPECT_EQ(Etat.TexteIni, QStringLiteral("QS_left=%1\r\nQS_top=-1500\r\n").arg(c.decimal))
            << c.locale;
        EXPECT_EQ(LitSimple(QStringLiteral("QS_left")), -1500.5) << c.locale;
        EXPECT_EQ(LitEntier32(QStringLiteral("QS_top")), -1500) << c.locale;
        bool complet = false;
        VersWindows1252(Etat.TexteIni, &complet);
        EXPECT_TRUE(complet) << c.locale;
    }
}

TEST_F(NombresIni, AKeyIsNeverTheStartOfAnotherNameAndTextsStayAsTheyStand) {
    Etat.TexteIni = QStringLiteral("Genre.old=1\r\nGenre =0\r\nimage_fond=Vrai\r\n");
    EXPECT_EQ(ValeurIni(QStringLiteral("Genre")), QStringLiteral("0"));
    EXPECT_EQ(ValeurIniTexte(QStringLiteral("image_fond")), QStringLiteral("Vrai"));
    EXPECT_EQ(ValeurIni(QStringLiteral("image_fond")), QStringLiteral("-1"));
    EXPECT_TRUE(dialogues.boites.empty());
}

TEST(TexteFichier, ATextThatBeginsWithU_FEFFKeepsIt) {
    const QString memo = QStringLiteral("\uFEFFabc\r\n");
    const QByteArray octets = EncodeFichierTexte(memo);
    EXPECT_EQ(octets, QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF"
                                 "abc\r\n"));
    EXPECT_EQ(DecodeFichierTexte(octets), memo);
}

TEST(NomExecutable, TheWholeFileNameOfAProgramWithoutExtension) {
    EXPECT_EQ(NomExecutable(QStringLiteral("/opt/q/quentor-6.1")), QStringLiteral("quentor-6.1"));
    EXPECT_EQ(NomExecutable(QStringLiteral("/usr/bin/quentor")), QStringLiteral("quentor"));
}

}  // namespace
