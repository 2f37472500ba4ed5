#include "platform/DialoguesQt.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

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
    // The one box that waits: the program ends after it, and no tick does anything meanwhile (the
    // close is marked begun before the box opens; at the close the Timer is already off and every
    // sequence has ended).
    b->exec();
    delete b;
}

void DialoguesQt::boiteModale(Icone icone, const QString& titre, const QString& texte) {
    QMessageBox* b = nouvelleBoite(icone, titre, texte);
    b->setWindowModality(Qt::ApplicationModal);
    b->show();
    b->raise();
}

void DialoguesQt::boiteSansAttente(Icone icone, const QString& titre, const QString& texte) {
    QMessageBox* b = nouvelleBoite(icone, titre, texte);
    b->setModal(false);
    b->show();
    b->raise();
}

void DialoguesQt::question(QWidget* parent, const QString& titre, const QString& texte, const QString& oui,
                           const QString& non, std::function<void(bool)> suite) {
    QMessageBox* b = nouvelleBoite(Icone::Aucune, titre, texte);
    b->setIcon(QMessageBox::Question);
    b->setParent(parent, Qt::Dialog);
    b->setWindowModality(Qt::ApplicationModal);
    b->setStandardButtons(QMessageBox::NoButton);
    QPushButton* accepte = b->addButton(oui, QMessageBox::AcceptRole);
    b->addButton(non, QMessageBox::RejectRole);
    b->setDefaultButton(accepte);
    QObject::connect(b, &QDialog::finished, b,
                     [b, accepte, suite = std::move(suite)] { suite(b->clickedButton() == accepte); });
    b->open();
}

void DialoguesQt::choisitCouleur(QWidget* parent, const QColor& initiale,
                                 std::function<void(std::optional<QColor>)> suite) {
    auto* d = new QColorDialog(initiale, parent);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setWindowModality(Qt::ApplicationModal);
    QObject::connect(d, &QDialog::finished, d, [d, suite = std::move(suite)](int r) {
        if (r == QDialog::Accepted && d->selectedColor().isValid())
            suite(d->selectedColor());
        else
            suite(std::nullopt);
    });
    d->show();
}

void DialoguesQt::choisitFichier(QWidget* parent, const QString& dossier, const QStringList& filtres,
                                 std::function<void(const QString&)> suite) {
    auto* d = new QFileDialog(parent, QString(), dossier);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setWindowModality(Qt::ApplicationModal);
    d->setFileMode(QFileDialog::ExistingFile);
    d->setAcceptMode(QFileDialog::AcceptOpen);
    d->setNameFilters(filtres);
    QObject::connect(d, &QDialog::finished, d, [d, suite = std::move(suite)](int r) {
        const QStringList choisis = d->selectedFiles();
        suite(r == QDialog::Accepted && !choisis.isEmpty() ? choisis.first() : QString());
    });
    d->show();
}
