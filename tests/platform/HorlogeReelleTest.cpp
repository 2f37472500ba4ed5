// The real wait on the real event loop and clocks; the bounds are wide on purpose.
#include "platform/HorlogeReelle.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

#include <ctime>

namespace {
double tempsCpu() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Counts every reading of the wall clock: a wait must not depend on it.
struct HorlogeEspionnee : HorlogeReelle {
    QDateTime maintenant() const override { return ++lectures, HorlogeReelle::maintenant(); }
    mutable int lectures = 0;
};

// Waits `s` seconds; returns the wall time it took, and whether a posted event ran.
std::pair<double, bool> attend(Horloge& h, double s, double* cpu = nullptr) {
    bool traite = false;
    QObject contexte;
    QTimer::singleShot(0, &contexte, [&] { traite = true; });
    QElapsedTimer chrono;
    chrono.start();
    const double cpu0 = tempsCpu();
    h.attendre(s);
    if (cpu)
        *cpu = tempsCpu() - cpu0;
    return {chrono.nsecsElapsed() / 1e9, traite};
}
}  // namespace

TEST(HorlogeReelle, WaitsSleepingWhileEventsRunAndNeverReadsTheWallClock) {
    HorlogeEspionnee h;
    int reveils = 0;
    QTimer periodique;
    QObject::connect(&periodique, &QTimer::timeout, [&] { ++reveils; });
    periodique.start(50);
    double cpu = 0;
    const auto [mur, traite] = attend(h, 0.25, &cpu);
    EXPECT_TRUE(mur >= 0.25 && mur < 0.35) << mur;
    EXPECT_TRUE(traite);
    EXPECT_GE(reveils, 3);  // timers keep firing throughout the wait, not only at its start
    EXPECT_LT(cpu, mur / 10) << "the wait must sleep, not spin";
    EXPECT_EQ(h.lectures, 0);
    for (double s : {0.0, -1.0}) {  // no wait, but events still run once
        const auto [duree, aussi] = attend(h, s);
        EXPECT_TRUE(aussi && duree < 0.05) << s;
    }
}

// After the application is told to quit, a new event loop returns at once; the wait must still
// last its length and sleep meanwhile. Run in a child process: the quit request is permanent.
TEST(HorlogeReelleDeathTest, WaitAfterQuitRequestStillSleeps) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QCoreApplication::exit(0);
            HorlogeReelle h;
            double cpu = 0;
            const double mur = attend(h, 0.2, &cpu).first;
            std::_Exit(mur >= 0.2 && mur < 0.4 && cpu < 0.05 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// Run by CTest under libfaketime (attente_saut_horloge): the wall clock is moved past midnight,
// then back an hour, while a wait runs; the wait still lasts what it was asked.
TEST(HorlogeReelleSautHorloge, WaitEndsOnTimeWhenTheWallClockJumps) {
    const QString fichier = qEnvironmentVariable("QUENTOR_FAKETIME_FICHIER");
    if (fichier.isEmpty())
        GTEST_SKIP() << "runs only under libfaketime";
    auto regle = [&](const char* quand) {
        QFile f(fichier);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(quand);
    };
    HorlogeReelle h;
    regle("@2026-12-06 23:59:59\n");
    const QDateTime avant = h.maintenant();
    ASSERT_EQ(avant.date(), QDate(2026, 12, 6)) << "libfaketime is not in effect";
    QDateTime apresMinuit, apresRecul;
    QTimer::singleShot(60, [&] { regle("@2026-12-07 00:00:30\n"), apresMinuit = h.maintenant(); });
    QTimer::singleShot(150, [&] { regle("@2026-12-06 23:00:00\n"), apresRecul = h.maintenant(); });
    const double mur = attend(h, 0.25).first;
    EXPECT_TRUE(mur >= 0.25 && mur < 0.35) << mur;
    EXPECT_EQ(apresMinuit.date(), QDate(2026, 12, 7));
    EXPECT_NEAR(apresRecul.secsTo(avant), 3600, 100) << "the clock did not go back an hour";
}
