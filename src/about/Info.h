#pragma once
// The information window: which version of the program is running. Created at each opening,
// destroyed when it closes.

#include "state/FenetreHorloge.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;

class Info : public QWidget {
public:
    explicit Info(FenetreHorloge& horloge);

    QGroupBox* TitreInfo = nullptr;
    QLabel* MainIcon = nullptr;
    QLabel* InfoMsg = nullptr;
    QPushButton* Info_version = nullptr;
    QPushButton* Retour_Quentor = nullptr;

    // Handlers, named after their control and event.
    void Info_Form_Load();
    void Info_Info_version_Click();
    void Info_Retour_Quentor_Click();

private:
    // The message, its look and the frame's title, then the start clip.
    void afficheMessage();

    FenetreHorloge& horloge_;
};

// Opens the window over the clock window, modal for the user but without holding the caller;
// when one is already open, brings it forward instead. Returns the open window.
Info* OuvreInfo(FenetreHorloge& horloge);
