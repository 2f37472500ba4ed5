#pragma once
// The start-at-login entry (API_Démarre) and the settings window's add and remove routines.

#include <QString>

// A change of the entry that the store refused: its error number and description.
struct ErreurDemarrage {
    int numero = 0;
    QString description;
};

void InscritDemarre(const QString& nom, const QString& commande);  // throws ErreurDemarrage
void EffaceDemarre(const QString& nom);                            // throws ErreurDemarrage
// True when an entry `nom` is stored and names an existing file; any failure gives false.
bool TesteDemarre(const QString& nom);

// The entry's command for this program: its folder, a separator, its name (".exe" on Windows).
QString CommandeDemarrage();

// Add / remove the entry for this program; on failure the "Erreur N°" box. Return whether the entry
// is in place afterwards, so the caller can show the real state.
bool AjouteDémarre();
bool RetireDémarre();
