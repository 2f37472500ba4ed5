#pragma once
// How the settings file writes and reads numbers and booleans. Decimal separator and boolean words
// follow the default QLocale (the system's unless the program or a test sets another); digits and
// the minus sign are always ASCII, so any system reads what another wrote with the same separator.

#include <QString>
#include <cstdint>
#include <optional>

// A decimal number with blanks around it, rounded to the nearest whole number (halves to the even
// neighbour); nothing when it is not a number or falls outside [min, max].
std::optional<int64_t> ConvertitEntier(const QString& texte, int64_t min, int64_t max);
// A decimal number that a single-precision value can hold, rounded to single precision.
std::optional<double> ConvertitSimple(const QString& texte);
// A number (true when not zero) or one of True/False/Vrai/Faux in any letter case; blanks around
// it are ignored, so " Vrai" (what a "key = Vrai" line gives) is true.
std::optional<bool> ConvertitBooleen(const QString& texte);

// "hh:mm" (the hour may have one digit; blanks around it are ignored) as minutes since midnight,
// 00:00 to 23:59; nothing for anything else.
std::optional<int> ConvertitHeureMinute(const QString& texte);
// Minutes since midnight as "hh:mm".
QString TexteHeureMinute(int minutes);

// The decimal separator of the file: the system's when it is "," or ".", otherwise ".".
QChar SeparateurDecimal();

// The shortest text (at most 7 significant digits) of the single-precision value, with
// SeparateurDecimal(); whole numbers have no decimal part.
QString TexteSimple(double valeur);
// "Vrai"/"Faux" in French, "True"/"False" otherwise.
QString TexteBooleen(bool valeur);
