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

// Counts every reading of the wall clock.
class HorlogeEspionnee : public HorlogeReelle {
public:
    QDateTime maintenant() const override {
        ++lectures;
        return HorlogeReelle::maintenant();
    }
    mutable int lectures = 0;
};
}  // namespace

// These run on the real event loop and the real clock; the bounds are wide on purpose.
TEST(HorlogeReelle, QuarterSecondWaitSleepsAndRunsEvents) {
    HorlogeReelle h;
    bool evenementTraite = false;
    QTimer::singleShot(0, [&] { evenementTraite = true; });
    int reveils = 0;
    QTimer periodique;
    QObject::connect(&periodique, &QTimer::timeout, [&] { ++reveils; });
    periodique.start(50);

    QElapsedTimer chrono;
    chrono.start();
    const double cpu0 = tempsCpu();
    h.attendre(0.25);
    const double cpu = tempsCpu() - cpu0;
    const double mur = chrono.nsecsElapsed() / 1e9;

    EXPECT_GE(mur, 0.25);
    EXPECT_LT(mur, 0.35);
    EXPECT_TRUE(evenementTraite);
    EXPECT_GE(reveils, 3);  // timers keep firing throughout the wait, not only at its start
    EXPECT_LT(cpu, mur / 10) << "the wait must sleep, not spin";
}

TEST(HorlogeReelle, ZeroOrNegativeWaitStillRunsEventsOnce) {
    HorlogeReelle h;
    for (double s : {0.0, -1.0}) {
        bool evenementTraite = false;
        QTimer::singleShot(0, [&] { evenementTraite = true; });
        QElapsedTimer chrono;
        chrono.start();
        h.attendre(s);
        EXPECT_TRUE(evenementTraite);
        EXPECT_LT(chrono.elapsed(), 50);
    }
}

// The end of a wait is fixed on the monotonic clock only, so changing the date or crossing
// midnight cannot move it: the wall clock is not even read.
TEST(HorlogeReelle, WaitNeverReadsTheWallClock) {
    HorlogeEspionnee h;
    QElapsedTimer chrono;
    chrono.start();
    h.attendre(0.05);
    EXPECT_GE(chrono.nsecsElapsed(), 50'000'000);
    EXPECT_EQ(h.lectures, 0);
}

// Each nested wait measures from its own start, and the outer one still ends on time.
TEST(HorlogeReelle, NestedWaitsEachKeepTheirOwnLength) {
    HorlogeReelle h;
    qint64 interieure = -1;
    QTimer::singleShot(20, [&] {
        QElapsedTimer c;
        c.start();
        h.attendre(0.1);
        interieure = c.elapsed();
    });
    QElapsedTimer chrono;
    chrono.start();
    h.attendre(0.06);
    EXPECT_GE(interieure, 100);
    EXPECT_GE(chrono.elapsed(), 100);  // the outer wait resumes after the inner one returns
    EXPECT_LT(chrono.elapsed(), 250);
}

// After the application is told to quit, a new event loop returns at once; the wait must still
// last its length and sleep meanwhile. Run in a child process: the quit request is permanent.
TEST(HorlogeReelleDeathTest, WaitAfterQuitRequestStillSleeps) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            QCoreApplication::exit(0);
            HorlogeReelle h;
            QElapsedTimer chrono;
            chrono.start();
            const double cpu0 = tempsCpu();
            h.attendre(0.2);
            const double cpu = tempsCpu() - cpu0;
            const bool bon = chrono.elapsed() >= 200 && chrono.elapsed() < 400 && cpu < 0.05;
            std::_Exit(bon ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// Run under libfaketime by the e2e suite (FAKETIME_TIMESTAMP_FILE, FAKETIME_NO_CACHE=1,
// FAKETIME_DONT_FAKE_MONOTONIC=1): the wall clock is moved past midnight and then back an
// hour while a wait runs, and the wait still lasts what it was asked.
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
    QTimer::singleShot(60, [&] {
        regle("@2026-12-07 00:00:30\n");
        apresMinuit = h.maintenant();
    });
    QTimer::singleShot(150, [&] {
        regle("@2026-12-06 23:00:00\n");
        apresRecul = h.maintenant();
    });
    QElapsedTimer chrono;
    chrono.start();
    h.attendre(0.25);
    const qint64 ms = chrono.elapsed();
    EXPECT_GE(ms, 250);
    EXPECT_LT(ms, 350);
    EXPECT_EQ(apresMinuit.date(), QDate(2026, 12, 7));
    EXPECT_LT(apresRecul.secsTo(avant), 3700);
    EXPECT_GT(apresRecul.secsTo(avant), 3500) << "the clock did not go back an hour";
}
