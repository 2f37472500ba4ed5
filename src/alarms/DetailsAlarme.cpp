#include "alarms/DetailsAlarme.h"

#include "art/FenetreModale.h"
#include "art/FenetreUnique.h"
#include "platform/Plateforme.h"
#include "state/Etat.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

namespace {
QPointer<DetailsAlarme>& Ouvert() {
    static QPointer<DetailsAlarme> w;
    return w;
}

template <class W>
W* Nomme(W* w, const QString& nom) {
    w->setObjectName(nom);
    return w;
}

QSpinBox* Minutes(int min, int max, const QString& nom, const QString& accessible, QWidget* parent) {
    auto* s = Nomme(new QSpinBox(parent), nom);
    s->setRange(min, max);
    s->setSuffix(QStringLiteral(" min"));
    s->setAccessibleName(accessible);
    return s;
}
}  // namespace

DetailsAlarme::DetailsAlarme(QWidget* editeur, int n) : QWidget(editeur, Qt::Dialog), n_(n) {
    PrepareFenetreModale(this, QStringLiteral("DetailsAlarme"), QStringLiteral("Détails de l'alarme %1").arg(n + 1),
                         7200, 2700);
    const Alarme& a = Etat.Alarmes[n];
    auto* grille = new QGridLayout(this);
    grille->addWidget(new QLabel(QStringLiteral("Jours :"), this), 0, 0);
    const char* noms[] = {"lun", "mar", "mer", "jeu", "ven", "sam", "dim"};
    auto* jours = new QHBoxLayout;
    for (int j = 0; j < 7; ++j) {
        Jour[j] = Nomme(new QCheckBox(QString::fromLatin1(noms[j]), this), QStringLiteral("Jour%1").arg(j + 1));
        Jour[j]->setChecked(a.Jours & (1 << j));
        jours->addWidget(Jour[j]);
    }
    grille->addLayout(jours, 0, 1, 1, 3);

    UneFois = Nomme(new QCheckBox(QStringLiteral("Une seule fois, le"), this), QStringLiteral("UneFois"));
    UneFois->setChecked(a.Date.isValid());
    DateAlarme = Nomme(new QDateEdit(a.Date.isValid() ? a.Date : PF().horloge->maintenant().date(), this),
                       QStringLiteral("DateAlarme"));
    DateAlarme->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    DateAlarme->setCalendarPopup(true);
    DateAlarme->setAccessibleName(UneFois->text());
    grille->addWidget(UneFois, 1, 0, 1, 2);
    grille->addWidget(DateAlarme, 1, 2, 1, 2);

    Repete = Minutes(1, 60, QStringLiteral("Repete"), QStringLiteral("Répéter après"), this);
    Repete->setValue(a.Repete);
    auto* etiquette = new QLabel(QStringLiteral("&Répéter après"), this);
    etiquette->setBuddy(Repete);
    grille->addWidget(etiquette, 2, 0, 1, 2);
    grille->addWidget(Repete, 2, 2);

    grille->addWidget(new QLabel(QStringLiteral("Sonner :"), this), 3, 0);
    SonneUneFois = Nomme(new QRadioButton(QStringLiteral("une fois"), this), QStringLiteral("SonneUneFois"));
    SonneJusqua = Nomme(new QRadioButton(QStringLiteral("jusqu'à"), this), QStringLiteral("SonneJusqua"));
    DureeSonnerie = Minutes(1, 30, QStringLiteral("DureeSonnerie"), QStringLiteral("Sonner jusqu'à"), this);
    DureeSonnerie->setValue(a.Sonne > 0 ? a.Sonne : 5);
    (a.Sonne > 0 ? SonneJusqua : SonneUneFois)->setChecked(true);
    grille->addWidget(SonneUneFois, 3, 1);
    grille->addWidget(SonneJusqua, 3, 2);
    grille->addWidget(DureeSonnerie, 3, 3);
    suitDate();

    for (QCheckBox* c : Jour)
        connect(c, &QCheckBox::toggled, this, [this] { applique(); });
    connect(UneFois, &QCheckBox::toggled, this, [this] { applique(); });
    connect(DateAlarme, &QDateEdit::dateChanged, this, [this] { applique(); });
    connect(Repete, &QSpinBox::valueChanged, this, [this] { applique(); });
    connect(SonneJusqua, &QRadioButton::toggled, this, [this] { applique(); });
    connect(DureeSonnerie, &QSpinBox::valueChanged, this, [this] { applique(); });
    FermeParEchap(this);
}

// With a date the days are not used: they wait, greyed, until the date goes.
void DetailsAlarme::suitDate() {
    DateAlarme->setEnabled(UneFois->isChecked());
    for (QCheckBox* c : Jour)
        c->setEnabled(!UneFois->isChecked());
    DureeSonnerie->setEnabled(SonneJusqua->isChecked());
}

void DetailsAlarme::applique() {
    Alarme& a = Etat.Alarmes[n_];
    uint8_t jours = 0;
    for (int j = 0; j < 7; ++j)
        jours |= uint8_t(Jour[j]->isChecked() << j);
    a.Jours = jours;
    a.Date = UneFois->isChecked() ? DateAlarme->date() : QDate();
    a.Repete = int16_t(Repete->value());
    a.Sonne = int16_t(SonneJusqua->isChecked() ? DureeSonnerie->value() : 0);
    suitDate();
}

DetailsAlarme* OuvreDetailsAlarme(QWidget* editeur, int n) {
    if (n < 0 || n >= NombreAlarmes)
        return nullptr;
    return OuvreUneFois(Ouvert(), [&] { return new DetailsAlarme(editeur, n); });
}
