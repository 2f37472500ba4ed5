#pragma once
// Start at login on Linux desktops: an autostart desktop entry
// $XDG_CONFIG_HOME/autostart/<nom>.desktop (~/.config when the variable is unset), read at log-on by
// GNOME, KDE, Xfce, LXQt and the others.

#include "platform/MagasinDemarrage.h"

class MagasinDemarrageXdg : public MagasinDemarrage {
public:
    // Read at every operation, so the store follows the environment it runs in.
    static QString dossierAutostart();
    static QString cheminEntree(const QString& nom);
    // The Exec value that starts `commande` (quoted and escaped only when it needs it).
    static QString valeurExec(const QString& commande);

    // The bare program path when the entry's Exec is exactly what ecrit() writes for it. Nothing
    // when there is no entry, it is unreadable, it is switched off (Hidden=true,
    // X-GNOME-Autostart-enabled=false), or its Exec is any other command line (quoted otherwise,
    // with arguments or field codes): such an entry is not this program's start-up entry.
    std::optional<QString> lit(const QString& nom) override;
    // Written through a temporary file renamed over the old one.
    Resultat ecrit(const QString& nom, const QString& commande) override;
    Resultat efface(const QString& nom) override;
    // An absolute path to an existing file.
    bool fichierExiste(const QString& chemin) override;
};
