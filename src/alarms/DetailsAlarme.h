#pragma once
// "Détails de l'alarme n": what the alarm editor's design has no room for, for the alarm chosen
// there: its days or its one date, how long its sound rings, how long it is put off. Every
// change goes straight into the alarm table. Opened over the editor, modal for the user.

#include <QWidget>
#include <array>

class QCheckBox;
class QDateEdit;
class QRadioButton;
class QSpinBox;

class DetailsAlarme : public QWidget {
public:
    DetailsAlarme(QWidget* editeur, int n);

    std::array<QCheckBox*, 7> Jour{};  // Monday first
    QCheckBox* UneFois = nullptr;
    QDateEdit* DateAlarme = nullptr;
    QSpinBox* Repete = nullptr;
    QRadioButton* SonneUneFois = nullptr;
    QRadioButton* SonneJusqua = nullptr;
    QSpinBox* DureeSonnerie = nullptr;

private:
    void applique();
    void suitDate();
    int n_;
};

// Opens the window for alarm n (0 to 5) over the editor, or brings the open one forward.
DetailsAlarme* OuvreDetailsAlarme(QWidget* editeur, int n);
