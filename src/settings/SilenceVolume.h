#pragma once
// The silent hours and the volume in the settings file: keys added after files were already in
// use, so a file without them, or with a value of theirs that does not convert, starts with their
// defaults (those of Etat) and gets them written back at the close, nothing reported. Their table
// is ClesAjoutees() (settings/Reglages.h).
//   silence_actif  boolean        silence_debut, silence_fin  "hh:mm"        volume  0 to 100

#include <QString>
#include <cstdint>
#include <optional>

// 0 to 100, to the nearest step of 5 (52 gives 50); nothing for anything else.
std::optional<int16_t> ConvertitVolume(const QString& texte);

// The volume the settings file holds, read without loading it (the start clip plays before the
// load); the default when the file or the key can't be read.
int16_t VolumeDuFichier();
