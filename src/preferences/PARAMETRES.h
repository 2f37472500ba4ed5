#pragma once
// The settings window: voice, periodicity, the clock face's three colours, its background
// picture, "visible when minimised" and start at login. Every control acts at once on the clock
// window and the shared state; the window writes no file. Created at each opening, destroyed when
// it closes.

#include "state/FenetreHorloge.h"

#include <QWidget>
#include <array>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// Where the settings window goes (outer left and top, twips) for the clock window's outer
// geometry: above and to the left of the clock, or beside it when that would leave the screen.
PointTwips PositionParametres(const RectTwips& horloge);

class PARAMETRES : public QWidget {
public:
    explicit PARAMETRES(FenetreHorloge& horloge);

    QCheckBox* CheckDémarre = nullptr;
    QCheckBox* Visibilité = nullptr;
    QGroupBox* CadreVoix = nullptr;
    std::array<QRadioButton*, 2> Genre{};
    QPushButton* BoutonVolume = nullptr;  // the silent hours and volume window
    QGroupBox* OptionAnnonce = nullptr;
    std::array<QRadioButton*, 4> OptionQS{};
    QGroupBox* OptionCouleurs = nullptr;
    std::array<QPushButton*, 3> BoutonCouleur{};
    std::array<QFrame*, 3> Echantillon{};
    QGroupBox* OptionImage = nullptr;
    QCheckBox* CaseIma = nullptr;
    QPushButton* BoutonImage = nullptr;
    QLabel* PictureBox = nullptr;
    QPushButton* Retour1 = nullptr;

    // Handlers, named after their control and event.
    void PARAMETRES_Form_Load();
    void PARAMETRES_BoutonCouleur_Click(int Index);
    void PARAMETRES_BoutonImage_Click();
    void PARAMETRES_CaseIma_Click();
    void PARAMETRES_Visibilité_Click();
    void PARAMETRES_CheckDémarre_Click();
    void PARAMETRES_Genre_Click(int Index);
    void PARAMETRES_BoutonVolume_Click();
    void PARAMETRES_OptionQS_Click(int Index);
    void PARAMETRES_Retour1_Click();

private:
    void construitCommandes();
    void relieCommandes();
    void colorieEchantillon(int index, const QColor& c);
    void montreApercu(const QPixmap& p);
    void imageChoisie(const QString& chemin);
    // Checks the button `index` of `groupe`, or none when the code is out of range.
    static void selectionne(QButtonGroup* groupe, int index);

    FenetreHorloge& horloge_;
    QButtonGroup* groupeGenre_ = nullptr;
    QButtonGroup* groupeQS_ = nullptr;
};

// Opens the settings window over the clock window, modal for the user but without holding the
// caller; when one is already open, brings it forward instead. Returns the open window.
PARAMETRES* OuvreParametres(FenetreHorloge& horloge);
