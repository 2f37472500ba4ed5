#pragma once
// Where the running clock keeps its single-instance lock and, beside it, the socket through which
// other starts reach it.

#include <QString>
#include <memory>

class QLockFile;

// Whether `chemin` is a folder of this user's alone (created when absent): a real directory, not a
// link, owned by the user, closed to everyone else, writable. Anything else could let another user
// hold or follow what the program puts there, or keep the clock from starting; *raison then says
// why, in French.
bool DossierPrive(const QString& chemin, QString* raison);

// The first private folder of: the session's runtime folder, <temporary folder>/quentor-<uid>,
// <cache>/quentor, where the socket's path is short enough for a Unix socket. Chosen once: the lock and the socket share it, and the console hears once, in
// one line, why a folder was passed over. Empty when none will do.
QString DossierInstance();

// The socket's path, or empty with *raison when it cannot be used: no private folder (or no
// longer one).
QString CheminSocket(QString* raison);

// The lock that says a clock runs for this user. On Unix a lock of the kernel's on an open file,
// released when its holder ends however it ends: it never outlives its clock, so whatever the file
// holds (nothing after a power loss, another program's bytes) says nothing about a clock.
class VerrouInstance {
public:
    enum class Issue { Pris, TenuParUneHorloge, Inutilisable };
    VerrouInstance();
    ~VerrouInstance();
    // What is in the lock's place and is not a plain file of the user's (a link, a file another
    // user put there) is replaced; *raison says why when the lock cannot be used at all.
    Issue prend(const QString& chemin, QString* raison);

private:
#ifdef Q_OS_WIN
    std::unique_ptr<QLockFile> fichier;
#else
    int descripteur = -1;
#endif
};
