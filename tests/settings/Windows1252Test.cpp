// The built-in Windows-1252 table against the system's converter, and the UTF-8 fallback.
#include "settings/Windows1252.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

QByteArray tousLesOctets() {
    QByteArray b;
    for (int i = 0; i < 256; ++i)
        b += char(i);
    return b;
}

TEST(Windows1252, LaTableDonneLesMemesCaracteresQueLeConvertisseurDuSysteme) {
    QStringDecoder systeme("windows-1252");
    if (!systeme.isValid())
        GTEST_SKIP() << "pas de convertisseur Windows-1252 ici";
    const QByteArray octets = tousLesOctets();
    EXPECT_EQ(DepuisWindows1252(octets), systeme(octets));
}

TEST(Windows1252, ToutOctetSeRelitEtSeReecritTelQuel) {
    const QByteArray octets = tousLesOctets();
    EXPECT_EQ(EncodeFichierTexte(DecodeFichierTexte(octets)), octets);
    EXPECT_EQ(DecodeFichierTexte("\xE9\x80\x9C"), QStringLiteral("é€œ"));
    EXPECT_EQ(EncodeFichierTexte(QStringLiteral("é€œ")), QByteArray("\xE9\x80\x9C"));
}

TEST(Windows1252, CeQuiNeTientPasPasseEnUtf8DerriereUneMarque) {
    const QString texte = QStringLiteral("→ Дмитрий é");
    const QByteArray octets = EncodeFichierTexte(texte);
    EXPECT_EQ(octets, QByteArray("\xEF\xBB\xBF") + texte.toUtf8());
    EXPECT_EQ(DecodeFichierTexte(octets), texte);
    // Text whose Windows-1252 bytes would pass for the mark is kept in UTF-8 too.
    const QString marque = QStringLiteral("ï»¿abc");
    EXPECT_EQ(DecodeFichierTexte(EncodeFichierTexte(marque)), marque);
}

}  // namespace
