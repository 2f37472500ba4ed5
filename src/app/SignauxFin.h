#pragma once
#include <functional>

// Runs `fermeture` from the event loop when the process receives SIGTERM, SIGINT or SIGHUP
// (logoff and shutdown reach a Linux program that way), so the settings are saved.
void InstalleSignauxFin(std::function<void()> fermeture);
