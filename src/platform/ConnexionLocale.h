#pragma once
// Both ends of the local socket through which other starts reach the running clock: one request
// line in, one answer line out. On POSIX a Unix socket watched by the event loop: Qt's network
// library would bring some ten libraries for the dynamic loader to load at every start, before
// the icon, for this alone. On Windows, QLocalSocket.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

class QLocalSocket;
class QSocketNotifier;

// One connection the running clock has accepted. It emits `lisible` when bytes come in and
// `fermee` once it is closed, from either end.
class ConnexionLocale : public QObject {
    Q_OBJECT
public:
#ifdef Q_OS_WIN
    ConnexionLocale(QLocalSocket* socket, QObject* parent);
#else
    // Takes the connected, non-blocking descriptor.
    ConnexionLocale(int descripteur, QObject* parent);
#endif
    ~ConnexionLocale() override;
    bool ouverte() const;
    // Connected, and no whole line has come in yet, read or not.
    bool sansDemande() const;
    bool ligneRecue() const;
    qint64 octetsRecus() const;
    // The first line, its end included, cut at `longueurMax` bytes.
    QByteArray litLigne(qint64 longueurMax);
    void repondEtFerme(const QByteArray& reponse);
    void coupe();

signals:
    void lisible();
    void fermee();

private:
#ifdef Q_OS_WIN
    QLocalSocket* socket_;
#else
    void lit();
    int descripteur_;
    QSocketNotifier* lecture_;
    QByteArray recu_;
#endif
};

// Connects to the clock listening at `chemin`, sends `ligne` and gives the line it answers (its
// end included, cut at `longueurMax` bytes). Waits at most 200 ms to connect and a second for
// each part of the answer; on failure says why in *raison, in French.
std::optional<QByteArray> EchangeLocal(const QString& chemin, const QByteArray& ligne, qint64 longueurMax,
                                       QString* raison);
