#pragma once
#include "platform/Dialogues.h"

class DialoguesQt : public Dialogues {
public:
    void bip() override;
    void boite(Icone icone, const QString& titre, const QString& texte) override;
    void boiteModale(Icone icone, const QString& titre, const QString& texte) override;
    void boiteSansAttente(Icone icone, const QString& titre, const QString& texte) override;
    void question(QWidget* parent, const QString& titre, const QString& texte, const QString& oui, const QString& non,
                  std::function<void(bool)> suite) override;
    void choisitCouleur(QWidget* parent, const QColor& initiale,
                        std::function<void(std::optional<QColor>)> suite) override;
    void choisitFichier(QWidget* parent, const QString& dossier, const QStringList& filtres,
                        std::function<void(const QString&)> suite) override;
};
