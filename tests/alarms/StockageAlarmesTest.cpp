// A missing alarm key or memo, and the memo files' byte layouts over load and close cycles.
#include "alarms/StockageAlarmes.h"
#include "settings/ReglagesTest.h"

namespace {

class StockageAlarmes : public AvecFichierIni {
protected:
    StockageAlarmes() {
        QString t = QStringLiteral("; alarmes\r\n");
        for (int n = 6; n >= 1; --n)  // any key order does
            t += QStringLiteral(
                     "ALSON%1=\r\nALEXE%1=\r\nALAPP%1=Faux\r\nALMSG%1=-1\r\nAL%1=Faux\r\n"
                     "ALMN%1=5\r\nALH%1=7\r\n")
                     .arg(n);
        charge(t.toLatin1());
        for (int n = 1; n <= 6; ++n)
            EcritOctets(CheminMemo(n), " \r\n");
    }
};

TEST_F(StockageAlarmes, CleOuMemoManquantArreteLeProgramme) {
    Etat.TexteIni.remove(QStringLiteral("ALMSG5=-1\r\n"));
    EXPECT_EQ(finAttendue([] { ChargeAlarmes(); }).texte, QStringLiteral("Il manque le paramètre ALMSG5"));
    EXPECT_EQ(finAttendue([] { EnregistreAlarmes(); }).texte, QStringLiteral("Il manque le paramètre ALMSG5"));
    ChargeTexteIni();
    QFile::remove(CheminMemo(5));
    EXPECT_EQ(finAttendue([] { ChargeAlarmes(); }).vue(),
              QStringLiteral("Erreur dans le fichier MSG5.ASC|Le fichier mémo de l'alarme 5 « %1 » est introuvable.")
                  .arg(CheminMemo(5)));
}

// From the text box (bare LF line breaks, possibly empty) or from a file written by hand, a memo
// gets one final CR LF and keeps every character; the next cycles give the same file.
TEST_F(StockageAlarmes, DispositionDesOctetsDuMemoAuFilDesCycles) {
    // clang-format off
    const struct { bool aLaMain; QByteArray depart, fichier; } cas[] = {
        {false, "abc", "abc\r\n"}, {false, "", " \r\n"}, {false, "\r\n", "\r\n\r\n"},
        {false, "ligne 1\nligne 2", "ligne 1\r\nligne 2\r\n"},
        {false, "\xC3\xA9 \xE2\x82\xAC \xC5\x93", "\xE9 \x80 \x9C\r\n"},
        {false, "aller \xE2\x86\x92 retour", "\357\273\277aller \xE2\x86\x92 retour\r\n"},
        {true, "abc", "abc\r\n"}, {true, "abc\n", "abc\r\n"},  // a lone final LF: only it goes, the c stays
        {true, "a\nb\n", "a\r\nb\r\n"},
        // a text that starts with U+FEFF
        {true, "\357\273\277\357\273\277abc\r\n", "\357\273\277\357\273\277abc\r\n"},
    };
    // clang-format on
    for (const auto& c : cas) {
        if (c.aLaMain) {
            EcritOctets(CheminMemo(1), c.depart);
            ChargeAlarmes();
        } else {
            Etat.Alarmes[0].Texte = QString::fromUtf8(c.depart);
        }
        EXPECT_EQ(Etat.Alarmes[0].Texte, QString::fromUtf8(c.depart));
        for (int cycle = 0; cycle < 2; ++cycle) {
            EXPECT_EQ(EcritMemos(), QStringList());
            EXPECT_EQ(LitOctets(CheminMemo(1)), c.fichier) << c.depart.constData() << cycle;
            ChargeAlarmes();
        }
    }
}

}  // namespace
