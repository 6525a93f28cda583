#include "TestSupport.h"

#include "utils/handlers/LanguageTable.h"
#include "vantor/Vantor.h"
#include "vantor/objects/TimeZoneObject.h"
#include "vantor/preferences/UserPreferences.h"
#include "vantor/time/RefreshScheduler.h"
#include "vantor/time/WakeTimer.h"

#include <QLabel>

#include <ctime>

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

    // What a clock needs: a local zone, its own settings and the language table.
    struct ClockSetting
    {
        explicit ClockSetting(const char* localZone) : tz("TZ", QByteArray(localZone)) { tzset(); }
        const EnvironmentGuard tz;
        const TemporarySettings settings;
        vantor::UserPreferences uP{vantor::Vantor::MAIN_CLASS};
        const utils::LanguageTable labels =
            utils::LanguageTable::load(vantor::Vantor::LANGUAGE, QLocale());
    };

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

    // Without seconds in the patterns the clocks refresh once a minute. Over New York's
    // spring-forward and fall-back nights, local midnight included, every second shows
    // the same texts and date colours as a refresh every second would.
    void minuteRefreshShowsWhatEverySecondWould_data()
    {
        QTest::addColumn<QDateTime>("from");
        QTest::newRow("spring forward")
            << QDateTime::fromString(u"2026-03-07T23:00:00-05:00"_qs, Qt::ISODate);
        QTest::newRow("fall back")
            << QDateTime::fromString(u"2026-10-31T23:00:00-04:00"_qs, Qt::ISODate);
    }
    void minuteRefreshShowsWhatEverySecondWould()
    {
        QFETCH(QDateTime, from);
        ClockSetting setting("America/New_York");
        vantor::UserPreferences& uP = setting.uP;
        const utils::LanguageTable& labels = setting.labels;
        wall = from.toMSecsSinceEpoch() + 250;

        const QStringList zones{u"America/New_York"_qs, u"Asia/Kolkata"_qs, u"Pacific/Chatham"_qs};
        std::vector<std::unique_ptr<vantor::TimeZoneObject>> byMinute;
        std::vector<std::unique_ptr<vantor::TimeZoneObject>> bySecond;
        const QDateTime built = QDateTime::fromMSecsSinceEpoch(wall);
        for (const QString& zone : zones) {
            byMinute.push_back(
                std::make_unique<vantor::TimeZoneObject>(zone, built, &uP, std::nullopt, labels));
            bySecond.push_back(
                std::make_unique<vantor::TimeZoneObject>(zone, built, &uP, std::nullopt, labels));
        }
        RefreshScheduler minutes(
            nullptr, [this] { return wall; }, [] { return false; });
        connect(&minutes, &RefreshScheduler::refresh, this, [&](qint64 ms) {
            for (const auto& clock : byMinute) {
                clock->updateDateTime(QDateTime::fromMSecsSinceEpoch(ms));
            }
        });
        minutes.start(wall);
        QCOMPARE(minutes.periodMs(), RefreshScheduler::MINUTE_MS);

        const auto color = [](const QLabel* label) {
            return label->palette().color(QPalette::WindowText);
        };
        int refreshes = 0;
        const qint64 end = from.addSecs(4 * 3600 + 1800).toMSecsSinceEpoch();
        for (qint64 second = from.toMSecsSinceEpoch() + 1000; second < end; second += 1000) {
            wall = second;
            if (second >= minutes.dueMs()) {
                minutes.fire();
                ++refreshes;
            }
            for (std::size_t i = 0; i < byMinute.size(); ++i) {
                bySecond[i]->updateDateTime(QDateTime::fromMSecsSinceEpoch(second));
                const auto& m = byMinute[i];
                const auto& s = bySecond[i];
                if (m->getTimeLbl()->text() != s->getTimeLbl()->text() ||
                    m->getDateLbl()->text() != s->getDateLbl()->text() ||
                    color(m->getDateLbl()) != color(s->getDateLbl())) {
                    QFAIL(qPrintable(u"%1 at %2: %3 %4 instead of %5 %6"_qs.arg(
                        zones.at(int(i)),
                        QDateTime::fromMSecsSinceEpoch(second).toString(Qt::ISODate),
                        m->getDateLbl()->text(), m->getTimeLbl()->text(), s->getDateLbl()->text(),
                        s->getTimeLbl()->text())));
                }
            }
        }
        QCOMPARE(refreshes, 4 * 60 + 29); // every whole minute after the start, and no more
        tzset();
    }

    // Both sources of the refresh timer, the kernel's and the plain one of systems
    // without it: one timeout per start, and idle after it.
    void wakeTimerFiresOnceAndRests_data()
    {
        QTest::addColumn<vantor::WakeTimer::Source>("source");
        QTest::newRow("kernel") << vantor::WakeTimer::Source::Kernel;
        QTest::newRow("plain") << vantor::WakeTimer::Source::Plain;
    }
    void wakeTimerFiresOnceAndRests()
    {
        QFETCH(vantor::WakeTimer::Source, source);
        vantor::WakeTimer timer(nullptr, source);
        QSignalSpy timeouts(&timer, &vantor::WakeTimer::timeout);
        QCOMPARE(timer.remainingMs(), -1);
        timer.start(20);
        timer.stop();
        QVERIFY(!timer.isActive());
        timer.start(40);
        QVERIFY(timer.isActive());
        QVERIFY(timer.remainingMs() > 0 && timer.remainingMs() <= 40);
        QTRY_COMPARE(timeouts.count(), 1);
        QVERIFY(!timer.isActive());
        QCOMPARE(timer.remainingMs(), -1);
        timer.start(0);
        QTRY_COMPARE(timeouts.count(), 2);
        QVERIFY(!timer.isActive());
    }

    void earlyRefreshAtMidnightShowsTheNewDateInItsColour_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QDateTime>("midnight");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QColor>("colour");
        // London is the local zone. Tokyo's midnight puts it a day ahead; London's own
        // year end leaves New York a day behind.
        QTest::newRow("Tokyo's midnight")
            << u"Asia/Tokyo"_qs << QDateTime(QDate(2026, 12, 9), QTime(15, 0), QTimeZone::utc())
            << u"2026-12-10"_qs << QColor(112, 13, 114);
        QTest::newRow("year end") << u"America/New_York"_qs
                                  << QDateTime(QDate(2027, 1, 1), QTime(0, 0), QTimeZone::utc())
                                  << u"2026-12-31"_qs << QColor(212, 43, 50);
    }
    void earlyRefreshAtMidnightShowsTheNewDateInItsColour()
    {
        QFETCH(QString, zone);
        QFETCH(QDateTime, midnight);
        QFETCH(QString, date);
        QFETCH(QColor, colour);
        ClockSetting setting("Europe/London");
        vantor::UserPreferences& uP = setting.uP;
        const utils::LanguageTable& labels = setting.labels;
        const qint64 due = midnight.toMSecsSinceEpoch();
        wall = due - 59'000;
        vantor::TimeZoneObject clock(zone, QDateTime::fromMSecsSinceEpoch(wall), &uP, std::nullopt,
                                     labels);
        RefreshScheduler minutes(
            nullptr, [this] { return wall; }, [] { return false; });
        connect(&minutes, &RefreshScheduler::refresh, this,
                [&](qint64 ms) { clock.updateDateTime(QDateTime::fromMSecsSinceEpoch(ms)); });
        minutes.start(wall);
        QCOMPARE(minutes.dueMs(), due);

        // The timer comes 40 ms before midnight; text and colour both show midnight.
        wall = due - 40;
        minutes.fire();
        QCOMPARE(clock.getDateLbl()->text(), date);
        QCOMPARE(clock.getDateLbl()->palette().color(QPalette::WindowText), colour);
        tzset();
    }
};

QTEST_MAIN(TestRefreshScheduler)
#include "tst_refreshscheduler.moc"
