#pragma once
// Keeps a window out of the desktop's task list (the EWMH skip-taskbar state on X11).
// A no-op where the windowing system has no such notion or is not X11.

class QWidget;

// Call with the window created (winId valid): before it is mapped (from showEvent) and whenever
// the wish changes while it is on screen.
void ExclutDeLaListeDesTaches(QWidget* fenetre, bool exclure);
