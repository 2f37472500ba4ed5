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

    // The bare path when the entry's Exec is exactly what ecrit() writes; any other Exec (quoted
    // otherwise, with arguments) comes back as written, which names no file. Nothing when there is
    // no entry, it is unreadable, or it is switched off (Hidden=true,
    // X-GNOME-Autostart-enabled=false).
    std::optional<QString> lit(const QString& nom) override;
    // Written through a temporary file renamed over the old one.
    Resultat ecrit(const QString& nom, const QString& commande) override;
    Resultat efface(const QString& nom) override;
    // An absolute path to an existing file.
    bool fichierExiste(const QString& chemin) override;
};
