// The alarm editor's handlers: every change goes straight into the alarm table.
#include "alarms/ALARMES.h"

#include "alarms/BoutonFleches.h"
#include "alarms/DetailsAlarme.h"
#include "art/Twips.h"
#include "platform/Plateforme.h"
#include "sound/Sequenceur.h"
#include "sound/Son.h"
#include "state/Etat.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

// The choosers' filters, written "description|patterns" and shown the toolkit's way. The toolkit's
// choosers match patterns whatever the letter case, so "*.wav" also lists "SONNERIE.WAV".
QString FiltreChoix(const QString& description, const QString& motifs) {
    return description + QStringLiteral(" (") + motifs + QLatin1Char(')');
}
const QString FiltreWave = FiltreChoix(QStringLiteral("Fichiers Wave(*.Wav)"), QStringLiteral("*.wav"));
#ifdef Q_OS_WIN
const QString FiltreProgrammes = FiltreChoix(QStringLiteral("Programmes(*.exe)"), QStringLiteral("*.exe"));
#else
// Programs here carry no extension: every file is listed, and only an executable one is taken.
const QString FiltreProgrammes = FiltreChoix(QStringLiteral("Programmes"), QStringLiteral("*"));
#endif

// One step of the hour (last 23) or the minute (last 59). Only exactly the first value wraps to
// the last and the last to the first: a value out of range (from a hand-edited file) moves by one.
int16_t Pas(int16_t valeur, int sens, int16_t dernier) {
    if (sens < 0 && valeur == 0)
        valeur = int16_t(dernier + 1);
    if (sens > 0 && valeur == dernier)
        valeur = -1;
    return int16_t(valeur + sens);
}

}  // namespace

void ALARMES::relieEvenements() {
    for (int i = 1; i <= NombreAlarmes; ++i)
        connect(ChoixAlarme[i], &QPushButton::clicked, this, [this, i] { ChoixAlarme_Click(i); });
    connect(Bouton, &BoutonFleches::SpinDown, this, [this] { Bouton_SpinDown(); });
    connect(Bouton, &BoutonFleches::SpinUp, this, [this] { Bouton_SpinUp(); });
    connect(BoutonMn, &BoutonFleches::SpinDown, this, [this] { BoutonMn_SpinDown(); });
    connect(BoutonMn, &BoutonFleches::SpinUp, this, [this] { BoutonMn_SpinUp(); });
    connect(ActiveAlarme, &QCheckBox::toggled, this, [this] { ActiveAlarme_Click(); });
    connect(ActiveMsg, &QCheckBox::toggled, this, [this] { ActiveMsg_Click(); });
    connect(CaseEXE, &QCheckBox::toggled, this, [this] { CaseEXE_Click(); });
    connect(MsgSonne, &QPlainTextEdit::textChanged, this, [this] { MsgSonne_Change(); });
    connect(BoutonWave, &QPushButton::clicked, this, [this] { BoutonWave_Click(); });
    connect(BoutonEXE, &QPushButton::clicked, this, [this] { BoutonEXE_Click(); });
    connect(Retour_Quentor, &QPushButton::clicked, this, [this] { Retour_Quentor_Click(); });
    connect(Plus, &QPushButton::clicked, this, [this] { Plus_Click(); });
}

void ALARMES::metEnGras(int Index) {
    for (int i = 1; i <= NombreAlarmes; ++i) {
        QFont f = ChoixAlarme[i]->font();
        f.setBold(i == Index);
        ChoixAlarme[i]->setFont(f);
    }
}

void ALARMES::afficheHeure(const Alarme& a) {
    AffAlarme->setText(QString::number(a.Heure));
    Bouton->setValeur(a.Heure, 0, 23);
}

void ALARMES::afficheMinute(const Alarme& a) {
    AffMn->setText(TexteMinute(a.Minute));
    BoutonMn->setValeur(a.Minute, 0, 59);
}

void ALARMES::MAJChoixAlarme() {
    const Alarme& a = choisie();
    TitreAlarme->setText(QStringLiteral("ALARME ") + QString::number(Etat.AlarmeChoisie + 1));
    // The title's design width holds the word alone: it grows to show the digit.
    largeurPourTexte(TitreAlarme, 495, 2250);
    ActiveMsg->setChecked(a.Message);
    ActiveAlarme->setChecked(a.Active);
    {
        // The table already holds this text: reading it back from the box could only alter it.
        const QSignalBlocker silence(MsgSonne);
        MsgSonne->setPlainText(a.Texte);
    }
    afficheHeure(a);
    afficheMinute(a);
    CaseEXE->setChecked(a.Appli);
    AffEXE->setText(a.Exe);
}

