#pragma once
// Small file and environment helpers for tests that work on real files in a temporary folder.

#include <QByteArray>
#include <QFile>
#include <QLocale>
#include <QString>

inline void EcritOctets(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(octets) != octets.size())
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
    ~VariableTemporaire() {
        if (avait_)
            qputenv(nom_, ancienne_);
        else
            qunsetenv(nom_);
    }

private:
    const char* nom_;
    bool avait_;
    QByteArray ancienne_;
};

// Pins the default locale for the life of the object.
class LocaleTemporaire {
public:
    explicit LocaleTemporaire(const QLocale& l) : ancienne_(QLocale()) { QLocale::setDefault(l); }
    ~LocaleTemporaire() { QLocale::setDefault(ancienne_); }

private:
    QLocale ancienne_;
};
