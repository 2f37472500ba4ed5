#include "alarms/ALARMES.h"
#include "alarms/BoutonFleches.h"
#include "alarms/DetailsAlarme.h"
#include "app/Sequences.h"
#include "clock/QUENTORFixture.h"
#include "support/Souris.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QSpinBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

class Editeur : public AvecHorloge {
protected:
    ALARMES* ouvre() { return OuvreALARMES(*w), ALARMESOuvert(); }
    static void touche(QWidget* c, int k, bool presse, const QString& texte = {}) {
        QKeyEvent e(presse ? QEvent::KeyPress : QEvent::KeyRelease, k, {}, texte);
        QApplication::sendEvent(c, &e);
    }
    // Real time passes; the virtual clock's timers run as they fall due, unless it stands still.
    void attend(int ms, bool avecHorloge = true) {
        QElapsedTimer t;
        for (t.start(); t.elapsed() < ms;) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
            if (avecHorloge)
                horloge.deroule();
        }
    }
};

TEST(PlacementALARMES, EachCorrectionAloneAndBoth) {
    struct Cas {
        double gauche, haut, attenduG, attenduH;
    };
    for (Cas c : {Cas{6000, 4500, 3000, 1900}, Cas{6000, 2599, 3000, 50}, Cas{2999, 4500, 5399, 1900},
                  Cas{1000, 1000, 3400, 50}, Cas{3000, 2600, 0, 0}}) {
        const PointTwips p = PlacementALARMES({c.gauche, c.haut, 3600, 1800});
        EXPECT_TRUE(p.left == c.attenduG && p.top == c.attenduH) << c.gauche << " " << c.haut;
    }
}

TEST_F(Editeur, ArrowsStepWrapShowPauseAndRepeat) {
    struct Cas {
        bool heure;
        int sens;
        int16_t avant, apres;
        const char* vu;
    };
    // clang-format off
    const Cas cas[] = {{true, -1, 0, 23, "23"}, {true, +1, 23, 0, "0"}, {true, -1, 30, 29, "29"},
                       {true, +1, 30, 31, "31"}, {true, -1, -1, -2, "-2"}, {true, +1, 8, 9, "9"},
                       {false, -1, 0, 59, "59"}, {false, +1, 59, 0, "00"}, {false, +1, 9, 10, "10"},
                       {false, -1, 10, 9, "09"}};
    // clang-format on
    ALARMES* e = ouvre();
    for (const Cas& c : cas) {
        SCOPED_TRACE(&c - cas);
        Etat.Alarmes[0].Heure = Etat.Alarmes[0].Minute = c.avant;
        e->MAJChoixAlarme();
        son.evenements.clear();
        for (bool presse : {true, false})
            touche(c.heure ? e->Bouton : e->BoutonMn, c.sens > 0 ? Qt::Key_Up : Qt::Key_Down, presse);
        horloge.deroule();
        EXPECT_EQ(c.heure ? Etat.Alarmes[0].Heure : Etat.Alarmes[0].Minute, c.apres);
        EXPECT_EQ(c.heure ? Etat.Alarmes[0].Minute : Etat.Alarmes[0].Heure, c.avant);  // no carry
        EXPECT_EQ((c.heure ? e->AffAlarme : e->AffMn)->text(), QString::fromLatin1(c.vu));
        EXPECT_TRUE(son.joues() == QStringList{QStringLiteral("clip 80")} &&
                    son.evenements[0].t.msecsTo(horloge.t) == 100);
    }
    EnvoieSouris(e->BoutonMn, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 5));
    const int premier = Etat.Alarmes[0].Minute;
    attend(500, false);
    EXPECT_EQ(Etat.Alarmes[0].Minute, premier);  // no repeat before the click's tenth of a second has ended
    attend(700);
    EnvoieSouris(e->BoutonMn, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5, 5));
    const int tenu = Etat.Alarmes[0].Minute;
    attend(200);
    EXPECT_TRUE(tenu >= 13 && Etat.Alarmes[0].Minute == tenu) << tenu;  // held, it repeats until released
}

