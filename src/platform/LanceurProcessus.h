#pragma once
// Starts an alarm's program by its path as it stands (spaces allowed, no shell, no arguments),
// without waiting for it.

#include "platform/Lanceur.h"

class LanceurProcessus : public Lanceur {
public:
    Erreur lance(const QString& chemin) override;
};
