#pragma once
// A timer's length as people type it, and as the clock shows it.

#include <QString>
#include <QTime>
#include <optional>

// The longest timer: the hours are said with the clips of the hours of the day.
inline constexpr int kDureeMaxMinuteur = 24 * 3600 - 1;

// "25" (minutes), "25m", "90s", "1h30", "1h30m15s", "1:30:00" (h:mm:ss) or "12:30" (mm:ss), in
// seconds; nothing for anything else, or for a length outside 1 s to 23:59:59.
std::optional<int> LitDureeMinuteur(const QString& texte);
// "HH:MM", a time of day; nothing for anything else.
std::optional<QTime> LitHeureMinuteur(const QString& texte);

// The time left as the window and the tooltip show it: "12:34", "1:02:03".
QString TexteRestant(int secondes);
// The length in words for a line of text: "2 h 5 min", "90 s" reads "1 min 30 s".
QString TexteDuree(int secondes);
