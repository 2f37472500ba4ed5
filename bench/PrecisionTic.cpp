// How late after second 0 the minute's work starts, with the real clock and real timers.
// Usage: bench_precision_tic [seconds=660]   (runs on Qt's offscreen platform)
// Prints, for the minute boundaries and for every ordinary second, the delay from the second
// boundary to the start of the tick's work (p50, p95, max), and any second no tick saw.
#include "state/Etat.h"
#include "clock/QUENTOR.h"
#include "platform/HorlogeReelle.h"
#include "platform/Plateforme.h"

#include <QApplication>
#include <QDateTime>
#include <QSet>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The program's real clock, noting when each pause of the tick begins.
class HorlogeMurale : public Horloge {
public:
    QDateTime maintenant() const override { return QDateTime::currentDateTime(); }
    qint64 monotoneMs() const override { return reelle.monotoneMs(); }
    void plusTard(double s, QObject* contexte, std::function<void()> suite) override {
        const QDateTime t = maintenant();
        const qint64 minute = t.toSecsSinceEpoch() / 60;
        // The first pause of the minute's work is the chime's (top of the hour) or the 5 s pause.
        if (t.time().second() == 0 && (s == 0.5 || s == 5.0) && minute != derniereMinute) {
            derniereMinute = minute;
            minutes.push_back(t.time().msec());
        }
        if (s == 0.25) {
            // The tick that follows the minute's work comes at once, mid-second, by design.
            if (t.time().second() != 5)
                secondes.push_back(t.time().msec());
            vues.insert(t.toSecsSinceEpoch());
        }
        reelle.plusTard(s, contexte, std::move(suite));
    }
    HorlogeReelle reelle;
    qint64 derniereMinute = -1;
    std::vector<int> minutes, secondes;
    QSet<qint64> vues;
};

class Muette : public SortieSon {
public:
    void joueDonnees(const QByteArray&) override {}
    void joueFichier(const QString&) override {}
    void arrete() override {}
    void regleVolume(int) override {}
};

void Resume(const char* quoi, std::vector<int> v) {
    if (v.empty()) {
        std::printf("%-10s no samples\n", quoi);
        return;
    }
    std::sort(v.begin(), v.end());
    auto q = [&](double p) { return v[std::min(v.size() - 1, size_t(p * (v.size() - 1) + 0.5))]; };
    std::printf("%-10s n=%zu  p50=%d ms  p95=%d ms  max=%d ms\n", quoi, v.size(), q(0.5), q(0.95), v.back());
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int duree = argc > 1 ? std::atoi(argv[1]) : 660;

    HorlogeMurale horloge;
    Muette son;
    Plateforme p;
    p.horloge = &horloge;
    p.son = &son;
    InstallePlateforme(p);
    Etat.DéclencheAnnonce = 99;  // nothing spoken: the minute's work is its pauses
    for (Alarme& a : Etat.Alarmes)
        a.Heure = 99;

    QUENTOR w;
    w.mesureCadran();
    w.show();  // a face on screen: each tick ends with the marker's quarter second, noted above
    const qint64 debut = QDateTime::currentSecsSinceEpoch();
    w.demarreTimer();
    QTimer::singleShot(duree * 1000, &app, &QApplication::quit);
    app.exec();
    w.arreteTimer();
    const qint64 fin = QDateTime::currentSecsSinceEpoch();

    Resume("minute", horloge.minutes);
    Resume("second", horloge.secondes);
    // Seconds 1 to 5 of each minute fall inside the minute's work and are skipped by design.
    int manquees = 0;
    for (qint64 s = debut + 2; s < fin - 1; ++s)
        if (!horloge.vues.contains(s) && (s % 60) > 5)
            ++manquees;
    std::printf("seconds missed outside the minute's work: %d\n", manquees);
    return 0;
}
