#pragma once
#include "platform/Bureau.h"
#include "platform/DossierInstance.h"

#include <memory>

class ServeurDemandes;

// The program's name for its start-at-login entry: the executable's file name, without ".exe" on
// Windows.
QString NomExecutable(const QString& chemin);

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
    std::optional<QString> envoieCommande(const QString& ligne) override;
    void quitte(int code) override;
    // Why the last request found no clock to take it, in French.
    QString raisonDemande() const { return raisonDemande_; }

private:
    // Sends `ligne` and gives the line answered, trying for up to `attenteMs`.
    std::optional<QByteArray> echange(const QByteArray& ligne, int attenteMs, qint64 longueurMax);
    VerrouInstance verrou;
    bool verrouPris = false;
    std::unique_ptr<ServeurDemandes> serveur_;  // gone before the lock: no other clock listens yet
    QString raisonDemande_;
};
