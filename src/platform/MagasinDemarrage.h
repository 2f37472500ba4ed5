#pragma once
#include <QString>
#include <optional>

// Where the start-at-login entry lives (an XDG autostart file on Linux, the Run key on Windows).
// Operations report failure with a non-zero error number and a description.
class MagasinDemarrage {
public:
    struct Resultat {
        int numero = 0;
        QString description;
        bool ok() const { return numero == 0; }
    };
    virtual ~MagasinDemarrage() = default;
    // The command stored under `nom`, or nothing when there is no such entry or it can't be read.
    virtual std::optional<QString> lit(const QString& nom) = 0;
    virtual Resultat ecrit(const QString& nom, const QString& commande) = 0;
    // Removing an entry that does not exist is a failure.
    virtual Resultat efface(const QString& nom) = 0;
    virtual bool fichierExiste(const QString& chemin) = 0;
};
