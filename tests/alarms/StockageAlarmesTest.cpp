// The alarms' 42 keys and the memo files' byte layouts over load and close cycles.
#include "alarms/StockageAlarmes.h"
#include "settings/ReglagesTest.h"

namespace {

class StockageAlarmes : public AvecFichierIni {
protected:
    StockageAlarmes() {
        QString t = QStringLiteral("; alarmes\r\n");
        for (int n = 6; n >= 1; --n)  // any key order does
            t += QStringLiteral("ALSON%1= /son%1.wav\r\nALEXE%1=/bin/prog%1\r\nALAPP%1=%2\r\nALMSG%1=%3\r\nAL%1=%4\r\n"
                                "ALMN%1=%5\r\nALH%1=%6\r\n").arg(n).arg(n == 3 ? "Vrai" : "Faux", n % 2 ? "-1" : "0",
                                                                        n == 1 ? "True" : "False").arg(n * 5).arg(n + 10);
        charge(t.toLatin1());
        for (int n = 1; n <= 6; ++n)
            EcritOctets(CheminMemo(n), " \r\n");
    }
};

TEST_F(StockageAlarmes, ChargeLes42ClesEtLesMemosPuisLesRemetDansLeTexteSeulement) {
    EcritOctets(CheminMemo(4), "Rendez-vous \xE0 14 h\r\nsalle 2\r\n");
    ChargeAlarmes();
    for (int n = 1; n <= 6; ++n) {
        const Alarme& a = Etat.Alarmes[n - 1];
        EXPECT_EQ(a.Heure * 100 + a.Minute, (n + 10) * 100 + n * 5);
        EXPECT_EQ(QList<bool>({a.Active, a.Message, a.Appli}), QList<bool>({n == 1, n % 2 == 1, n == 3}));
        EXPECT_EQ(a.Exe + a.Son + a.Texte,
                  QStringLiteral("/bin/prog%1 /son%1.wav").arg(n) + (n == 4 ? "Rendez-vous à 14 h\r\nsalle 2\r\n" : " \r\n"));
    }
    Etat.Alarmes[1].Heure = 7, Etat.Alarmes[1].Active = true, Etat.Alarmes[1].Exe = QStringLiteral("/usr/bin/xclock");
    const QByteArray avant = ini();
    EnregistreAlarmes();
    EXPECT_EQ(ini(), avant);
    EXPECT_TRUE(Etat.TexteIni.contains(QStringLiteral("\r\nALSON2= /son2.wav\r\nALEXE2=/usr/bin/xclock\r\nALAPP2=Faux\r\n"
                                                      "ALMSG2=Faux\r\nAL2=Vrai\r\nALMN2=10\r\nALH2=7\r\n")));
    EXPECT_TRUE(Etat.TexteIni.contains(QStringLiteral("\r\nALMSG1=Vrai\r\nAL1=Vrai\r\n")));
}

TEST_F(StockageAlarmes, CleOuMemoManquantArreteLeProgramme) {
    Etat.TexteIni.remove(QStringLiteral("ALMSG5=-1\r\n"));
    EXPECT_EQ(finAttendue([] { ChargeAlarmes(); }).texte, QStringLiteral("Il manque le paramètre ALMSG5"));
    EXPECT_EQ(finAttendue([] { EnregistreAlarmes(); }).texte, QStringLiteral("Il manque le paramètre ALMSG5"));
    ChargeTexteIni();
    QFile::remove(CheminMemo(5));
    EXPECT_EQ(finAttendue([] { ChargeAlarmes(); }).vue(),
              QStringLiteral("Erreur dans le fichier MSG5.ASC|Le fichier mémo de l'alarme 5 « %1 » est introuvable.").arg(CheminMemo(5)));
}

// From the text box (bare LF line breaks, possibly empty) or from a file written by hand, a memo
// gets one final CR LF and keeps every character; the next cycles give the same file.
TEST_F(StockageAlarmes, DispositionDesOctetsDuMemoAuFilDesCycles) {
    const struct { bool aLaMain; QByteArray depart, fichier; } cas[] = {
        {false, "abc", "abc\r\n"}, {false, "", " \r\n"}, {false, "\r\n", "\r\n\r\n"},
        {false, "ligne 1\nligne 2", "ligne 1\r\nligne 2\r\n"}, {false, "\xC3\xA9 \xE2\x82\xAC \xC5\x93", "\xE9 \x80 \x9C\r\n"},
        {false, "aller \xE2\x86\x92 retour", "\xEF\xBB\xBF" "aller \xE2\x86\x92 retour\r\n"},
        {true, "abc", "abc\r\n"}, {true, "abc\n", "abc\r\n"},  // a lone final LF: only it goes, the c stays
        {true, "a\nb\n", "a\r\nb\r\n"},
        {true, "\xEF\xBB\xBF\xEF\xBB\xBF" "abc\r\n", "\xEF\xBB\xBF\xEF\xBB\xBF" "abc\r\n"},  // a text that starts with U+FEFF
    };
    for (const auto& c : cas) {
        if (c.aLaMain)
            EcritOctets(CheminMemo(1), c.depart), ChargeAlarmes();
        else
            Etat.Alarmes[0].Texte = QString::fromUtf8(c.depart);
        EXPECT_EQ(Etat.Alarmes[0].Texte, QString::fromUtf8(c.depart));
        for (int cycle = 0; cycle < 2; ++cycle) {
            EXPECT_EQ(EcritMemos(), QStringList());
            EXPECT_EQ(LitOctets(CheminMemo(1)), c.fichier) << c.depart.constData() << cycle;
            ChargeAlarmes();
        }
    }
}

}  // namespace
