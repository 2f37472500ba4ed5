// An alarm's firing on the virtual clock: its program, its ringing, its pauses and its memo.
#include "alarms/DeclencheAlarmes.h"
#include "alarms/Sonnerie.h"
#include "clock/QUENTORFixture.h"
#include "settings/Cles.h"
#include "timer/Minuteur.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <functional>

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

// Which alarm rings on which day: its days, or its one date (passed, never again); after a jump
// it is the day of the alarm's minute that counts; the tooltip names the next one. 2009-03-07 is
// a Saturday.
TEST_F(Alarmes, DaysAndDates) {
    // clang-format off
    const struct { const char* jours; QDate date, jour; int debutMn, sauteMn; bool sonne; const char* suivante; } cas[] = {
        {"1111100", {}, {2009, 3, 7}, 55, 0, false, "lun."},
        {"1111100", {}, {2009, 3, 9}, 55, 0, true, "mar."},
        {"0000000", {2009, 3, 4}, {2009, 3, 4}, 55, 0, true, ""},
        {"1111111", {2009, 3, 4}, {2009, 3, 5}, 55, 0, false, ""},
        {"0000010", {}, {2009, 3, 7}, 50, 20, true, "sam."},
        {"0000001", {}, {2009, 3, 7}, 50, 20, false, "dim."},
        {"1111111", {2009, 3, 7}, {2009, 3, 7}, 50, 20, true, ""},
        {"1111111", {2009, 3, 8}, {2009, 3, 7}, 50, 20, false, "dim."},
    };
    // clang-format on
    for (const auto& c : cas) {
        w = std::make_unique<QUENTOR>();
        w->LanceTrayIcon();
        lanceur.lances.clear();
        alarme(1, 23, 55, true, false, true, QStringLiteral("/bin/a1"));
        Etat.Alarmes[0].Jours = *Sortes::Jours.convertit(QString::fromLatin1(c.jours));
        Etat.Alarmes[0].Date = c.date;
        Etat.Alarmes[0].SonneePour = {};
        horloge.t = QDateTime(c.jour, QTime(23, c.debutMn));
        tique();
        horloge.avance(0.75);
        horloge.saute(c.sauteMn * 60'000);
        tique();
        EXPECT_EQ(lanceur.lances.size(), size_t(c.sonne)) << c.jours << c.date.toString().toStdString();
        // The tooltip's second line: the next time it rings, if it ever does.
        const QString suivante = *c.suivante ? QStringLiteral("Prochaine alarme : %1 23:55").arg(c.suivante) : "";
        EXPECT_EQ(zone.bulle.section(u'\n', 1), suivante) << c.jours << c.date.toString().toStdString();
    }
}

// A ringing alarm stopped or put off by each path: stopped, it rings no more; put off, it rings
// again two minutes later (its sound and notification, not its program), unless a sleep made it
// more than an hour late.
TEST_F(Alarmes, StopAndSnoozeFromEveryPath) {
    const auto touche = [] {
        QKeyEvent r(QEvent::KeyPress, Qt::Key_R, Qt::NoModifier);
        QCoreApplication::sendEvent(MessAlarmOuvert(), &r);
    };
    // clang-format off
    const struct { std::function<void()> agit; bool repete; int sauteMn; } cas[] = {
        {[&] { notifications.actionChoisie("alarme1", "arreter"); }, false, 0},
        {[&] { notifications.actionChoisie("alarme1", "repeter"); }, true, 0},
        {[&] { w->ArretAlarme->trigger(); }, false, 0}, {[&] { w->ReportAlarme->trigger(); }, true, 30},
        {[&] { MessAlarmOuvert()->close(); }, false, 0}, {touche, true, 0},
        {[] { RepousseAlarme(AlarmeEnCours()); }, false, 90},
    };
    // clang-format on
    for (const auto& c : cas) {
        SCOPED_TRACE(&c - cas);
        w.reset();  // the window that goes lets go of the notifications' actions
        w = std::make_unique<QUENTOR>();
        lanceur.lances.clear();
        alarme(1, 8, 9, true, true, true, QStringLiteral("/bin/a1"));
        Etat.Alarmes[0].SonneePour = {};
        Etat.Alarmes[0].Sonne = 5;
        Etat.Alarmes[0].Repete = 2;
        tic(8, 9, 0);
        horloge.deroule(horloge.t.addSecs(20));
        w->QUENTOR_BULLE_Click();
        EXPECT_TRUE(w->BULLE->actions().startsWith(w->ArretAlarme) && notifications.montrees.count("alarme1"));
        EXPECT_EQ(w->ReportAlarme->text(), QStringLiteral("Répéter dans 2 min"));
        const auto& n = notifications.montrees["alarme1"];
        EXPECT_EQ(n.resume + u'|' + n.corps + u'|' + n.actions.join(u'|'),
                  QStringLiteral("Alarme 1 — 08:09|mémo 1|repeter|Répéter dans 2 min|arreter|Arrêter"));
        c.agit();
        EXPECT_EQ(son.evenements.back().quoi, "arret");  // cut short
        EXPECT_FALSE(notifications.montrees.count("alarme1"));
        son.evenements.clear();
        horloge.saute(c.sauteMn * 60'000);
        horloge.avance(140);
        tique();
        EXPECT_EQ(!son.joues().empty(), c.repete) << c.sauteMn;
        EXPECT_EQ(notifications.montrees.count("alarme1"), size_t(c.repete));
        EXPECT_EQ(lanceur.lances, QStringList{"/bin/a1"});
        ArreteAlarme(0);
        delete MessAlarmOuvert();
    }
    // Left alone, it rings out at the end of its five minutes, and its notification goes.
    w.reset();
    w = std::make_unique<QUENTOR>();
    Etat.Alarmes[0].SonneePour = {};
    tic(8, 9, 0);
    horloge.deroule();
    EXPECT_TRUE(chronologie().back() == "08:14:05.000 arret" && !notifications.montrees.count("alarme1"));
    // The window's one handler of notification actions reaches the timer's too.
    LeMinuteur().lance(60);
    notifications.actionChoisie("minuteur", "arreter");
    EXPECT_EQ(LeMinuteur().phase(), Minuteur::Phase::Arrete);
    LeMinuteur().arrete();  // whatever happened, none runs on into the next test
}
