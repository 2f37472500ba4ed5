#pragma once
#include <functional>

// SIGTERM, SIGINT and SIGHUP (how logoff and shutdown reach a Linux program), caught from the
// first instant. Until `FermetureSurSignal` is called there is nothing to save, and a signal ends
// the process at once with status 0; from then on it runs `fermeture` from the event loop.
void InstalleSignauxFin();
void FermetureSurSignal(std::function<void()> fermeture);