Alarme& ALARMES::choisie() { return Etat.Alarmes[Etat.AlarmeChoisie]; }

void ALARMES::ChoixAlarme_Click(int Index) {
    metEnGras(Index);
    Etat.AlarmeChoisie = int16_t(Index - 1);
    MAJChoixAlarme();
}

void ALARMES::pasHoraire(bool heure, int sens) {
    // The click, and a tenth of a second before the arrow held down steps again.
    BoutonFleches* fleches = heure ? Bouton : BoutonMn;
    fleches->retiensRepetition();
    LanceSequence({Clip(kClipFleche, 0.1), Agit([fleches] { fleches->reprendRepetition(); })}, fleches);
    Alarme& a = choisie();
    if (heure) {
        a.Heure = Pas(a.Heure, sens, 23);
        afficheHeure(a);
        AffAlarme->repaint();
    } else {
        a.Minute = Pas(a.Minute, sens, 59);
        afficheMinute(a);
        AffMn->repaint();
    }
}

void ALARMES::Bouton_SpinDown() { pasHoraire(true, -1); }
void ALARMES::Bouton_SpinUp() { pasHoraire(true, +1); }
void ALARMES::BoutonMn_SpinDown() { pasHoraire(false, -1); }
void ALARMES::BoutonMn_SpinUp() { pasHoraire(false, +1); }

void ALARMES::ActiveAlarme_Click() { choisie().Active = ActiveAlarme->isChecked(); }
void ALARMES::ActiveMsg_Click() { choisie().Message = ActiveMsg->isChecked(); }
void ALARMES::CaseEXE_Click() { choisie().Appli = CaseEXE->isChecked(); }

void ALARMES::MsgSonne_Change() {
    // Line breaks reach the table the way the memo files keep them; no-break spaces stay.
    QString texte = MsgSonne->document()->toRawText();
    texte.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    texte.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    choisie().Texte = texte;
}

void ALARMES::BoutonWave_Click() {
    const int n = Etat.AlarmeChoisie;
    PF().dialogues->choisitFichier(this, Etat.CheminAppli, {FiltreWave}, [n](const QString& chemin) {
        // Cancelled: the sound chosen before stays.
        if (!chemin.isEmpty())
            Etat.Alarmes[n].Son = QDir::toNativeSeparators(chemin);
    });
}

void ALARMES::BoutonEXE_Click() {
    const int n = Etat.AlarmeChoisie;
    QString dossier = Etat.DossierWindows;
    if (DossierApp[1]->isChecked())
        dossier = Etat.DossierProgrammes;
    QPointer<ALARMES> garde(this);
    PF().dialogues->choisitFichier(this, dossier, {FiltreProgrammes}, [n, garde](const QString& chemin) {
        if (chemin.isEmpty())
            return;
        // A file that can't be started would only fail at the alarm's minute: say so now.
        const QFileInfo f(chemin);
        if (!f.isFile() || !f.isExecutable()) {
            PF().dialogues->boiteModale(Dialogues::Icone::Information, QStringLiteral("Lancement d'un programme"),
                                        QStringLiteral("« %1 » n'est pas un programme que l'alarme peut lancer.\n\n"
                                                       "Le programme de l'alarme %2 reste celui choisi avant.")
                                            .arg(QDir::toNativeSeparators(chemin))
                                            .arg(n + 1));
            return;
        }
        Etat.Alarmes[n].Exe = QDir::toNativeSeparators(chemin);
        if (garde && Etat.AlarmeChoisie == n)
            garde->AffEXE->setText(Etat.Alarmes[n].Exe);
    });
}

void ALARMES::Plus_Click() { OuvreDetailsAlarme(this, Etat.AlarmeChoisie); }

// P opens the details, unless it is typed into the memo (which keeps its letters).
void ALARMES::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_P && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return Plus_Click();
    QWidget::keyPressEvent(e);
}

void ALARMES::Retour_Quentor_Click() {
    JoueSon(kClipRetourHorloge);
    horloge_.cacheOutils();
    close();
}
