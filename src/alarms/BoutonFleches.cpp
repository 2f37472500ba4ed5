#include "alarms/BoutonFleches.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>

namespace {

// First repeat after a pause long enough for a single click, then steady steps. A step held by
// its handler comes on top: the timer is re-armed only once the step has ended, so steps never
// pile up.
constexpr int DelaiPremiereRepetitionMs = 400;
constexpr int DelaiRepetitionMs = 50;

// Screen readers see a spin button: its name, the value it sets and two actions.
class AccesFleches : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccesFleches(BoutonFleches* b) : QAccessibleWidget(b, QAccessible::SpinBox) {}
    BoutonFleches* bouton() const { return static_cast<BoutonFleches*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QStringList actionNames() const override {
        return QAccessibleWidget::actionNames() << increaseAction() << decreaseAction();
    }
    void doAction(const QString& action) override {
        if (action == increaseAction())
            bouton()->pas(BoutonFleches::Fleche::Haut);
        else if (action == decreaseAction())
            bouton()->pas(BoutonFleches::Fleche::Bas);
        else
            QAccessibleWidget::doAction(action);
    }
    // Only the arrows change the value, one step at a time.
    QVariant currentValue() const override { return bouton()->valeur(); }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return bouton()->maximum(); }
    QVariant minimumValue() const override { return bouton()->minimum(); }
    QVariant minimumStepSize() const override { return 1; }
};

QAccessibleInterface* FabriqueAcces(const QString&, QObject* o) {
    if (auto* b = qobject_cast<BoutonFleches*>(o))
        return new AccesFleches(b);
    return nullptr;
}

}  // namespace

BoutonFleches::BoutonFleches(QWidget* parent) : QWidget(parent) {
    static const bool fabriqueInstallee = (QAccessible::installFactory(FabriqueAcces), true);
    (void)fabriqueInstallee;
    setFocusPolicy(Qt::StrongFocus);
    repetition_.setSingleShot(true);
    connect(&repetition_, &QTimer::timeout, this, [this] {
        if (tenue_ == Fleche::Aucune)
            return;
        // Off the arrow, the repeat waits for the pointer to come back.
        if (dessus_)
            emetPuisRearme(DelaiRepetitionMs);
        else
            repetition_.start(DelaiRepetitionMs);
    });
}

void BoutonFleches::setValeur(int valeur, int minimum, int maximum) {
    valeur_ = valeur;
    minimum_ = minimum;
    maximum_ = maximum;
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent e(this, valeur);
        QAccessible::updateAccessibility(&e);
    }
}

QRect BoutonFleches::zone(Fleche f) const {
    const int moitie = height() / 2;
    return f == Fleche::Haut ? QRect(0, 0, width(), moitie) : QRect(0, moitie, width(), height() - moitie);
}

BoutonFleches::Fleche BoutonFleches::flecheEn(QPoint p) const {
    if (zone(Fleche::Haut).contains(p))
        return Fleche::Haut;
    if (zone(Fleche::Bas).contains(p))
        return Fleche::Bas;
    return Fleche::Aucune;
}

void BoutonFleches::pas(Fleche f) {
    if (f == Fleche::Haut)
        emit SpinUp();
    else if (f == Fleche::Bas)
        emit SpinDown();
}

void BoutonFleches::emetPuisRearme(int delaiMs) {
    delaiSuivantMs_ = delaiMs;
    pas(tenue_);
    if (retenues_ == 0 && tenue_ != Fleche::Aucune)
        repetition_.start(delaiMs);
}

void BoutonFleches::retiensRepetition() { ++retenues_; }

void BoutonFleches::reprendRepetition() {
    // Released meanwhile, the arrow stays still.
    if (retenues_ > 0 && --retenues_ == 0 && tenue_ != Fleche::Aucune)
        repetition_.start(delaiSuivantMs_);
}

void BoutonFleches::appuie(Fleche f) {
    if (f == Fleche::Aucune)
        return;
    tenue_ = f;
    dessus_ = true;
    repaint();
    emetPuisRearme(DelaiPremiereRepetitionMs);
}

void BoutonFleches::relache() {
    if (tenue_ == Fleche::Aucune)
        return;
    tenue_ = Fleche::Aucune;
    repetition_.stop();
    update();
}

void BoutonFleches::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(e);
    appuie(flecheEn(e->position().toPoint()));
}

void BoutonFleches::mouseMoveEvent(QMouseEvent* e) {
    const bool dessus = tenue_ != Fleche::Aucune && flecheEn(e->position().toPoint()) == tenue_;
    if (dessus != dessus_) {
        dessus_ = dessus;
        update();
    }
}

void BoutonFleches::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(e);
    relache();
}

void BoutonFleches::keyPressEvent(QKeyEvent* e) {
    const Fleche f = e->key() == Qt::Key_Up ? Fleche::Haut : e->key() == Qt::Key_Down ? Fleche::Bas : Fleche::Aucune;
    if (f == Fleche::Aucune)
        return QWidget::keyPressEvent(e);
    // The keyboard's own repeat is replaced by ours, which waits for each step to finish.
    if (!e->isAutoRepeat())
        appuie(f);
}

void BoutonFleches::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() != Qt::Key_Up && e->key() != Qt::Key_Down)
        return QWidget::keyReleaseEvent(e);
    if (!e->isAutoRepeat())
        relache();
}

void BoutonFleches::focusOutEvent(QFocusEvent* e) {
    relache();
    QWidget::focusOutEvent(e);
}

void BoutonFleches::paintEvent(QPaintEvent*) {
    QPainter p(this);
    for (Fleche f : {Fleche::Haut, Fleche::Bas}) {
        const bool enfonce = tenue_ == f && dessus_;
        QStyleOptionButton b;
        b.initFrom(this);
        b.rect = zone(f);
        b.state &= ~QStyle::State_HasFocus;
        b.state |= enfonce ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &b, &p, this);
        QStyleOption fleche;
        fleche.initFrom(this);
        const int cote = std::max(4, std::min(zone(f).width(), zone(f).height()) / 2);
        fleche.rect = QRect(0, 0, cote, cote);
        fleche.rect.moveCenter(zone(f).center() + (enfonce ? QPoint(1, 1) : QPoint()));
        style()->drawPrimitive(f == Fleche::Haut ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &fleche,
                               &p, this);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect cadre;
        cadre.initFrom(this);
        cadre.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &cadre, &p, this);
    }
}
