#pragma once
#include <QString>
#include <functional>
#include <optional>

// The rest of the desktop: folders, the help viewer, the single-instance rule, ending the process.
class Bureau {
public:
    virtual ~Bureau() = default;
    virtual QString dossierProgramme() const = 0;  // folder of the running executable
    // The user's own settings folder (it may not exist yet).
    virtual QString dossierUtilisateur() const = 0;
    // The files installed with the program for every user: default settings, memos, help.
    virtual QString dossierDonnees() const = 0;
    virtual QString nomExecutable() const = 0;      // file name (without ".exe" on Windows)
    virtual QString dossierSysteme() const = 0;     // system tools, ends with a separator
    virtual QString dossierProgrammes() const = 0;  // installed programs, ends with a separator
    virtual void ouvreAide(const QString& chemin) = 0;
    // True when no other instance runs; the lock is held until the process ends.
    virtual bool prendInstanceUnique() = 0;
    // What another start of the program asks of the clock that runs for the same user.
    enum class Demande { Montre, DitHeure, DitDate, ArreteAlarme, RepousseAlarme };
    // Once the instance is ours: the requests of other starts reach `traite` from the event loop.
    virtual void ecouteDemandes(std::function<void(Demande)> traite) = 0;
    // Hands `demande` to the clock that runs for this user, trying for up to `attenteMs` while it
    // may still be starting. False when none took it.
    virtual bool envoieDemande(Demande demande, int attenteMs) = 0;
    // A command line for the clock that runs (the timer's: "minuteur 25"), answered with one line
    // of text; nothing when no clock took it.
    virtual std::optional<QString> envoieCommande(const QString& ligne) { return std::nullopt; }
    // Where the listening clock hands the command lines it does not know itself; its answer goes
    // back (empty: the line is refused).
    std::function<QString(const QString& ligne)> surCommande;
    // Ends the event loop and the process with `code`; returns to let the caller unwind.
    virtual void quitte(int code) = 0;
};
