#pragma once
// Whole-file reads and atomic whole-file writes of the program's text files, with the reason of a
// failure in French (the caller names the file to the user).

#include <QString>

struct LectureTexte {
    enum class Etat { Lu, Absent, Illisible };
    Etat etat = Etat::Lu;
    QString texte;      // decoded (Windows-1252, or UTF-8 behind a byte-order mark)
    bool utf8 = false;  // it was UTF-8: write it back so
    QString raison;     // why it could not be read
};
LectureTexte LitFichierTexte(const QString& chemin);

// Writes through a temporary file renamed over the old one: on failure the old file is untouched.
// Returns an empty text, or "Le fichier « chemin » n'a pas pu être enregistré : raison.".
// `utf8`: the file was read as UTF-8 (see EncodeFichierTexte).
QString EcritFichierTexte(const QString& chemin, const QString& texte, bool utf8 = false);
