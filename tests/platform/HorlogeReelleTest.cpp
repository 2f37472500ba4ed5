// The real clock's timers on the real event loop and clocks; the bounds are wide on purpose.
#include "platform/HorlogeReelle.h"

#include "support/Fichiers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <ctime>
#include <unistd.h>

namespace {
// Counts every reading of the wall clock: a timer must not depend on it.
struct HorlogeEspionnee : HorlogeReelle {
    QDateTime maintenant() const override {
        ++lectures;
        return HorlogeReelle::maintenant();
    }
    mutable int lectures = 0;
};

// Runs the event loop until a timer of `h` set for `s` seconds fires (or long after it should
// have): the wall seconds it took to fire (-1: never), and the CPU seconds spent meanwhile.
std::pair<double, double> attendMinuterie(Horloge& h, double s) {
    QEventLoop boucle;
    QElapsedTimer chrono;
    chrono.start();
    const std::clock_t cpu = std::clock();
    double ecoule = -1;
    h.plusTard(s, &boucle, [&] {
        ecoule = chrono.nsecsElapsed() / 1e9;
        boucle.quit();
    });
    QTimer::singleShot(int(s * 1000) + 500, &boucle, &QEventLoop::quit);
    boucle.exec();
    return {ecoule, double(std::clock() - cpu) / CLOCKS_PER_SEC};
}
}  // namespace

// What every sequence runs on: a timer long enough to be aimed in two steps fires on time, never
// early, sleeping meanwhile and never reading the wall clock; one whose object has gone never
// fires.
TEST(HorlogeReelle, TimersFireOnTimeSleepingAndNeverForAnObjectGone) {
    HorlogeEspionnee h;
    bool orphelin = false;
    {
        QObject parti;
        h.plusTard(0.1, &parti, [&] { orphelin = true; });
    }
    const auto [ecoule, cpu] = attendMinuterie(h, 0.4);
    EXPECT_TRUE(ecoule >= 0.4 && ecoule < 0.6) << ecoule;
    EXPECT_LT(cpu, 0.04) << "the wait must sleep, not spin";
    EXPECT_FALSE(orphelin);
    EXPECT_EQ(h.lectures, 0);
}

// Run by CTest under libfaketime (attente_saut_horloge): the wall clock is moved past midnight,
// then back an hour, while a timer runs; it still fires when it was asked to.
TEST(HorlogeReelleSautHorloge, TimerFiresOnTimeWhenTheWallClockJumps) {
    const QString fichier = qEnvironmentVariable("QUENTOR_FAKETIME_FICHIER");
    if (fichier.isEmpty())
        GTEST_SKIP() << "runs only under libfaketime";
    HorlogeReelle h;
    EcritOctets(fichier, "@2026-12-06 23:59:59\n");
    const QDateTime avant = h.maintenant();
    ASSERT_EQ(avant.date(), QDate(2026, 12, 6)) << "libfaketime is not in effect";
    QDateTime apresMinuit, apresRecul;
    QTimer::singleShot(60, [&] {
        EcritOctets(fichier, "@2026-12-07 00:00:30\n");
        apresMinuit = h.maintenant();
    });
    QTimer::singleShot(150, [&] {
        EcritOctets(fichier, "@2026-12-06 23:00:00\n");
        apresRecul = h.maintenant();
    });
    const double mur = attendMinuterie(h, 0.25).first;
    EXPECT_TRUE(mur >= 0.25 && mur < 0.35) << mur;
    EXPECT_EQ(apresMinuit.date(), QDate(2026, 12, 7));
    EXPECT_NEAR(apresRecul.secsTo(avant), 3600, 100) << "the clock did not go back an hour";
}

// The zone chosen anew while the clock runs (its link now names another zone) is the one the next
// reading gives, as the face's caption and the tick need.
TEST(HorlogeReelle, ReadsTheTimeZoneChosenWhileRunning) {
    QTemporaryDir d;
    const QByteArray lien = QFile::encodeName(d.path() + QStringLiteral("/localtime"));
    ASSERT_EQ(symlink("/usr/share/zoneinfo/Europe/Paris", lien.constData()), 0);
    int paris = 0, tokyo = 0;
    {
        VariableTemporaire tz("TZ", ':' + lien);
        tzset();
        HorlogeReelle h(0);
        paris = h.maintenant().offsetFromUtc();
        unlink(lien.constData());
        EXPECT_EQ(symlink("/usr/share/zoneinfo/Asia/Tokyo", lien.constData()), 0);
        tokyo = h.maintenant().offsetFromUtc();
    }
    tzset();
    EXPECT_TRUE(paris == 3600 || paris == 7200) << paris;
    EXPECT_EQ(tokyo, 9 * 3600);
}
