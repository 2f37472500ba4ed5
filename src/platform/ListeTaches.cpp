#include "platform/ListeTaches.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef QUENTOR_AVEC_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstring>
#include <vector>

namespace {

xcb_atom_t Atome(xcb_connection_t* c, const char* nom) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(nom)), nom), nullptr);
    if (!r)
        return XCB_ATOM_NONE;
    const xcb_atom_t a = r->atom;
    free(r);
    return a;
}

// Rewrites _NET_WM_STATE of an unmapped window, keeping the other states it holds.
void EcritEtatNonAffiche(xcb_connection_t* c, xcb_window_t w, xcb_atom_t etat, xcb_atom_t saut, bool exclure) {
    std::vector<xcb_atom_t> atomes;
    xcb_get_property_reply_t* r =
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, etat, XCB_ATOM_ATOM, 0, 64), nullptr);
    if (r) {
        if (r->format == 32 && r->type == XCB_ATOM_ATOM) {
            auto* d = static_cast<xcb_atom_t*>(xcb_get_property_value(r));
            atomes.assign(d, d + xcb_get_property_value_length(r) / 4);
        }
        free(r);
    }
    std::erase(atomes, saut);
    if (exclure)
        atomes.push_back(saut);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, etat, XCB_ATOM_ATOM, 32, uint32_t(atomes.size()), atomes.data());
}

// Asks the window manager to change the state of a mapped window (EWMH client message).
void DemandeEtat(xcb_connection_t* c, xcb_window_t w, xcb_atom_t etat, xcb_atom_t saut, bool exclure) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    xcb_screen_t* ecran = xcb_setup_roots_iterator(setup).data;
    if (!ecran)
        return;
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = w;
    ev.type = etat;
    ev.data.data32[0] = exclure ? 1 : 0;  // _NET_WM_STATE_ADD / _REMOVE
    ev.data.data32[1] = saut;
    ev.data.data32[3] = 1;  // from a normal application
    xcb_send_event(c, 0, ecran->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
}

}  // namespace

void ExclutDeLaListeDesTaches(QWidget* fenetre, bool exclure) {
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection() || !fenetre || !fenetre->windowHandle())
        return;
    xcb_connection_t* c = x11->connection();
    const auto w = xcb_window_t(fenetre->winId());
    const xcb_atom_t etat = Atome(c, "_NET_WM_STATE");
    const xcb_atom_t saut = Atome(c, "_NET_WM_STATE_SKIP_TASKBAR");
    if (etat == XCB_ATOM_NONE || saut == XCB_ATOM_NONE)
        return;
    // The window manager reads the property when it maps the window and takes the message once it
    // manages it; each is ignored in the other case, so both are sent.
    EcritEtatNonAffiche(c, w, etat, saut, exclure);
    DemandeEtat(c, w, etat, saut, exclure);
    xcb_flush(c);
}

#else

void ExclutDeLaListeDesTaches(QWidget*, bool) {}

#endif
