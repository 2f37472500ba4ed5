#include "alarms/DeclencheAlarmes.h"
#include "clock/QUENTORFixture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

class Alarmes : public AvecHorloge {
protected:
    void aLaMinute(int h, int m) {
        Etat.HeureActuelle = QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0'));
        Etat.MinuteActuelle = QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
    }
    double dureeDe(const std::function<void()>& f) {
        const QDateTime avant = horloge.t;
        f();
        return avant.msecsTo(horloge.t) / 1000.0;
    }
};

TEST_F(Alarmes, OnlyExactMatchesFireAndTheTextIsReadAsANumber) {
    alarme(1, 7, 30, true);
    alarme(2, 7, 31, true);
    alarme(3, 19, 30, true);
    aLaMinute(7, 30);
    VérifieAlarmes();
    EXPECT_EQ(son.joues(), QStringList{QStringLiteral("fichier /sons/alarme1.wav")});
}

namespace {
// Notes the virtual time at which a window is shown.
struct TempsAffichage : QObject {
    TempsAffichage(const HorlogeVirtuelle& h) : h(h) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show)
            quand = h.t;
        return false;
    }
    const HorlogeVirtuelle& h;
    QDateTime quand;
};
}  // namespace

TEST_F(Alarmes, RingingRestoresTheClockAfterOneAndAHalfSeconds) {
    alarme(1, 8, 0, true);
    aLHeure(8, 0, 5);
    w->setEtatFenetre(1);
    w->hide();
    TempsAffichage affichage(horloge);
    w->installEventFilter(&affichage);
    EXPECT_DOUBLE_EQ(dureeDe([] { DéclencheAlarme(1); }), 3.5);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->etatFenetre(), 0);
    EXPECT_EQ(affichage.quand.time(), QTime(8, 0, 6, 500));
    w->removeEventFilter(&affichage);
}

TEST_F(Alarmes, EmptySoundPathStillRingsThroughTheDefaultSound) {
    alarme(1, 8, 0, true);
    Etat.AlarmeSon[1].clear();
    DéclencheAlarme(1);
    EXPECT_EQ(son.joues(), QStringList{QStringLiteral("fichier ")});
}

TEST_F(Alarmes, MemoOnlyLeavesTheClockAlone) {
    alarme(1, 8, 0, false, true);
    w->hide();
    DéclencheAlarme(1);
    EXPECT_TRUE(w->isHidden());
    EXPECT_TRUE(son.joues().isEmpty());
    ASSERT_NE(MessAlarmOuvert(), nullptr);
    EXPECT_EQ(Etat.AlarmeAffichée, 1);
}

TEST_F(Alarmes, AllFlagsOffHoldsTwoSecondsAndDoesNothing) {
    alarme(1, 8, 0, false, false, false, QStringLiteral("/bin/true"));
    EXPECT_DOUBLE_EQ(dureeDe([] { DéclencheAlarme(1); }), 2.0);
    EXPECT_TRUE(son.evenements.empty());
    EXPECT_TRUE(lanceur.lances.isEmpty());
    EXPECT_EQ(MessAlarmOuvert(), nullptr);
    EXPECT_TRUE(dialogues.boites.empty());
}

TEST_F(Alarmes, ProgramStartsOnlyWhenAskedAndNamed) {
    alarme(1, 8, 0, false, false, true, QString());
    DéclencheAlarme(1);
    EXPECT_TRUE(lanceur.lances.isEmpty());
    EXPECT_TRUE(dialogues.boites.empty());
    alarme(1, 8, 0, false, false, true, QStringLiteral("/opt/mon programme/lance moi"));
    DéclencheAlarme(1);
    EXPECT_EQ(lanceur.lances, QStringList{QStringLiteral("/opt/mon programme/lance moi")});
}

