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
    void charge(const QByteArray& octets) {
        ecritIni(octets);
        ChargeTexteIni();
    }
    QByteArray ini() const { return LitOctets(CheminIni()); }
    // Runs `f`, which must end the program after a beep, one modal critical box and a beep;
    // returns that box.
    DialoguesFactices::Boite finAttendue(const std::function<void()>& f) {
        const auto boites = dialogues.boites.size();
        const int bips = dialogues.bips;
        EXPECT_THROW(f(), FinProgramme);
        EXPECT_TRUE(dialogues.bips == bips + 2 && dialogues.boites.size() == boites + 1);
        const auto b = dialogues.boites.size() > boites ? dialogues.boites.back() : DialoguesFactices::Boite{};
        EXPECT_TRUE(b.icone == Dialogues::Icone::Critique && b.modale);
        return b;
    }
    QTemporaryDir dossier;
};
