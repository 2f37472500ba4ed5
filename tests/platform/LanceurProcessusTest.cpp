// Why an alarm's program could not start (the start itself is seen end to end).
#include "platform/LanceurProcessus.h"

#include "support/Fichiers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(LanceurProcessus, SaysWhyAProgramCannotStart) {
    QTemporaryDir d;
    EcritOctets(d.filePath(QStringLiteral("texte")), "#!/bin/sh\n");  // not executable
    LanceurProcessus l;
    for (auto [chemin, erreur] : {std::pair{d.filePath("absent"), "2 Fichier introuvable"}, {d.filePath("texte"), "13 Permission refusée"},
                                  {d.path(), "21 C'est un dossier, pas un programme"}}) {
        const auto e = l.lance(chemin);
        EXPECT_EQ(QString::number(e.numero) + u' ' + e.description, QString::fromUtf8(erreur));
    }
}
