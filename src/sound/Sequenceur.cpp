#include "sound/Sequenceur.h"

#include "platform/Plateforme.h"
#include "sound/Son.h"

#include <QCoreApplication>
#include <QPointer>

#include <algorithm>
#include <deque>
#include <memory>

namespace {

struct Course {
    std::deque<Etape> pas;
    QPointer<QObject> proprietaire;
    bool avecProprietaire = false;
    Priorite priorite;
    int partiesSonores = 0;
};

// The sequences under way; a timer of one that has ended finds it gone. One whose owner went
// gets no more timers, and is dropped at the next look.
std::vector<std::shared_ptr<Course>>& Courses() {
    static std::vector<std::shared_ptr<Course>> courses;
    std::erase_if(courses, [](const auto& c) { return c->avecProprietaire && !c->proprietaire; });
    return courses;
}

bool EnCours(const Course* c) {
    const auto& l = Courses();
    return std::any_of(l.begin(), l.end(), [c](const auto& x) { return x.get() == c; });
}

void Retire(const Course* c) {
    std::erase_if(Courses(), [c](const auto& x) { return x.get() == c; });
}

void Avance(const std::shared_ptr<Course>& c);

void Programme(const std::shared_ptr<Course>& c, double secondes) {
    QObject* contexte = c->proprietaire ? c->proprietaire.data() : QCoreApplication::instance();
    Horloge* h = PF().horloge;
    if (!h || !contexte)
        return Retire(c.get());
    h->plusTard(secondes, contexte, [w = std::weak_ptr<Course>(c)] {
        if (auto c = w.lock())
            Avance(c);
    });
}

// Runs the steps up to the next pause and gives its length; 0 once the sequence is over or ended.
double JusquALaPause(const std::shared_ptr<Course>& c) {
    while (EnCours(c.get())) {
        if (c->pas.empty()) {
            Retire(c.get());
            return 0;
        }
        Etape p = std::move(c->pas.front());
        c->pas.pop_front();
        if (p.selon) {
            Etapes suite = p.selon();
            c->pas.insert(c->pas.begin(), std::make_move_iterator(suite.begin()), std::make_move_iterator(suite.end()));
            continue;
        }
        if (p.sonore > 0) {
            // The clock's own sounds take over from the time said on demand.
            if (c->priorite != Priorite::ALaDemande)
                std::erase_if(Courses(), [](const auto& x) { return x->priorite == Priorite::ALaDemande; });
            ++c->partiesSonores;
        } else if (p.sonore < 0) {
            --c->partiesSonores;
        }
        if (p.fait)
            p.fait();
        if (p.pause > 0 && EnCours(c.get()))
            return p.pause;
    }
    return 0;
}

void Avance(const std::shared_ptr<Course>& c) {
    if (const double pause = JusquALaPause(c); pause > 0)
        Programme(c, pause);
}

std::shared_ptr<Course> Nouvelle(Etapes pas, QObject* proprietaire, Priorite priorite) {
    auto c = std::make_shared<Course>();
    c->pas.assign(std::make_move_iterator(pas.begin()), std::make_move_iterator(pas.end()));
    c->proprietaire = proprietaire;
    c->avecProprietaire = proprietaire != nullptr;
    c->priorite = priorite;
    Courses().push_back(c);
    return c;
}

}  // namespace

Etape Agit(std::function<void()> fait, double pause) {
    Etape e;
    e.fait = std::move(fait);
    e.pause = pause;
    return e;
}

Etape Clip(int16_t id, double pause) {
    return Agit([id] { JoueSon(id); }, pause);
}
Etape Fichier(const QString& chemin, double pause) {
    return Agit([chemin] { JoueFichierSon(chemin); }, pause);
}
Etape Pause(double secondes) { return Agit({}, secondes); }

Etape Selon(std::function<Etapes()> selon) {
    Etape e;
    e.selon = std::move(selon);
    return e;
}

Etapes Sonore(Etapes pas) {
    Etape ouvre, ferme;
    ouvre.sonore = +1;
    ferme.sonore = -1;
    pas.insert(pas.begin(), std::move(ouvre));
    pas.push_back(std::move(ferme));
    return pas;
}

void Ajoute(Etapes& pas, Etapes suite) {
    pas.insert(pas.end(), std::make_move_iterator(suite.begin()), std::make_move_iterator(suite.end()));
}

void LanceSequence(Etapes pas, QObject* proprietaire, Priorite priorite) {
    Avance(Nouvelle(std::move(pas), proprietaire, priorite));
}

void ArreteSequences() { Courses().clear(); }

bool SequenceSonoreEnCours() {
    const auto& l = Courses();
    return std::any_of(l.begin(), l.end(),
                       [](const auto& c) { return c->priorite == Priorite::ALaDemande || c->partiesSonores > 0; });
}
