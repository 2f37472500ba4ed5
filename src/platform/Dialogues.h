#pragma once
#include <QColor>
#include <QString>
#include <optional>

class QWidget;

// Message boxes, the system beep, and the colour and file choosers.
class Dialogues {
public:
    enum class Icone { Aucune, Information, Critique };
    virtual ~Dialogues() = default;
    virtual void bip() = 0;
    // Modal: returns when the user has dismissed the box.
    virtual void boite(Icone icone, const QString& titre, const QString& texte) = 0;
    // Shown and left open: returns at once, so that nothing waiting behind it is held.
    virtual void boiteSansAttente(Icone icone, const QString& titre, const QString& texte) = 0;
    virtual std::optional<QColor> choisitCouleur(QWidget* parent, const QColor& initiale) = 0;
    // Empty when cancelled. `filtre` in Qt's form, e.g. "Images (*.bmp)".
    virtual QString choisitFichier(QWidget* parent, const QString& dossier, const QString& filtre) = 0;
};
