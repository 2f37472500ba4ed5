#pragma once
#include <QString>

// Starts a program by its path, without a shell and without waiting for it.
class Lanceur {
public:
    struct Erreur {
        int numero = 0;       // 0: started
        QString description;  // French text for the user
    };
    virtual ~Lanceur() = default;
    virtual Erreur lance(const QString& chemin) = 0;
};
