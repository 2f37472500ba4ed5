#pragma once
#include "platform/Dialogues.h"

class DialoguesQt : public Dialogues {
public:
    void bip() override;
    void boite(Icone icone, const QString& titre, const QString& texte) override;
    void boiteSansAttente(Icone icone, const QString& titre, const QString& texte) override;
    std::optional<QColor> choisitCouleur(QWidget* parent, const QColor& initiale) override;
    QString choisitFichier(QWidget* parent, const QString& dossier, const QString& filtre) override;
};
