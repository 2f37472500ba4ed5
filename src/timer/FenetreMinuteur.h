#pragma once
// The timer's window "Minuteur": a length (hours, minutes, seconds) or a time of day to count
// down to, whether the time left is said as the end nears, the sound, and "Démarrer"; while a
// timer runs, the time left in the clock's digits, "Pause"/"Reprendre" and "Arrêter". It stays
// open beside the clock as long as the user wants it; closing it leaves the timer running.

#include "state/FenetreHorloge.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimeEdit;

class FenetreMinuteur : public QWidget {
public:
    FenetreMinuteur(FenetreHorloge& horloge, QWidget* parent);

    QRadioButton* OptionDuree = nullptr;
    QSpinBox* Heures = nullptr;
    QSpinBox* Minutes = nullptr;
    QSpinBox* Secondes = nullptr;
    QRadioButton* OptionJusqua = nullptr;
    QTimeEdit* HeureFin = nullptr;
    QCheckBox* CaseAnnonces = nullptr;
    QPushButton* BoutonSon = nullptr;
    QLabel* AffSon = nullptr;
    QPushButton* BoutonSonDefaut = nullptr;
    QPushButton* BoutonDemarrer = nullptr;
    QLabel* AffRestant = nullptr;
    QPushButton* BoutonPause = nullptr;
    QPushButton* BoutonArreter = nullptr;
    QPushButton* Retour = nullptr;

    // Handlers, named after their control and event.
    void FenetreMinuteur_Form_Load();
    void FenetreMinuteur_BoutonDemarrer_Click();
    void FenetreMinuteur_BoutonPause_Click();
    void FenetreMinuteur_BoutonArreter_Click();
    void FenetreMinuteur_BoutonSon_Click();
    void FenetreMinuteur_BoutonSonDefaut_Click();
    void FenetreMinuteur_CaseAnnonces_Click();
    void FenetreMinuteur_Retour_Click();

    // The length set in the window, in seconds.
    int dureeChoisie() const;

private:
    void construitCommandes();
    void relieCommandes();
    void demarre();
    // The time left, the buttons and the sound's name, as the timer stands.
    void suitMinuteur();

    FenetreHorloge& horloge_;
};

// Opens the window over `parent` (the clock window when none); when it is already open, brings
// it forward instead. Returns the open window.
FenetreMinuteur* OuvreFenetreMinuteur(FenetreHorloge& horloge, QWidget* parent = nullptr);
