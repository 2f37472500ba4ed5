#pragma once
#include <QString>

// The rest of the desktop: folders, the help viewer, the single-instance rule, ending the process.
class Bureau {
public:
    virtual ~Bureau() = default;
    virtual QString dossierProgramme() const = 0;   // folder of the running executable
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
    // Ends the event loop and the process with `code`; returns to let the caller unwind.
    virtual void quitte(int code) = 0;
};
