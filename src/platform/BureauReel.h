#pragma once
#include "platform/Bureau.h"

#include <QLockFile>
#include <memory>

class QLocalServer;

// The program's name for its start-at-login entry: the executable's file name, without ".exe" on
// Windows.
QString NomExecutable(const QString& chemin);

// Whether `chemin` is a folder of this user's alone (created when absent): a real directory, not a
// link, owned by the user, mode 0700. Anything else could let another user hold or follow what
// the program puts there; *raison then says why, in French.
bool DossierPrive(const QString& chemin, QString* raison);
// The folder for the single-instance lock and, beside it, the socket through which other starts
// reach the running clock: the session's runtime folder, else a private folder of
// the user's own. Empty, with a line on stderr, when none can be had.
QString DossierInstance();

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
