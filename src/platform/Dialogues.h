#pragma once
#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

// Message boxes, the system beep, and the colour and file choosers.
// Only a fault that ends the program may hold the caller (`boite`): everything reachable from a
// click returns at once and answers through a callback, so that a tick waiting in one of its
// pauses is never held behind a nested event loop.
class Dialogues {
public:
    enum class Icone { Aucune, Information, Critique };
    virtual ~Dialogues() = default;
    virtual void bip() = 0;
    // Returns when the user has dismissed the box.
    virtual void boite(Icone icone, const QString& titre, const QString& texte) = 0;
    // Takes the user's input from every other window until dismissed, but returns at once.
    virtual void boiteModale(Icone icone, const QString& titre, const QString& texte) = 0;
    // Shown and left open; returns at once.
    virtual void boiteSansAttente(Icone icone, const QString& titre, const QString& texte) = 0;
    // A question over `parent`, modal for the user, answered with a button: `suite` runs once,
    // with true for `oui`, false for `non` or the box closed.
    virtual void question(QWidget* parent, const QString& titre, const QString& texte, const QString& oui,
                          const QString& non, std::function<void(bool)> suite) = 0;
    // The choosers open over `parent` and return at once; `suite` runs once when they close,
    // with nothing (colour) or an empty path (file) when the user cancelled.
    virtual void choisitCouleur(QWidget* parent, const QColor& initiale,
                                std::function<void(std::optional<QColor>)> suite) = 0;
    // `filtres` in Qt's form, e.g. {"Images (*.bmp)", "PNG (*.png)"}; the first is selected.
    virtual void choisitFichier(QWidget* parent, const QString& dossier, const QStringList& filtres,
                                std::function<void(const QString&)> suite) = 0;
};
