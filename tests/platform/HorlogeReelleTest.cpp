// The real wait and timers on the real event loop and clocks; the bounds are wide on purpose.
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
// Counts every reading of the wall clock: a wait must not depend on it.
struct HorlogeEspionnee : HorlogeReelle {
    QDateTime maintenant() const override {
        ++lectures;
        return HorlogeReelle::maintenant();
    }
    mutable int lectures = 0;
};

// Waits `s` seconds: whether a posted event ran, and the wall and CPU seconds it took.
std::tuple<bool, double, double> attend(Horloge& h, double s) {
    bool traite = false;
    QObject contexte;
    QTimer::singleShot(0, &contexte, [&] { traite = true; });
    QElapsedTimer chrono;
    chrono.start();
    const std::clock_t cpu = std::clock();
    h.attendre(s);
    return {traite, chrono.nsecsElapsed() / 1e9, double(std::clock() - cpu) / CLOCKS_PER_SEC};
}
}  // namespace

TEST(HorlogeReelle, WaitsSleepingWhileEventsRunAndNeverReadsTheWallClock) {
    HorlogeEspionnee h;
    int reveils = 0;
    QTimer periodique;
    QObject::connect(&periodique, &QTimer::timeout, [&] { ++reveils; });
    periodique.start(50);
    const auto [traite, mur, cpu] = attend(h, 0.25);
    EXPECT_TRUE(traite && mur >= 0.25 && mur < 0.35) << mur;
    EXPECT_GE(reveils, 3);  // timers keep firing throughout the wait
    EXPECT_LT(cpu, mur / 10) << "the wait must sleep, not spin";
    EXPECT_EQ(h.lectures, 0);
    const auto [aussi, duree, _] = attend(h, -1);  // no wait, but events still run once
    EXPECT_TRUE(aussi && duree < 0.05) << duree;
}

// What every sequence runs on: a timer long enough to be aimed in two steps fires on time, never
// early; one whose object has gone never fires.
TEST(HorlogeReelle, TimersFireOnTimeAndNeverForAnObjectGone) {
    HorlogeReelle h;
    bool orphelin = false;
    double ecoule = -1;
    {
        QObject parti;
        h.plusTard(0.1, &parti, [&] { orphelin = true; });
    }
    QElapsedTimer chrono;
    chrono.start();
    h.plusTard(0.4, QCoreApplication::instance(), [&] { ecoule = chrono.nsecsElapsed() / 1e9; });
    QEventLoop boucle;
    QTimer::singleShot(700, &boucle, &QEventLoop::quit);
    boucle.exec();
    EXPECT_TRUE(ecoule >= 0.4 && ecoule < 0.6 && !orphelin) << ecoule;
}

// Once the application is told to quit, a new event loop returns at once; the wait must still
// last its length and sleep. In a child process: the quit request is permanent.
TEST(HorlogeReelleDeathTest, WaitAfterQuitRequestStillSleeps) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT({
        QCoreApplication::exit(0);
        HorlogeReelle h;
        const auto r = attend(h, 0.2);
        std::_Exit(std::get<1>(r) >= 0.2 && std::get<1>(r) < 0.4 && std::get<2>(r) < 0.05 ? 0 : 1);
    }, ::testing::ExitedWithCode(0), "");
}

// Run by CTest under libfaketime (attente_saut_horloge): the wall clock is moved past midnight,
// then back an hour, while a wait runs; the wait still lasts what it was asked.
TEST(HorlogeReelleSautHorloge, WaitEndsOnTimeWhenTheWallClockJumps) {
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
    const double mur = std::get<1>(attend(h, 0.25));
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
