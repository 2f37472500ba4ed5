"""The program's icon in the tray host's panel, looked for from inside the benchmark's own process
through libX11: a look costs tens of microseconds, where `xdotool` and `xwininfo` cost about 6 ms
of CPU on the two cores the programs measured start on, and so it can look every 2 ms."""
import ctypes

_X = ctypes.cdll.LoadLibrary("libX11.so.6")
_Window = ctypes.c_ulong
_X.XOpenDisplay.restype = ctypes.c_void_p
_X.XOpenDisplay.argtypes = [ctypes.c_char_p]
_X.XQueryTree.argtypes = [ctypes.c_void_p, _Window, ctypes.POINTER(_Window), ctypes.POINTER(_Window),
                          ctypes.POINTER(ctypes.POINTER(_Window)), ctypes.POINTER(ctypes.c_uint)]
_X.XGetGeometry.argtypes = ([ctypes.c_void_p, _Window, ctypes.POINTER(_Window)] + [ctypes.POINTER(ctypes.c_int)] * 2 +
                            [ctypes.POINTER(ctypes.c_uint)] * 4)
_X.XFree.argtypes = [ctypes.c_void_p]
_X.XCloseDisplay.argtypes = [ctypes.c_void_p]
_Handler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
# A window destroyed between two requests is no failure; the default handler would end the process.
_ignore = _Handler(lambda display, event: 0)
_X.XSetErrorHandler.argtypes = [_Handler]
_X.XSetErrorHandler(_ignore)


class SondeX11:
    """Asks what tests/e2e/harness.tray_icon asks: a window of 12 to 40 pixels a side anywhere
    under the panel."""

    def __init__(self, display, panel):
        self.display = _X.XOpenDisplay(display.encode())
        assert self.display, f"no X display {display}"
        self.panel = int(panel, 0)

    def enfants(self, fenetre):
        racine, parent, liste, n = _Window(), _Window(), ctypes.POINTER(_Window)(), ctypes.c_uint()
        if not _X.XQueryTree(self.display, fenetre, ctypes.byref(racine), ctypes.byref(parent), ctypes.byref(liste),
                             ctypes.byref(n)):
            return []
        enfants = [liste[i] for i in range(n.value)]
        if liste:
            _X.XFree(liste)
        return enfants

    def icone(self):
        a_voir = self.enfants(self.panel)
        racine, x, y = _Window(), ctypes.c_int(), ctypes.c_int()
        largeur, hauteur, bord, profondeur = (ctypes.c_uint() for _ in range(4))
        while a_voir:
            fenetre = a_voir.pop()
            if _X.XGetGeometry(self.display, fenetre, ctypes.byref(racine), ctypes.byref(x), ctypes.byref(y),
                               ctypes.byref(largeur), ctypes.byref(hauteur), ctypes.byref(bord),
                               ctypes.byref(profondeur)):
                if 12 <= largeur.value <= 40 and 12 <= hauteur.value <= 40:
                    return True
            a_voir.extend(self.enfants(fenetre))
        return False

    def ferme(self):
        _X.XCloseDisplay(self.display)
