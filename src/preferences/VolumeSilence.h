#pragma once
// The window of the silent hours and the volume: the switch, the two times, the volume in steps of
// 5 % and a button that speaks the time at that volume. Every control acts at once on the shared
// state; the window writes no file. Opened from the popup menu and from the settings window;
// created at each opening, destroyed when it closes.

#include "state/FenetreHorloge.h"

#include <QWidget>

class QCheckBox;
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
    QPushButton* BoutonEssai = nullptr;
    QPushButton* Retour = nullptr;

    // Handlers, named after their control and event.
    void VolumeSilence_Form_Load();
    void VolumeSilence_CaseSilence_Click();
    void VolumeSilence_HeureDebut_Change();
    void VolumeSilence_HeureFin_Change();
    void VolumeSilence_CurseurVolume_Change();
    void VolumeSilence_BoutonEssai_Click();
    void VolumeSilence_Retour_Click();

private:
    void construitCommandes();
    void relieCommandes();

    FenetreHorloge& horloge_;
};

// Opens the window over `parent` (the clock window when none), modal for the user but without
// holding the caller; when one is already open, brings it forward instead. Returns the open window.
VolumeSilence* OuvreVolumeSilence(FenetreHorloge& horloge, QWidget* parent = nullptr);
