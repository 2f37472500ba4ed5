#pragma once
// The start-at-login entry (API_Démarre) and the settings window's add and remove routines.

#include <QString>

void InscritDemarre(const QString& nom, const QString& commande);  // throws ErreurDemarrage
void EffaceDemarre(const QString& nom);                            // throws ErreurDemarrage
bool TesteDemarre(const QString& nom);

// Add / remove the entry for this program; on failure the "Erreur N°" box. Return whether the entry
// is in place afterwards, so the caller can show the real state.
bool AjouteDémarre();
bool RetireDémarre();
