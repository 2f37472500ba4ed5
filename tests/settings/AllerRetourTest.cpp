// What the settings fuzzer found: a file read then written keeps every byte, and a number is
// written the same way at every save.
#include "settings/ValeursIni.h"
#include "settings/Windows1252.h"
#include "support/Fichiers.h"

#include <gtest/gtest.h>

TEST(AllerRetour, UnFichierLuPuisEcritEtUnNombreRelusSeReecriventALIdentique) {
    for (const char* octets : {"\xEF\xBB\xBF" "abc\r\n",             // UTF-8 that fits Windows-1252
                               "\xEF\xBB\xBF" "caf\xE9",              // no UTF-8 after the mark
                               "\xEF\xBB\xBF\xEF\xBB\xBF" "x"}) {
        bool utf8 = false;
        const QString texte = DecodeFichierTexte(octets, &utf8);
        EXPECT_EQ(EncodeFichierTexte(texte, utf8), octets) << QByteArray(octets).toHex().data();
    }
    LocaleTemporaire francais{QLocale(QLocale::French, QLocale::France)};
    EXPECT_EQ(TexteSimple(1.0000001f), QStringLiteral("1"));  // not 1,000000 then 1
    EXPECT_EQ(TexteSimple(1.4543297e+38f), QStringLiteral("1,45433E+38"));
}
