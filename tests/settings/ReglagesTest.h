#pragma once
// A settings file in a temporary program folder, with the test doubles installed.

#include "state/Etat.h"
#include "state/FinProgramme.h"
#include "settings/TexteIni.h"
#include "support/Doubles.h"
#include "support/Fichiers.h"

#include <QDir>
#include <QTemporaryDir>
#include <functional>

class AvecFichierIni : public AvecPlateforme {
protected:
    AvecFichierIni() { Etat.CheminAppli = dossier.path(); }
    void ecritIni(const QByteArray& octets) { EcritOctets(CheminIni(), octets); }
    void charge(const QByteArray& octets) { ecritIni(octets), ChargeTexteIni(); }
    QByteArray ini() const { return LitOctets(CheminIni()); }
    // Names and sizes of the folder's files: shows that nothing was written.
    QStringList inventaire() const {
        QStringList l;
        for (const QFileInfo& f : QDir(dossier.path()).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot))
            l << f.fileName() + u':' + QString::number(f.size());
        return l;
    }
    // Runs `f`, which must end the program after a beep, one modal critical box and a beep;
    // returns that box.
    DialoguesFactices::Boite finAttendue(const std::function<void()>& f) {
        const auto boites = dialogues.boites.size();
        const int bips = dialogues.bips;
        EXPECT_THROW(f(), FinProgramme);
        EXPECT_EQ(dialogues.bips - bips, 2);
        EXPECT_EQ(dialogues.boites.size(), boites + 1);
        if (dialogues.boites.size() == boites)
            return {};
        const auto b = dialogues.boites.back();
        EXPECT_TRUE(b.icone == Dialogues::Icone::Critique && b.modale);
        return b;
    }
    QTemporaryDir dossier;
};
