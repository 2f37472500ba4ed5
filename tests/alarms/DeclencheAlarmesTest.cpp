// An alarm's firing on the virtual clock: its program, its ringing, its pauses and its memo.
#include "alarms/DeclencheAlarmes.h"
#include "clock/QUENTORFixture.h"

#include <QApplication>
#include <QKeyEvent>

using Alarmes = AvecHorloge;

// Program, ringing (which brings the clock back), 1.5 + 2 s, memo: each only when asked.
TEST_F(Alarmes, EachFiringDoesWhatItsAlarmAsks) {
    const QString prog = QStringLiteral("/opt/mon programme/lance moi");
    // clang-format off
    const struct { bool sonne, memo, appli; QString exe, son; int ms; QStringList joues, lances; } cas[] = {
        {true, false, false, {}, "/sons/a.wav", 3500, {"fichier /sons/a.wav"}, {}},
        {true, false, false, {}, "", 3500, {"fichier "}, {}},  // no sound named: the default alert
        {false, true, false, prog, "/sons/a.wav", 2000, {}, {}}, {false, false, true, {}, "", 2000, {}, {}},
        {false, false, true, prog, "/sons/a.wav", 2000, {}, {prog}},
    };
    // clang-format on
    for (const auto& c : cas) {
        son.evenements.clear();
        lanceur.lances.clear();
        delete MessAlarmOuvert();
        alarme(1, 8, 0, c.sonne, c.memo, c.appli, c.exe);
        Etat.Alarmes[0].Son = c.son;
        w->setEtatFenetre(1);
        w->hide();
        aLHeure(8, 0, 5);
        joue(DéclencheAlarme(0));
        EXPECT_EQ(QTime(8, 0, 5).msecsTo(horloge.t.time()), c.ms) << c.ms << c.exe.toStdString();
        EXPECT_TRUE(son.joues() == c.joues && lanceur.lances == c.lances && dialogues.boites.empty());
        EXPECT_EQ(MessAlarmOuvert() != nullptr, c.memo);
        EXPECT_EQ(w->isVisible() && w->etatFenetre() == 0, c.sonne);
    }
}

// A program that cannot start is reported without holding the clock, and the alarm still rings
// and shows its memo; later alarms of the minute fire too, and only those of the minute.
TEST_F(Alarmes, FailingProgramIsReportedAndTheAlarmGoesOn) {
    alarme(1, 8, 15, true, true, true, QStringLiteral("/absent"));
    alarme(2, 8, 16, true);
    alarme(3, 20, 15, true);
    alarme(5, 8, 15, true);
    lanceur.echecs[QStringLiteral("/absent")] = {2, QStringLiteral("Fichier introuvable")};
    Etat.HeureActuelle = 8;
    Etat.MinuteActuelle = 15;
    joue(VérifieAlarmes());
    ASSERT_EQ(dialogues.boites.size(), 1u);
    const auto& b = dialogues.boites[0];
    EXPECT_TRUE(!b.modale && b.icone == Dialogues::Icone::Aucune);
    EXPECT_EQ(b.titre + u'|' + b.texte,
              QStringLiteral("Erreur|L'erreur n° 2 a été générée par quentor\rFichier introuvable"));
    EXPECT_EQ(son.joues(), (QStringList{"fichier /sons/alarme1.wav", "fichier /sons/alarme5.wav"}));
    ASSERT_NE(MessAlarmOuvert(), nullptr);
    EXPECT_EQ(MessAlarmOuvert()->windowTitle(), QStringLiteral("MESSAGE N°1"));
}

// The memo window is loaded once: a second alarm only brings it forward. Closed (Enter does it),
// it is loaded afresh. A memo is plain text, never markup.
TEST_F(Alarmes, MemoWindowIsLoadedOnceAndReloadedAfterClosing) {
    alarme(1, 9, 0, false, true);
    alarme(3, 9, 0, false, true);
    Etat.Alarmes[2].Texte = QStringLiteral("<b>x</b> & y\r\nz");
    aLHeure(9, 0, 7);
    joue(DéclencheAlarme(0));
    MessAlarm* m = MessAlarmOuvert();
    ASSERT_NE(m, nullptr);
    EXPECT_FALSE(m->isModal());
    EXPECT_GT(m->Hmn->font().pointSizeF(), 2 * m->MessN->font().pointSizeF());  // the time stands out
    aLHeure(9, 1, 0);
    joue(DéclencheAlarme(2));
    EXPECT_EQ(MessAlarmOuvert(), m);
    EXPECT_EQ(m->windowTitle() + m->Hmn->text() + m->MessN->text(), QStringLiteral("MESSAGE N°109:00mémo 1\n"));
    EXPECT_EQ(Etat.AlarmeAffichée, 2);
    QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    ASSERT_NE(m->focusWidget(), nullptr);
    QCoreApplication::sendEvent(m->focusWidget(), &entree);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(MessAlarmOuvert(), nullptr);
    joue(DéclencheAlarme(2));
    ASSERT_NE(m = MessAlarmOuvert(), nullptr);
    EXPECT_EQ(m->windowTitle() + m->Hmn->text() + m->MessN->text(), QStringLiteral("MESSAGE N°309:01<b>x</b> & y\nz"));
    EXPECT_EQ(m->MessN->textFormat(), Qt::PlainText);
}
