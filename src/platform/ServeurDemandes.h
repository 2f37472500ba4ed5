#pragma once
// The listening end of the socket through which other starts reach the running clock.

#include <QObject>
#include <QPointer>
#include <QString>
#include <deque>
#include <functional>

class ConnexionLocale;
class QLocalServer;
class QSocketNotifier;

// It listens as long as the clock runs: a connection that cannot be taken (the process is out of
// file descriptors) costs the oldest connection still waiting, not the socket, and no more than
// `Borne` wait at once.
class ServeurDemandes {
public:
    static constexpr int Borne = 32;
    // `accueille` gets each connection, with the server's object as parent.
    explicit ServeurDemandes(std::function<void(ConnexionLocale*)> accueille);
    ~ServeurDemandes();
    // Listens at `chemin`. What is already there goes only if it is a socket (a clock that ended
    // without removing it); anything else stays, and *raison says why the socket is not used.
    bool ecoute(const QString& chemin, QString* raison);

private:
    void accepte();
    void ajoute(ConnexionLocale* client);
    bool lacheLePlusAncien();

    std::function<void(ConnexionLocale*)> accueille_;
    QObject racine;
    std::deque<QPointer<ConnexionLocale>> enAttente;
#ifdef Q_OS_WIN
    QLocalServer* serveur = nullptr;
#else
    int descripteur = -1;
    QString chemin_;
    QSocketNotifier* notification = nullptr;
    bool epuisementDit = false;
#endif
};
