#pragma once
#include "platform/Bureau.h"

#include <QLockFile>
#include <memory>

// The program's name for its start-at-login entry: the executable's file name, without ".exe" on
// Windows.
QString NomExecutable(const QString& chemin);

class BureauReel : public Bureau {
public:
    QString dossierProgramme() const override;
    QString dossierUtilisateur() const override;
    QString dossierDonnees() const override;
    QString nomExecutable() const override;
    QString dossierSysteme() const override;
    QString dossierProgrammes() const override;
    void ouvreAide(const QString& chemin) override;
    bool prendInstanceUnique() override;
    void quitte(int code) override;

private:
    std::unique_ptr<QLockFile> verrou;
};
