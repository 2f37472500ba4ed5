#pragma once
// The alarm memo window: the memo of alarm Etat.AlarmeAffichée and the time it opened.
// Modeless, and loaded at most once: showing it while it is open only brings it forward.

#include <QWidget>

class QLabel;
class QPushButton;
class ImageDessinee;

class MessAlarm : public QWidget {
public:
    MessAlarm();
    ImageDessinee* Logo = nullptr;
    QLabel* Hmn = nullptr;
    QLabel* MessN = nullptr;
    QPushButton* Command1 = nullptr;

    void MessAlarm_Form_Load();
    void MessAlarm_Command1_Click();

protected:
    // Closed, the memo acknowledges its alarm: it stops ringing and its notification goes, unless
    // R put it off first. R puts the alarm off.
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
};

// Loads and shows the window, or brings the open one forward.
void AfficheMessAlarm();
// The open window, or nullptr.
MessAlarm* MessAlarmOuvert();
