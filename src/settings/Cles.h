#pragma once
// The settings file's keys as tables: each key bound to the value it holds in the program, so that
// the load and the close read and write the same keys, each spelled once. Adding a setting is one
// line of a table.

#include "settings/TexteIni.h"
#include "state/Etat.h"

#include <QColor>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// How a kind of value is written in the settings file and read back.
template <class T>
struct Sorte {
    // The value of a key every file has: a key that is missing, or whose value does not convert,
    // is reported and ends the program (throws FinProgramme).
    T (*lit)(const QString& cle);
    // A value text, converted; nothing when it does not convert.
    std::optional<T> (*convertit)(const QString& texte);
    QString (*texte)(const T& valeur);
};

namespace Sortes {
extern const Sorte<int16_t> Entier16;
extern const Sorte<uint8_t> Octet;
extern const Sorte<bool> Booleen;           // written in the system's words (Vrai, True)
extern const Sorte<bool> BooleenEnChiffre;  // read as a boolean, written 1 or 0
extern const Sorte<double> Simple;          // single precision, the system's decimal separator
extern const Sorte<QColor> Couleur;         // red + 256 x green + 65536 x blue
extern const Sorte<QString> Texte;          // the characters as they stand, blanks included
extern const Sorte<int16_t> HeureMinute;    // "hh:mm", as minutes since midnight
extern const Sorte<int16_t> Volume;         // 0 to 100, to the nearest step of 5
extern const Sorte<uint8_t> Jours;          // seven "1" or "0", Monday first: bit 0 is Monday
extern const Sorte<QDate> Date;             // "aaaa-mm-jj", or empty for none
extern const Sorte<int16_t> RepeteMn;       // 1 to 60
extern const Sorte<int16_t> SonneMn;        // 0 to 30
extern const Sorte<int32_t> Secondes;       // a length of 1 s to 23:59:59, in seconds
}  // namespace Sortes

// One key, bound to the value it holds: what the load and the close do with it.
struct Cle {
    QString nom;
    std::function<void()> lit;    // from Etat.TexteIni into the value
    std::function<void()> ecrit;  // from the value into Etat.TexteIni
};

// A key every settings file has (EcritINI, ValeurIni: a missing one ends the program).
template <class T>
Cle Lien(const QString& nom, const Sorte<T>& sorte, T& valeur) {
    const Sorte<T>* s = &sorte;
    return {nom, [=, &valeur] { valeur = s->lit(nom); }, [=, &valeur] { EcritINI(nom, s->texte(valeur)); }};
}

// A key added after files were already in use: a file without it, or with a value of it that does
// not convert, gets `defaut`, said nowhere, and the close writes it back, in its line or appended
// at the end of the text (EcritINIFacultative).
template <class T>
Cle Lien(const QString& nom, const Sorte<T>& sorte, T& valeur, T defaut) {
    const Sorte<T>* s = &sorte;
    return {nom,
            [=, &valeur] {
                const std::optional<QString> texte = ValeurFacultative(Etat.TexteIni, nom);
                const std::optional<T> v = texte ? s->convertit(*texte) : std::nullopt;
                valeur = v.value_or(defaut);
            },
            [=, &valeur] { EcritINIFacultative(nom, s->texte(valeur)); }};
}

// The same for a key most files never need (the timer's): written back only when the file has it
// or its value is no longer the default, so that the file of a user who never set it keeps every byte.
template <class T>
Cle LienDiscret(const QString& nom, const Sorte<T>& sorte, T& valeur, T defaut) {
    Cle c = Lien(nom, sorte, valeur, defaut);
    c.ecrit = [nom, ecrit = c.ecrit, &valeur, defaut] {
        if (!(valeur == defaut) || ValeurFacultative(Etat.TexteIni, nom))
            ecrit();
    };
    return c;
}

// In the table's order, which decides the fault reported first.
void LitCles(const std::vector<Cle>& cles);
void EcritCles(const std::vector<Cle>& cles);
