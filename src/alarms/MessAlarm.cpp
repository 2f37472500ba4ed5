#include "alarms/MessAlarm.h"

#include "alarms/Sonnerie.h"
#include "state/Etat.h"
#include "art/Dessins.h"
#include "art/FenetreUnique.h"
#include "art/Twips.h"
#include "platform/Plateforme.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
QPointer<MessAlarm>& Ouvert() {
    static QPointer<MessAlarm> w;
    return w;
}

QFont Police(QStringList familles, double points) {
    QFont f;
    f.setFamilies(familles);
    f.setPointSizeF(points);
    f.setBold(true);
    return f;
}
}  // namespace

MessAlarm::MessAlarm() {
    setObjectName(QStringLiteral("MessAlarm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("MESSAGE"));
    setWindowIcon(IconeProgramme());
    setFixedSize(EnPixels(5055), EnPixels(3540));

    Logo = new ImageDessinee(DessineLogo, this);
    Logo->setObjectName(QStringLiteral("Logo"));
    Logo->setGeometry(Place(240, 120, 1785, 630));

    Hmn = new QLabel(QStringLiteral("00:00"), this);
    Hmn->setObjectName(QStringLiteral("Hmn"));
    Hmn->setTextFormat(Qt::PlainText);
    Hmn->setFont(
        Police({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")}, 27.75));
    QPalette p = Hmn->palette();
    p.setColor(QPalette::WindowText, QColor(176, 176, 176));
    Hmn->setPalette(p);
    Hmn->setGeometry(Place(3000, 0, 1800, 615));
    Hmn->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    MessN = new QLabel(QStringLiteral("Label1"), this);
    MessN->setObjectName(QStringLiteral("MessN"));
    // A memo is the user's text, never markup.
    MessN->setTextFormat(Qt::PlainText);
    MessN->setWordWrap(true);
    MessN->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    MessN->setFont(Police(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, 8.25));
    MessN->setGeometry(Place(120, 840, 4815, 1935));

    Command1 = new QPushButton(QStringLiteral("OK, cest lu .... merci"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(Police(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, 9.75));
    Command1->setGeometry(Place(720, 3000, 3495, 375));
    connect(Command1, &QPushButton::clicked, this, [this] { MessAlarm_Command1_Click(); });
    // Read from the keyboard as well: Enter answers the button, Escape closes the window.
    Command1->setDefault(true);
    Command1->setAutoDefault(true);
    Command1->setFocus();
    FermeParEchap(this);
}

void MessAlarm::MessAlarm_Form_Load() {
    const int n = Etat.AlarmeAffichée;
    setWindowTitle(QStringLiteral("MESSAGE N°") + QString::number(n + 1));
    // Memo files break lines with CR LF; a label breaks them on LF alone.
    QString memo = n >= 0 && n < NombreAlarmes ? Etat.Alarmes[n].Texte : QString();
    MessN->setText(memo.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    Hmn->setText(PF().horloge->maintenant().toString(QStringLiteral("hh:mm")));
    Hmn->repaint();
}

void MessAlarm::MessAlarm_Command1_Click() { close(); }

void MessAlarm::closeEvent(QCloseEvent* e) {
    // Read: the alarm stops ringing and its notification goes, unless R put it off.
    const int16_t n = Etat.AlarmeAffichée;
    if (n >= 0 && n < NombreAlarmes && !Etat.Alarmes[n].RepeteA.isValid())
        ArreteAlarme(n);
    QWidget::closeEvent(e);
}

void MessAlarm::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_R && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return RepousseAlarme(Etat.AlarmeAffichée);
    QWidget::keyPressEvent(e);
}

void AfficheMessAlarm() {
    // The memo comes forward without taking the keyboard: the alarm, not the user, shows it.
    OuvreUneFois(
        Ouvert(),
        [] {
            auto* w = new MessAlarm;
            w->MessAlarm_Form_Load();
            return w;
        },
        Ramene::SansClavier);
}

MessAlarm* MessAlarmOuvert() { return Ouvert().data(); }
