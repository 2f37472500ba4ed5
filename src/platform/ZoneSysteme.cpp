#include "platform/ZoneSysteme.h"

#include <QGuiApplication>
#include <QMenu>
#include <QSystemTrayIcon>

#ifdef QUENTOR_AVEC_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

namespace {

// Sends what is queued for the X server now rather than when the event loop next waits: the
// host docks the icon while the program goes on with its start.
void EnvoieAuServeurX() {
#ifdef QUENTOR_AVEC_XCB
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>(); x11 && x11->connection())
        xcb_flush(x11->connection());
#endif
}

}  // namespace

int CodeNotification(int raison) {
    switch (raison) {
    case QSystemTrayIcon::Trigger: return ZoneNotification::GaucheRelache;
    case QSystemTrayIcon::DoubleClick: return ZoneNotification::GaucheDouble;
    // Qt opens the context menu itself; the code still reaches the clock, which then only
    // shows its toolbar.
    case QSystemTrayIcon::Context: return ZoneNotification::DroitRelache;
    case QSystemTrayIcon::MiddleClick: return ZoneNotification::MilieuRelache;
    default: return 0;
    }
}

ZoneSysteme::ZoneSysteme() = default;
ZoneSysteme::~ZoneSysteme() = default;

bool ZoneSysteme::disponible() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

void ZoneSysteme::ajoute(const QIcon& icone, const QString& bulle, QMenu* menu) {
    if (!icone_) {
        icone_ = std::make_unique<QSystemTrayIcon>();
        QObject::connect(icone_.get(), &QSystemTrayIcon::activated, icone_.get(),
                         [this](QSystemTrayIcon::ActivationReason r) {
                             const int code = CodeNotification(r);
                             if (code && surNotification)
                                 surNotification(code);
                         });
    }
    icone_->setIcon(icone);
    icone_->setToolTip(bulle);
    icone_->setContextMenu(menu);
    // Away from X11 the only notification area Qt knows is the D-Bus one, which is there from the
    // start or not at all: without it an icon would wait in vain.
    if (disponible() || QGuiApplication::platformName() == QLatin1String("xcb")) {
        icone_->show();
        EnvoieAuServeurX();
    }
}

void ZoneSysteme::changeBulle(const QString& bulle) {
    if (icone_)
        icone_->setToolTip(bulle);
}

void ZoneSysteme::retire() {
    if (icone_)
        icone_->hide();
}