// The bell pressed during a tick: that tick ends normally, its alarm included. No tick runs until
// the editor closes, with RETOUR or the close box; a minute that passed meanwhile is not caught up.
TEST_F(Editeur, OpensAtAlarm1AndHoldsTheTickUntilClosed) {
    w->setGeometrieTwips({6000, 4500, 3600, 1800});
    w->demarreTimer();
    alarme(1, 14, 1, true);
    alarme(2, 14, 2, true);
    aLHeure(14, 1, 0);
    QTimer::singleShot(0, w.get(), [this] { ouvre(); });
    tique();
    EXPECT_TRUE(son.joues().contains(QStringLiteral("fichier /sons/alarme1.wav")));
    for (bool retour : {true, false}) {
        ALARMES* e = ALARMESOuvert();
        ASSERT_TRUE(e && e->pos() == QPoint(200, 127) && e->windowModality() == Qt::ApplicationModal);
        EXPECT_TRUE(e->TitreAlarme->text() == QStringLiteral("ALARME 1") && Etat.AlarmeChoisie == 0 &&
                    e->ChoixAlarme[1]->font().bold() && e->DossierApp[1]->isChecked() && !w->timerActif() &&
                    !w->Timer->isActive());
        aLHeure(14, 2, retour ? 30 : 40);
        son.evenements.clear();
        Clique(e->ChoixAlarme[4]);
        e->DossierApp[0]->setChecked(true);
        EXPECT_TRUE(e->ChoixAlarme[4]->font().bold() && !e->ChoixAlarme[1]->font().bold());
        w->CadreOutils->show();
        retour ? Clique(e->Retour_Quentor) : void(e->close());
        EXPECT_EQ(son.joues(), retour ? QStringList{QStringLiteral("clip 82")} : QStringList{});
        EXPECT_TRUE(w->timerActif() && !ALARMESOuvert() && w->CadreOutils->isHidden() == retour);
        attend(100);
        EXPECT_TRUE(w->AffHEURE->text() == QStringLiteral("14:02") &&
                    !son.joues().contains(QStringLiteral("fichier /sons/alarme2.wav")));
        ouvre();
    }
}

TEST_F(Editeur, MemoTypedIsKeptWhenSwitchingAlarms) {
    ALARMES* e = ouvre();
    Clique(e->ChoixAlarme[2]);
    for (QChar c : QStringLiteral("Réveil\u00a0<b>\nthé"))
        touche(e->MsgSonne, c == u'\n' ? Qt::Key_Return : 0, true, c == u'\n' ? QStringLiteral("\r") : QString(c));
    Clique(e->ChoixAlarme[5]);
    Clique(e->ChoixAlarme[2]);
    EXPECT_EQ(e->MsgSonne->document()->toRawText(), QStringLiteral("Réveil\u00a0<b>\u2029thé"));
    EXPECT_EQ(Etat.Alarmes[1].Texte, QStringLiteral("Réveil\u00a0<b>\r\nthé"));  // CR LF, as in the files
}

// Each answer gives "start folder|sound|program|program shown|boxes shown".
TEST_F(Editeur, ChoosersStartFoldersAndWhatTheyKeep) {
    RemplitEtat();  // program folder /tmp, system tools /usr/bin/, programs /opt/
    Etat.Alarmes[0].Exe = QStringLiteral("/avant");
    ALARMES* e = ouvre();
    auto choisit = [&](QPushButton* bouton, int dossierApp, const QString& reponse) {
        e->DossierApp[dossierApp]->setChecked(true);
        dialogues.fichiers.clear();
        Clique(bouton);
        dialogues.fichiers.at(0).suite(reponse);
        return QStringList{dialogues.fichiers.at(0).dossier, Etat.Alarmes[0].Son, Etat.Alarmes[0].Exe,
                           e->AffEXE->text(), QString::number(dialogues.boites.size())}
            .join(u'|');
    };
    EXPECT_EQ(choisit(e->BoutonWave, 0, "/x/SON.WAV"), "/tmp|/x/SON.WAV|/avant|/avant|0");
    EXPECT_EQ(choisit(e->BoutonWave, 1, ""), "/tmp|/x/SON.WAV|/avant|/avant|0");                 // cancelled
    EXPECT_EQ(choisit(e->BoutonEXE, 0, ""), "/usr/bin/|/x/SON.WAV|/avant|/avant|0");             // cancelled
    EXPECT_EQ(choisit(e->BoutonEXE, 0, "/etc/passwd"), "/usr/bin/|/x/SON.WAV|/avant|/avant|1");  // no program
    const QString exe = QCoreApplication::applicationFilePath();
    EXPECT_EQ(choisit(e->BoutonEXE, 1, exe), "/opt/|/x/SON.WAV|" + exe + "|" + exe + "|1");
    EXPECT_FALSE(Etat.Alarmes[0].Active || Etat.Alarmes[0].Appli);  // choosing ticks no box
}

// The key P opens the chosen alarm's details (but not when typed into the memo); every change
// there goes straight into the table, and a date sets the days aside.
TEST_F(Editeur, DetailsOpenWithPAndApplyAtOnce) {
    ALARMES* a = ouvre();
    touche(a->MsgSonne, Qt::Key_P, true, "p");
    EXPECT_EQ(a->findChild<QWidget*>("DetailsAlarme"), nullptr);
    a->ChoixAlarme[3]->click();
    touche(a->ActiveAlarme, Qt::Key_P, true, "p");
    auto* d = dynamic_cast<DetailsAlarme*>(a->findChild<QWidget*>("DetailsAlarme"));
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Détails de l'alarme 3"));
    d->Jour[5]->click();
    d->Jour[6]->click();
    d->UneFois->click();
    d->Repete->setValue(3);
    d->DureeSonnerie->setValue(12);
    d->SonneJusqua->click();  // last: the choice alone takes the minutes
    const Alarme& trois = Etat.Alarmes[2];
    EXPECT_TRUE(trois.Jours == 0x1F && trois.Date == d->DateAlarme->date() && !d->Jour[0]->isEnabled());
    EXPECT_TRUE(trois.Sonne == 12 && trois.Repete == 3);
}
