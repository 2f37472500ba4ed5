// The alarms' 42 keys and the memo files' byte layouts over load and close cycles.
#include "alarms/StockageAlarmes.h"
#include "settings/ReglagesTest.h"

namespace {

QByteArray iniAlarmes() {
    QByteArray t = "; alarmes\r\n";
    for (int n = 6; n >= 1; --n) {  // any key order does
        const QByteArray d = QByteArray::number(n);
        t += "ALSON" + d + "= /son" + d + ".wav\r\nALEXE" + d + "=/bin/prog" + d + "\r\n";
        t += "ALAPP" + d + "=" + (n == 3 ? "Vrai" : "Faux") + "\r\n";
        t += "ALMSG" + d + "=" + (n % 2 ? "-1" : "0") + "\r\n";
        t += "AL" + d + "=" + (n == 1 ? "True" : "False") + "\r\n";
        t += "ALMN" + d + "=" + QByteArray::number(n * 5) + "\r\nALH" + d + "=" +
             QByteArray::number(n + 10) + "\r\n";
    }
    return t;
}

class StockageAlarmes : public AvecFichierIni {
protected:
    void memos(const QByteArray& octets) {
        for (int n = 1; n <= 6; ++n)
            EcritOctets(CheminMemo(n), octets);
    }
    // Writes memo 1 from memory; returns the file's bytes.
    QByteArray ecritMemo1(const QString& texte) {
        Etat.AlarmeTexte[1] = texte;
        EXPECT_EQ(EcritMemos(), QStringList());
        return LitOctets(CheminMemo(1));
    }
    QString chargeMemo1() {
        ChargeAlarmes();
        return Etat.AlarmeTexte[1];
    }
};

TEST_F(StockageAlarmes, ChargeLes42ClesEtLesSixMemos) {
    charge(iniAlarmes());
    memos(" \r\n");
    EcritOctets(CheminMemo(4), "Rendez-vous \xE0 14 h\r\nsalle 2\r\n");
    ChargeAlarmes();
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Etat.AlarmeHeure[n], n + 10);
        EXPECT_EQ(Etat.AlarmeMinute[n], n * 5);
        EXPECT_EQ(Etat.AlarmeActive[n], n == 1);
        EXPECT_EQ(Etat.AlarmeMessage[n], n % 2 == 1);
        EXPECT_EQ(Etat.AlarmeAppli[n], n == 3);
        EXPECT_EQ(Etat.AlarmeExe[n], QStringLiteral("/bin/prog%1").arg(n));
        EXPECT_EQ(Etat.AlarmeSon[n], QStringLiteral(" /son%1.wav").arg(n));
    }
    EXPECT_EQ(Etat.AlarmeTexte[4], QStringLiteral("Rendez-vous à 14 h\r\nsalle 2\r\n"));
    EXPECT_EQ(Etat.AlarmeTexte[1], QStringLiteral(" \r\n"));
}

TEST_F(StockageAlarmes, EnregistreEcritLesClesDansLeTexteSeulement) {
    charge(iniAlarmes());
    memos(" \r\n");
    ChargeAlarmes();
    Etat.AlarmeHeure[2] = 7;
    Etat.AlarmeActive[2] = true;
    Etat.AlarmeExe[2] = QStringLiteral("/usr/bin/xclock");
    const QByteArray avant = ini();
    EnregistreAlarmes();
    EXPECT_EQ(ini(), avant);
    EXPECT_TRUE(Etat.TexteIni.contains(QStringLiteral("\r\nALH2=7\r\n")));
    EXPECT_TRUE(Etat.TexteIni.contains(QStringLiteral("\r\nAL2=Vrai\r\n")));
    EXPECT_TRUE(Etat.TexteIni.contains(QStringLiteral("\r\nALEXE2=/usr/bin/xclock\r\n")));
    EXPECT_TRUE(Etat.TexteIni.contains(QStringLiteral("\r\nALSON2= /son2.wav\r\n")));
    EXPECT_TRUE(Etat.TexteIni.contains(QStringLiteral("\r\nALMSG1=Vrai\r\nAL1=Vrai\r\n")));
}

