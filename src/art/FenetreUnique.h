#pragma once
// A window the program shows at most once: asked for again while it is open, the open one comes
// forward instead of a second one; Escape closes it as its close box does.

#include <QPointer>
#include <QWidget>

// How a window already open comes forward: raised and given the keyboard, as a window the user
// asked for; or only raised, so that a window the program shows by itself (an alarm's memo) does
// not take the keys from what the user is typing.
enum class Ramene { AvecClavier, SansClavier };

// Brings forward the window `ouverte` points to when it is open; otherwise shows the one `cree`
// builds and loads, and keeps it in `ouverte`. A window just closed waits to be deleted: it is
// not the open one. Returns the open window.
template <class Fenetre, class Cree>
Fenetre* OuvreUneFois(QPointer<Fenetre>& ouverte, Cree cree, Ramene ramene = Ramene::AvecClavier) {
    if (ouverte && !ouverte->isHidden()) {
        ouverte->raise();
        if (ramene == Ramene::AvecClavier)
            ouverte->activateWindow();
        return ouverte;
    }
    // Shown, not raised: a chooser that its load step opened stays above it. A window modal for
    // the user takes the keyboard as it appears.
    ouverte = cree();
    ouverte->show();
    return ouverte;
}

// Escape closes `fenetre` as its close box does.
void FermeParEchap(QWidget* fenetre);
