#include "TestSupport.h"

#include "vantor/RefreshScheduler.h"

using vantor::RefreshScheduler;

// The scheduler on a wall clock the test moves: the timer itself is not waited for,
// each tick runs when the armed delay has passed, give or take what a loaded machine
// adds, and the wall clock may be set in between.
class TestRefreshScheduler : public QObject
{
    Q_OBJECT

    static constexpr qint64 NOON = 1'796'817'600'000; // 2026-12-09 12:00:00 UTC

    qint64 wall = 0;
    QList<qint64> shown;
    std::unique_ptr<RefreshScheduler> scheduler;

    // Lets the armed delay pass on the monotonic clock (plus lateness, which may be
    // negative for an early timer) and the wall clock be stepped meanwhile.
    void nextTick(qint64 lateness = 0, qint64 step = 0)
    {
        const qint64 delay = std::clamp<qint64>(scheduler->dueMs() - wall, 0, 1000);
        wall += delay + lateness + step;
        scheduler->fire();
    }
    static qint64 second(qint64 ms) { return ms / 1000; }

private Q_SLOTS:
    void init()
    {
        shown.clear();
        scheduler = std::make_unique<RefreshScheduler>(nullptr, [this] { return wall; });
        connect(scheduler.get(), &RefreshScheduler::refresh, this,
                [this](qint64 ms) { shown << ms; });
    }

    void everySecondOnceOnASteadyClock()
    {
        wall = NOON + 250;
        scheduler->start(wall);
        QCOMPARE(scheduler->dueMs(), NOON + 1000);
        QVERIFY(scheduler->isActive());
        // Timers that fire a few milliseconds early or some late.
        const qint64 lateness[] = {0, -3, 12, -1, 40, 0, -5, 300, 2, -2};
        for (const qint64 late : lateness) {
            nextTick(late);
        }
        for (int i = 0; i < shown.size(); ++i) {
            QCOMPARE(second(shown.at(i)), second(NOON) + 1 + i);
        }
    }

    void stepsOfTheWallClockShowAtTheNextTick_data()
    {
        QTest::addColumn<qint64>("step");
        QTest::newRow("back 1 h") << qint64(-3'600'000);
        QTest::newRow("back 2 s") << qint64(-2'000);
        QTest::newRow("ahead 1 h") << qint64(3'600'000);
        QTest::newRow("ahead 1 day, a resume") << qint64(86'400'000);
    }
    void stepsOfTheWallClockShowAtTheNextTick()
    {
        QFETCH(qint64, step);
        wall = NOON + 700;
        scheduler->start(wall);
        nextTick();
        nextTick();
        // The clock is set while the timer waits; its tick, at most a second later,
        // shows the new time.
        nextTick(0, step);
        QCOMPARE(second(shown.last()), second(wall));
        // From there on every second once, as on a steady clock.
        const qint64 afterStep = second(shown.last());
        for (int i = 1; i <= 5; ++i) {
            nextTick(i % 2 == 0 ? -2 : 7);
            QCOMPARE(second(shown.last()), afterStep + i);
        }
    }

    // Building many clocks may cross a second boundary: the first tick comes at once
    // and shows the second after the one the clocks were built with.
    void firstTickAfterASlowBuildSkipsNoSecond()
    {
        wall = NOON + 900;
        const qint64 builtAt = wall;
        wall += 350;
        scheduler->start(builtAt);
        QCOMPARE(scheduler->remainingMs(), 0);
        scheduler->fire();
        QCOMPARE(second(shown.last()), second(builtAt) + 1);
        QCOMPARE(scheduler->dueMs(), NOON + 2000);
    }
};

QTEST_GUILESS_MAIN(TestRefreshScheduler)
#include "tst_refreshscheduler.moc"