// A program that cannot start is reported without holding the clock, and the alarm still rings
// and shows its memo; later alarms of the minute fire too.
TEST_F(Alarmes, FailingProgramIsReportedAndTheAlarmGoesOn) {
    alarme(1, 8, 15, true, true, true, QStringLiteral("/absent"));
    alarme(5, 8, 15, true);
    lanceur.echecs[QStringLiteral("/absent")] = {2, QStringLiteral("Fichier introuvable")};
    aLaMinute(8, 15);
    VérifieAlarmes();
    ASSERT_EQ(dialogues.boites.size(), 1u);
    const auto& b = dialogues.boites[0];
    EXPECT_FALSE(b.modale);
    EXPECT_EQ(b.icone, Dialogues::Icone::Aucune);
    EXPECT_EQ(b.titre, QStringLiteral("Erreur"));
    EXPECT_EQ(b.texte, QStringLiteral("L'erreur n° 2 a été générée par quentor\rFichier introuvable"));
    EXPECT_EQ(son.joues(), (QStringList{QStringLiteral("fichier /sons/alarme1.wav"),
                                        QStringLiteral("fichier /sons/alarme5.wav")}));
    ASSERT_NE(MessAlarmOuvert(), nullptr);
    EXPECT_EQ(MessAlarmOuvert()->windowTitle(), QStringLiteral("MESSAGE N°1"));
}

TEST_F(Alarmes, MemoWindowIsLoadedOnceAndReloadedAfterClosing) {
    alarme(1, 9, 0, false, true);
    alarme(3, 9, 0, false, true);
    aLHeure(9, 0, 7);
    DéclencheAlarme(1);
    MessAlarm* m = MessAlarmOuvert();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->windowTitle(), QStringLiteral("MESSAGE N°1"));
    EXPECT_EQ(m->Hmn->text(), QStringLiteral("09:00"));
    aLHeure(9, 1, 0);
    DéclencheAlarme(3);
    // Still alarm 1's window, only brought forward.
    EXPECT_EQ(MessAlarmOuvert(), m);
    EXPECT_EQ(m->windowTitle(), QStringLiteral("MESSAGE N°1"));
    EXPECT_EQ(m->MessN->text(), QStringLiteral("mémo 1\n"));
    EXPECT_EQ(m->Hmn->text(), QStringLiteral("09:00"));
    EXPECT_EQ(Etat.AlarmeAffichée, 3);
    m->Command1->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(MessAlarmOuvert(), nullptr);
    DéclencheAlarme(3);
    ASSERT_NE(MessAlarmOuvert(), nullptr);
    EXPECT_EQ(MessAlarmOuvert()->windowTitle(), QStringLiteral("MESSAGE N°3"));
    EXPECT_EQ(MessAlarmOuvert()->MessN->text(), QStringLiteral("mémo 3\n"));
}

TEST_F(Alarmes, MemoIsShownAsPlainText) {
    alarme(1, 9, 0, false, true);
    Etat.AlarmeTexte[1] = QStringLiteral("<b>x</b> & y");
    DéclencheAlarme(1);
    ASSERT_NE(MessAlarmOuvert(), nullptr);
    EXPECT_EQ(MessAlarmOuvert()->MessN->text(), QStringLiteral("<b>x</b> & y"));
    EXPECT_EQ(MessAlarmOuvert()->MessN->textFormat(), Qt::PlainText);
    EXPECT_EQ(MessAlarmOuvert()->Command1->text(), QStringLiteral("OK, cest lu .... merci"));
    EXPECT_FALSE(MessAlarmOuvert()->isModal());
}

TEST_F(Alarmes, MemoWindowClosesFromTheKeyboard) {
    alarme(1, 9, 0, false, true);
    DéclencheAlarme(1);
    ASSERT_NE(MessAlarmOuvert(), nullptr);
    QKeyEvent entree(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(MessAlarmOuvert()->Command1, &entree);
    QCoreApplication::processEvents();
    EXPECT_EQ(MessAlarmOuvert(), nullptr);
}

TEST(TexteErreurAlarme, Format) {
    EXPECT_EQ(TexteErreurAlarme(13, QStringLiteral("quentor"), QStringLiteral("Permission refusée")),
              QStringLiteral("L'erreur n° 13 a été générée par quentor\rPermission refusée"));
}
