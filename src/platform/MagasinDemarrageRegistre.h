#pragma once
// Start at log-on on Windows: a string value in the machine-wide Run key.

#include <QtGlobal>

#ifdef Q_OS_WIN
#include "platform/MagasinDemarrage.h"

class MagasinDemarrageRegistre : public MagasinDemarrage {
public:
    std::optional<QString> lit(const QString& nom) override;
    Resultat ecrit(const QString& nom, const QString& commande) override;
    Resultat efface(const QString& nom) override;
    bool fichierExiste(const QString& chemin) override;
};
#endif
