#pragma once
// The program's shared state: one instance for the whole run, read and written directly by every
// window and module.

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>

// The silent hours, in minutes since midnight: from `debut` (included) to `fin` (excluded), across
// midnight when `debut` comes later; none when they are equal or the switch is off.
struct HeuresSilence {
    bool actif = false;
    int16_t debut = 22 * 60;
    int16_t fin = 7 * 60;
};

// One of the six daily alarms: a time of day and three actions, each with its own switch.
struct Alarme {
    // 0 to 23 and 0 to 59 through the editor; a value from the file is kept as it is, and one out
    // of range never matches the clock.
    int16_t Heure = 0;
    int16_t Minute = 0;
    bool Active = false;      // the ringing: Son is played and the clock comes back on screen
    bool Message = false;     // the memo window shows Texte
    bool Appli = false;       // Exe is started
    QString Exe;              // empty: no program chosen
    QString Son;              // empty: the system's default sound
    QString Texte;            // the memo, line breaks CR LF as in its file
    bool MemoEnUtf8 = false;  // the memo file was read as UTF-8: it is written back so
    // The date and time, as the clock read them, that the alarm last rang for: a clock set back
    // (the autumn change) shows the same minute twice, and it rings once. Kept in the run record,
    // so that a restart does not ring it again either.
    QDateTime SonneePour;
    // The days it rings, bit 0 Monday to bit 6 Sunday; or, when valid, the one date it rings on.
    uint8_t Jours = 0x7F;
    QDate Date;
    int16_t Repete = 10;  // put off, it rings again after this many minutes (1 to 60)
    int16_t Sonne = 0;    // 0: its sound plays once; 1 to 30: it rings until stopped, at most so many minutes
    // Put off: when it rings again; invalid when it is not put off.
    QDateTime RepeteA;
};

inline constexpr int16_t NombreAlarmes = 6;

struct EtatProgramme {
    QString CheminAppli;        // the program's own folder (settings, memos, help)
    QString DossierWindows;     // system tools folder, ends with a separator
    QString DossierProgrammes;  // installed programs folder, ends with a separator
    QString VersionTexte;       // "##0.00" with the locale's decimal separator

    QString TexteIni;         // the whole settings file, from load to close
    bool IniEnUtf8 = false;   // the settings file was read as UTF-8: it is written back so
    QString ImageFond;        // background picture path
    int16_t ErreurImage = 0;  // non-zero: the picture failed to load at start-up
    int16_t DéclencheAnnonce = 0;
    uint8_t Genre = 0;  // 0 male voice, 1 female voice
    bool ResteVisible = true;
    bool AutoDemarre = false;
    HeuresSilence Silence;  // no chime and no periodic announcement while they last
    int16_t Volume = 100;   // of every sound the clock plays, 0 to 100 in steps of 5
    // How the time is spoken, and when beside the periodicity.
    bool HeureCourante = false;     // everyday French ("deux heures et demie") instead of "14 heures 30"
    bool AnnonceDemarrage = false;  // the time said after the start clip
    bool AnnonceReveil = false;     // the time said once after the computer wakes
    bool NePasDeranger = true;      // no chime nor announcement while the desktop says "do not disturb"
    bool SortieEveillee = false;    // the sound output kept open between sounds
    // The timer: the last length set (seconds), whether it says the time left as the end nears,
    // and its sound (a WAVE file; empty: the default alert).
    int32_t MinuteurDuree = 600;
    bool MinuteurAnnonces = true;
    QString MinuteurSon;

    // The hour and minute of the clock's last reading at the tick, and its date.
    int16_t HeureActuelle = 0;
    int16_t MinuteActuelle = 0;
    QDate JourActuel;

    // Alarm n, as the user, the settings keys and the memo files number it (1 to 6), is
    // Alarmes[n - 1]; everywhere else an alarm is its place in this array.
    std::array<Alarme, NombreAlarmes> Alarmes;

    int16_t AlarmeChoisie = 0;    // the alarm the editor shows
    int16_t AlarmeAffichée = -1;  // the alarm whose memo the memo window shows

    // The close sequence has begun: from here on no tick, announcement or alarm does anything.
    bool FermetureEnCours = false;
};

extern EtatProgramme Etat;
