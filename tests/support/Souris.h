#pragma once
// Synthetic mouse input for widget tests (offscreen platform, no QTest).

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

inline void EnvoieSouris(QWidget* w, QEvent::Type type, Qt::MouseButton bouton, QPoint ici = {2, 2}) {
    const Qt::MouseButtons tenus = type == QEvent::MouseButtonPress ? Qt::MouseButtons(bouton) : Qt::NoButton;
    QMouseEvent e(type, QPointF(ici), QPointF(w->mapToGlobal(ici)), bouton, tenus, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void Clique(QWidget* w, Qt::MouseButton bouton = Qt::LeftButton) {
    EnvoieSouris(w, QEvent::MouseButtonPress, bouton);
    EnvoieSouris(w, QEvent::MouseButtonRelease, bouton);
}

inline void Survole(QWidget* w, QPoint ici) { EnvoieSouris(w, QEvent::MouseMove, Qt::NoButton, ici); }