TEST_F(StockageAlarmes, CleDAlarmeManquanteArreteLeProgramme) {
    charge(iniAlarmes().replace("ALMSG5=-1\r\n", ""));
    memos(" \r\n");
    auto b = finAttendue([] { ChargeAlarmes(); });
    EXPECT_EQ(b.texte, QStringLiteral("Il manque le paramètre ALMSG5"));
    b = finAttendue([] { EnregistreAlarmes(); });
    EXPECT_EQ(b.texte, QStringLiteral("Il manque le paramètre ALMSG5"));
}

TEST_F(StockageAlarmes, MemoAbsentArreteLeProgrammeEnNommantLeFichier) {
    charge(iniAlarmes());
    memos(" \r\n");
    QFile::remove(CheminMemo(5));
    const auto b = finAttendue([] { ChargeAlarmes(); });
    EXPECT_EQ(b.titre, QStringLiteral("Erreur dans le fichier MSG5.ASC"));
    EXPECT_TRUE(b.texte.contains(CheminMemo(5))) << b.texte.toStdString();
    EXPECT_TRUE(b.texte.contains(QStringLiteral("introuvable")));
}

TEST_F(StockageAlarmes, DispositionDesOctetsDuMemoAuFilDesCycles) {
    charge(iniAlarmes());
    memos(" \r\n");
    const struct {
        QString enMemoire;
        QByteArray fichier;
        QString rechargé;
    } cas[] = {
        {QStringLiteral("abc"), "abc\r\n", QStringLiteral("abc\r\n")},
        {QString(), " \r\n", QStringLiteral(" \r\n")},
        {QStringLiteral("\r\n"), "\r\n\r\n", QStringLiteral("\r\n\r\n")},
        {QStringLiteral("ligne 1\nligne 2"), "ligne 1\r\nligne 2\r\n",
         QStringLiteral("ligne 1\r\nligne 2\r\n")},
        {QStringLiteral("é € œ"), "\xE9 \x80 \x9C\r\n", QStringLiteral("é € œ\r\n")},
        {QStringLiteral("aller → retour"),
         "\xEF\xBB\xBF"
         "aller \xE2\x86\x92 retour\r\n",
         QStringLiteral("aller → retour\r\n")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.enMemoire.toStdString());
        EXPECT_EQ(ecritMemo1(c.enMemoire), c.fichier);
        EXPECT_EQ(chargeMemo1(), c.rechargé);
        // The next close gives the same file.
        EXPECT_EQ(ecritMemo1(Etat.AlarmeTexte[1]), c.fichier);
    }
}

TEST_F(StockageAlarmes, MemoEcritALaMainGardeChaqueCaractere) {
    charge(iniAlarmes());
    memos(" \r\n");
    const struct {
        QByteArray main;
        QByteArray apres;
    } cas[] = {
        {"abc", "abc\r\n"},    // no final line break
        {"abc\n", "abc\r\n"},  // a lone final LF: only it goes, the c stays
        {"a\nb\n", "a\r\nb\r\n"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.main.constData());
        EcritOctets(CheminMemo(1), c.main);
        EXPECT_EQ(chargeMemo1(), QString::fromLatin1(c.main));
        EXPECT_EQ(ecritMemo1(Etat.AlarmeTexte[1]), c.apres);
    }
}

TEST_F(StockageAlarmes, UnMemoQuiNePeutEtreEcritEstNommeEtLesAutresLeSont) {
    charge(iniAlarmes());
    memos("ancien\r\n");
    ChargeAlarmes();
    QFile::remove(CheminMemo(3));
    ASSERT_TRUE(QDir(dossier.path()).mkdir(QStringLiteral("MSG3.ASC")));
    for (int n = 1; n <= 6; ++n)
        Etat.AlarmeTexte[n] = QStringLiteral("nouveau %1").arg(n);
    const QStringList echecs = EcritMemos();
    ASSERT_EQ(echecs.size(), 1);
    EXPECT_TRUE(echecs[0].contains(CheminMemo(3))) << echecs[0].toStdString();
    for (int n : {1, 2, 4, 5, 6})
        EXPECT_EQ(LitOctets(CheminMemo(n)), QStringLiteral("nouveau %1\r\n").arg(n).toLatin1());
    EXPECT_TRUE(dialogues.boites.empty());
}

}  // namespace
