#pragma once
#include "platform/Bureau.h"

#include <QLockFile>
#include <memory>

class QLocalServer;

// The program's name for its start-at-login entry: the executable's file name, without ".exe" on
// Windows.
QString NomExecutable(const QString& chemin);

// The user's private folder that holds the single-instance lock and, beside it, the socket
// through which other starts reach the running clock.
QString DossierInstance();
// True for a real folder (not a link) of the user's own that nobody else may write to: the only
// kind whose socket is used, to listen or to talk.
bool DossierPersonnel(const QString& dossier);

class BureauReel : public Bureau {
public:
    BureauReel();
    ~BureauReel() override;
    QString dossierProgramme() const override;
    QString dossierUtilisateur() const override;
    QString dossierDonnees() const override;
    QString nomExecutable() const override;
    QString dossierSysteme() const override;
    QString dossierProgrammes() const override;
    void ouvreAide(const QString& chemin) override;
    bool prendInstanceUnique() override;
    void ecouteDemandes(std::function<void(Demande)> traite) override;
    bool envoieDemande(Demande demande, int attenteMs) override;
    void quitte(int code) override;

private:
    std::unique_ptr<QLockFile> verrou;
    std::unique_ptr<QLocalServer> serveur_;
};
