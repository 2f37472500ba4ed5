#include "clock/EtiquetteHeure.h"

#include <QPainter>
#include <QStyle>

EtiquetteHeure::EtiquetteHeure(const QString& texte, QWidget* parent) : QLabel(texte, parent) {}

void EtiquetteHeure::paintEvent(QPaintEvent*) {
    const qreal dpr = devicePixelRatioF();
    const QColor encre = palette().color(foregroundRole());
    if (rendu_.isNull() || rendu_.deviceIndependentSize() != QSizeF(size()) || rendu_.devicePixelRatio() != dpr ||
        texteRendu_ != text() || policeRendue_ != font() || encreRendue_ != encre) {
        rendu_ = QPixmap((QSizeF(size()) * dpr).toSize());
        rendu_.setDevicePixelRatio(dpr);
        rendu_.fill(Qt::transparent);
        QPainter c(&rendu_);
        c.setFont(font());
        // As the label draws plain text: its contents less its margin, in its alignment.
        const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
        style()->drawItemText(&c, r, int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                              isEnabled(), text(), foregroundRole());
        texteRendu_ = text();
        policeRendue_ = font();
        encreRendue_ = encre;
    }
    // The painter is already clipped to the part asked for.
    QPainter(this).drawPixmap(0, 0, rendu_);
}
