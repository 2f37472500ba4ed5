#pragma once
// The window of the silent hours and the volume: the switch, the two times, the volume in steps of
// 5 %, the frame "Parole" (the form of the spoken time, at start, at wake, "do not disturb", the
// output kept awake) and a button that speaks the time at that volume and in that form. Every control acts at once on the shared
// state; the window writes no file. Opened from the popup menu and from the settings window;
// created at each opening, destroyed when it closes.

#include "state/FenetreHorloge.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QRadioButton;
class QLabel;
class QPushButton;
class QSlider;
class QTimeEdit;

class VolumeSilence : public QWidget {
public:
    VolumeSilence(FenetreHorloge& horloge, QWidget* parent);

    QCheckBox* CaseSilence = nullptr;
    QLabel* EtiquetteDebut = nullptr;
    QTimeEdit* HeureDebut = nullptr;
    QLabel* EtiquetteFin = nullptr;
    QTimeEdit* HeureFin = nullptr;
    QLabel* EtiquetteVolume = nullptr;
    QSlider* CurseurVolume = nullptr;
    QLabel* AffVolume = nullptr;
    QGroupBox* CadreParole = nullptr;
    QRadioButton* OptionForme[2] = {};  // 0 the 24-hour form, 1 everyday French
    QCheckBox* CaseDemarrage = nullptr;
    QCheckBox* CaseReveil = nullptr;
    QCheckBox* CaseNePasDeranger = nullptr;
    QCheckBox* CaseEveillee = nullptr;
    QPushButton* BoutonEssai = nullptr;
    QPushButton* Retour = nullptr;

    // Handlers, named after their control and event.
    void VolumeSilence_Form_Load();
    void VolumeSilence_CaseSilence_Click();
    void VolumeSilence_HeureDebut_Change();
    void VolumeSilence_HeureFin_Change();
    void VolumeSilence_CurseurVolume_Change();
    void VolumeSilence_OptionForme_Click(int Index);
    void VolumeSilence_CaseDemarrage_Click();
    void VolumeSilence_CaseReveil_Click();
    void VolumeSilence_CaseNePasDeranger_Click();
    void VolumeSilence_CaseEveillee_Click();
    void VolumeSilence_BoutonEssai_Click();
    void VolumeSilence_Retour_Click();

private:
    void construitCommandes();
    void construitParole();
    void relieCommandes();

    FenetreHorloge& horloge_;
    QButtonGroup* groupeForme_ = nullptr;
};

// Opens the window over `parent` (the clock window when none), modal for the user but without
// holding the caller; when one is already open, brings it forward instead. Returns the open window.
VolumeSilence* OuvreVolumeSilence(FenetreHorloge& horloge, QWidget* parent = nullptr);
