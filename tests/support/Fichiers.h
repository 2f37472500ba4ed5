#pragma once
// Small file and environment helpers for tests that work on real files in a temporary folder.

#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QString>
#include <csignal>
#include <stdexcept>
#include <sys/resource.h>

// Whole at once: libfaketime (Debian 13's ends the process) may read its timestamp file at any time.
inline void EcritOctets(const QString& chemin, const QByteArray& octets) {
    QSaveFile f(chemin);
    if (!f.open(QIODevice::WriteOnly) || f.write(octets) != octets.size() || !f.commit())
        throw std::runtime_error("écriture de test impossible");
}

inline QByteArray LitOctets(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

// Sets an environment variable for the life of the object, then puts the old value back.
class VariableTemporaire {
public:
    VariableTemporaire(const char* nom, const QByteArray& valeur)
        : nom_(nom), avait_(qEnvironmentVariableIsSet(nom)), ancienne_(qgetenv(nom)) {
        qputenv(nom, valeur);
    }
    ~VariableTemporaire() { avait_ ? void(qputenv(nom_, ancienne_)) : void(qunsetenv(nom_)); }

private:
    const char* nom_;
    bool avait_;
    QByteArray ancienne_;
};

// Pins the default locale for the life of the object.
struct LocaleTemporaire {
    explicit LocaleTemporaire(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleTemporaire() { QLocale::setDefault(ancienne); }
    QLocale ancienne;
};

// Files can't grow past `octets` for the life of the object: writes fail half way, as on a full disk.
struct DisquePlein {
    explicit DisquePlein(rlim_t octets) : signal(std::signal(SIGXFSZ, SIG_IGN)) {
        rlimit petite{octets, avant.rlim_max};
        setrlimit(RLIMIT_FSIZE, &petite);
    }
    ~DisquePlein() { setrlimit(RLIMIT_FSIZE, &avant), std::signal(SIGXFSZ, signal); }
    void (*signal)(int);
    rlimit avant = [] {
        rlimit r{};
        getrlimit(RLIMIT_FSIZE, &r);
        return r;
    }();
};
