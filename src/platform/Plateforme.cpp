#include "platform/Plateforme.h"

namespace {
Plateforme installee;
}

Plateforme& PF() { return installee; }

void InstallePlateforme(const Plateforme& p) { installee = p; }
