#include "platform/DialoguesQt.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {
QMessageBox* nouvelleBoite(Dialogues::Icone icone, const QString& titre, const QString& texte) {
    auto* b = new QMessageBox;
    b->setIcon(icone == Dialogues::Icone::Critique      ? QMessageBox::Critical
               : icone == Dialogues::Icone::Information ? QMessageBox::Information
                                                         : QMessageBox::NoIcon);
    b->setWindowTitle(titre);
    // Paths, memos and error texts come from files and users: never read as markup.
    b->setTextFormat(Qt::PlainText);
    // Messages may break lines the Windows way (CR LF) or with a lone CR.
    QString lignes = texte;
    lignes.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    b->setText(lignes);
    b->setStandardButtons(QMessageBox::Ok);
    b->setAttribute(Qt::WA_DeleteOnClose);
    return b;
}
}  // namespace

void DialoguesQt::bip() { QApplication::beep(); }

void DialoguesQt::boite(Icone icone, const QString& titre, const QString& texte) {
    QMessageBox* b = nouvelleBoite(icone, titre, texte);
    b->setAttribute(Qt::WA_DeleteOnClose, false);
    b->exec();
    delete b;
}

void DialoguesQt::boiteSansAttente(Icone icone, const QString& titre, const QString& texte) {
    QMessageBox* b = nouvelleBoite(icone, titre, texte);
    b->setModal(false);
    b->show();
    b->raise();
}

std::optional<QColor> DialoguesQt::choisitCouleur(QWidget* parent, const QColor& initiale) {
    const QColor c = QColorDialog::getColor(initiale, parent);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

QString DialoguesQt::choisitFichier(QWidget* parent, const QString& dossier, const QString& filtre) {
    return QFileDialog::getOpenFileName(parent, QString(), dossier, filtre);
}
