#pragma once
// The program's shared state: one instance for the whole run, read and written directly by every
// window and module. Alarm arrays are indexed 1 to 6; element 0 is never used.

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

struct EtatProgramme {
    QString CheminAppli;        // the program's own folder (settings, memos, help)
    QString RetourLigne = QStringLiteral("\r\n");
    QString DossierWindows;     // system tools folder, ends with a separator
    QString DossierProgrammes;  // installed programs folder, ends with a separator
    QString VersionTexte;       // "##0.00" with the locale's decimal separator

    QString TexteIni;           // the whole settings file, from load to close
    bool IniEnUtf8 = false;     // the settings file was read as UTF-8: it is written back so
    QString ImageFond;          // background picture path
    int16_t ErreurImage = 0;    // non-zero: the picture failed to load at start-up
    int16_t DéclencheAnnonce = 0;
    uint8_t Genre = 0;          // 0 male voice, 1 female voice
    bool ResteVisible = true;
    bool AutoDemarre = false;
    HeuresSilence Silence;      // no chime and no periodic announcement while they last
    int16_t Volume = 100;       // of every sound the clock plays, 0 to 100 in steps of 5

    QString HeureActuelle = QStringLiteral("00");
    QString MinuteActuelle = QStringLiteral("00");
    QDate JourActuel;           // the date of the same reading

    std::array<int16_t, 7> AlarmeHeure{};
    std::array<int16_t, 7> AlarmeMinute{};
    std::array<bool, 7> AlarmeActive{};
    std::array<bool, 7> AlarmeMessage{};
    std::array<bool, 7> AlarmeAppli{};
    std::array<QString, 7> AlarmeExe;
    std::array<QString, 7> AlarmeSon;
    std::array<QString, 7> AlarmeTexte;
    std::array<bool, 7> MemoEnUtf8{};  // the memo file was read as UTF-8
    // The date and time, as the clock read them, that each alarm last rang for: a clock set back
    // (the autumn change) shows the same minute twice, and it rings once. Never stored.
    std::array<QDateTime, 7> AlarmeSonnéePour;

    int16_t AlarmeChoisie = 1;
    int16_t AlarmeAffichée = 0;

    // The close sequence has begun: from here on no tick, announcement or alarm does anything.
    bool FermetureEnCours = false;
};

extern EtatProgramme Etat;
