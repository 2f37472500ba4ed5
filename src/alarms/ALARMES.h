#pragma once
// The alarm editor: one of the six alarms at a time, every change straight into the alarm table.
// The clock's tick is held while it is open. Modal for the user, but opened without a nested event
// loop, so that a tick already inside one of its pauses ends normally.

#include "state/Etat.h"
#include "state/FenetreHorloge.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class BoutonFleches;
class ImageDessinee;

// Where the editor opens (outer position, twips), from the clock window's outer geometry.
PointTwips PlacementALARMES(const RectTwips& horloge);

// The minute as the editor shows it: two characters below 10 ("05"), the plain number otherwise.
QString TexteMinute(int minute);

class ALARMES : public QWidget {
public:
    explicit ALARMES(FenetreHorloge& horloge);

    // Controls, named and objectNamed like the window's design. Arrays are indexed like the
    // design's control arrays: ChoixAlarme 1 to 6, DossierApp 0 ("Systeme") and 1 ("Programmes").
    std::array<QPushButton*, NombreAlarmes + 1> ChoixAlarme{};
    QWidget* Onglet = nullptr;
    QLabel* TitreAlarme = nullptr;
    QCheckBox* ActiveAlarme = nullptr;
    QPushButton* BoutonWave = nullptr;
    ImageDessinee* Ima_Alarme = nullptr;
    QGroupBox* Cadre1 = nullptr;
    BoutonFleches* Bouton = nullptr;
    QLabel* AffAlarme = nullptr;
    QLabel* Etiquette1 = nullptr;
    QLabel* AffMn = nullptr;
    BoutonFleches* BoutonMn = nullptr;
    QLabel* Etiquette2 = nullptr;
    QLabel* Etiquette3 = nullptr;
    QGroupBox* OptionEXE = nullptr;
    QCheckBox* CaseEXE = nullptr;
    QPushButton* BoutonEXE = nullptr;
    std::array<QRadioButton*, 2> DossierApp{};
    QLabel* AffEXE = nullptr;
    QGroupBox* Cadre2 = nullptr;
    QCheckBox* ActiveMsg = nullptr;
    QPlainTextEdit* MsgSonne = nullptr;
    QPushButton* Retour_Quentor = nullptr;
    // "Plus…": the alarm's days or date, ringing and snooze (also the key P).
    QPushButton* Plus = nullptr;

    // Handlers, named after their control and event.
    void ALARMES_Form_Load();
    void ALARMES_Form_Unload();
    void MAJChoixAlarme();
    void ChoixAlarme_Click(int Index);
    void Bouton_SpinDown();
    void Bouton_SpinUp();
    void BoutonMn_SpinDown();
    void BoutonMn_SpinUp();
    void ActiveAlarme_Click();
    void ActiveMsg_Click();
    void CaseEXE_Click();
    void MsgSonne_Change();
    void BoutonWave_Click();
    void BoutonEXE_Click();
    void Retour_Quentor_Click();
    void Plus_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void construitFenetre();
    void construitHoraire();
    void construitProgramme();
    void construitMessage();
    void relieEvenements();
    void metEnGras(int Index);
    Alarme& choisie();
    void afficheHeure(const Alarme& a);
    void afficheMinute(const Alarme& a);
    void pasHoraire(bool heure, int sens);
    void largeurPourTexte(QWidget* w, double gaucheTwips, double limiteTwips);

    FenetreHorloge& horloge_;
    bool charge_ = false;
};

// Loads the editor over the clock window and shows it; returns at once.
void OuvreALARMES(FenetreHorloge& horloge);
// The open editor, or nullptr.
ALARMES* ALARMESOuvert();
