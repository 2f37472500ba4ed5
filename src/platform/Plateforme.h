#pragma once
// Every call the program makes to the outside world goes through one of these interfaces.
// main() installs the real implementations; tests install doubles.

#include "platform/Bureau.h"
#include "platform/Dialogues.h"
#include "platform/Horloge.h"
#include "platform/Lanceur.h"
#include "platform/MagasinDemarrage.h"
#include "platform/NePasDeranger.h"
#include "platform/Notifications.h"
#include "platform/SortieSon.h"
#include "platform/ZoneNotification.h"

struct Plateforme {
    Horloge* horloge = nullptr;
    SortieSon* son = nullptr;
    Lanceur* lanceur = nullptr;
    MagasinDemarrage* demarrage = nullptr;
    Dialogues* dialogues = nullptr;
    Bureau* bureau = nullptr;
    ZoneNotification* notification = nullptr;
    Notifications* notifications = nullptr;  // none: no desktop notifications
    NePasDeranger* nePasDeranger = nullptr;  // none: the desktop never asks for quiet
};

// The installed platform. Installing copies the pointers; the objects must outlive their use.
Plateforme& PF();
void InstallePlateforme(const Plateforme& p);
