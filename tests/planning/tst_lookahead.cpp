#include "TestSupport.h"

#include "utils/handlers/LanguageTable.h"
#include "vantor/Vantor.h"
#include "vantor/planning/ClockTexts.h"
#include "vantor/planning/WorkingHours.h"
#include "vantor/time/ShownMoment.h"
#include "vantor/zones/ZoneFacts.h"

#include <QElapsedTimer>

#include <ctime>

using vantor::ClockTexts;
using vantor::DayState;
using vantor::ShownMoment;

Q_DECLARE_METATYPE(DayState)

// Looking ahead in time: the shown moment on an injected clock, and the texts a clock's
// tooltip gives for it.
class TestLookAhead : public QObject
{
    Q_OBJECT

    static constexpr qint64 LookAheadNotch = 15 * 60 * 1000;

    static QDateTime utc(const char* text)
    {
        return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).toUTC();
    }
    static QString inZone(const QDateTime& instant, const char* zone)
    {
        return instant.toTimeZone(QTimeZone(zone)).toString(u"yyyy-MM-dd HH:mm"_qs);
    }

private Q_SLOTS:
    void initTestCase()
    {
        vantor::Vantor::applyDefaultLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }

    // Minutes and hours move the instant, so an hour across New York's spring-forward
    // gap lands where its rules say; a day keeps the local wall time.
    void shiftAcrossDaylightSaving()
    {
        const EnvironmentGuard tz("TZ", QByteArray("America/New_York"));
        tzset();
        ShownMoment moment;
        const QDateTime now = utc("2026-03-08T06:30:00Z"); // 01:30 EST
        moment.moveBy(60 * 60 * 1000);
        QCOMPARE(inZone(moment.shown(now), "America/New_York"), u"2026-03-08 03:30"_qs);
        moment.moveBy(-2 * 60 * 60 * 1000);
        QCOMPARE(inZone(moment.shown(now), "America/New_York"), u"2026-03-08 00:30"_qs);
        QCOMPARE(moment.nominalShiftMs(), -60 * 60 * 1000);

        moment.returnToNow();
        const QDateTime noon = utc("2026-03-07T17:00:00Z"); // Saturday 12:00 EST
        moment.moveByDays(1);
        QCOMPARE(inZone(moment.shown(noon), "America/New_York"), u"2026-03-08 12:00"_qs);
        QCOMPARE(inZone(moment.shown(noon), "Asia/Tokyo"), u"2026-03-09 01:00"_qs);
        moment.moveByDays(-2);
        QCOMPARE(inZone(moment.shown(noon), "America/New_York"), u"2026-03-06 12:00"_qs);
        QCOMPARE(moment.nominalShiftMs(), -24 * 60 * 60 * 1000);
        tzset();
    }

    // A while after the last move the clocks show now again by themselves, through the
    // event loop; moves that cancel out leave no timer running.
    void returnsToNowOnTimeThroughTheEventLoop()
    {
        QVERIFY(ShownMoment().returnsInMs() == -1);
        ShownMoment standard;
        standard.moveBy(LookAheadNotch);
        QVERIFY(standard.returnsInMs() > ShownMoment::RETURN_MS - 1000);

        constexpr int returnMs = 300;
        ShownMoment moment(nullptr, returnMs);
        QSignalSpy changes(&moment, &ShownMoment::changed);
        moment.moveBy(LookAheadNotch);
        moment.moveBy(-LookAheadNotch);
        QVERIFY(!moment.isShifted());
        QCOMPARE(moment.returnsInMs(), -1);

        QElapsedTimer since;
        since.start();
        moment.moveBy(LookAheadNotch);
        moment.moveByDays(1);
        QVERIFY(moment.isShifted());
        QTRY_VERIFY_WITH_TIMEOUT(!moment.isShifted(), 5000);
        QVERIFY2(since.elapsed() >= returnMs - 5, qPrintable(QString::number(since.elapsed())));
        QCOMPARE(moment.returnsInMs(), -1);
        QCOMPARE(changes.count(), 5); // four moves and the return
        const QDateTime now = utc("2026-12-09T12:00:00Z");
        QCOMPARE(moment.shown(now), now);
    }

    // The state in words on the date's line, the offset in force while it is not the
    // standard one the clock shows, and a coming change.
    void tooltipNamesAComingChange_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QDateTime>("shown");
        QTest::addColumn<DayState>("state");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("forward in 3 days")
            << "Europe/Berlin" << utc("2026-03-26T12:00:00Z") << DayState::Working
            << QStringList{u"Thursday, 26 March 2026, working hours"_qs,
                           u"4 hrs, 30 mins behind you"_qs,
                           u"Clocks go forward 1 hr on Sunday, 29 March at 02:00"_qs};
        QTest::newRow("back in 3 days, daylight saving time now")
            << "America/New_York" << utc("2026-10-29T12:00:00Z") << DayState::Outside
            << QStringList{u"Thursday, 29 October 2026, outside working hours"_qs,
                           u"9 hrs, 30 mins behind you"_qs,
                           u"Now UTC-04:00, daylight saving time"_qs,
                           u"Clocks go back 1 hr on Sunday, 1 November at 02:00"_qs};
        QTest::newRow("none within 7 days")
            << "Europe/Berlin" << utc("2026-03-20T12:00:00Z") << DayState::Working
            << QStringList{u"Friday, 20 March 2026, working hours"_qs,
                           u"4 hrs, 30 mins behind you"_qs};
        QTest::newRow("southern summer")
            << "Australia/Sydney" << utc("2026-12-12T01:00:00Z") << DayState::DayOff
            << QStringList{u"Saturday, 12 December 2026, day off"_qs,
                           u"5 hrs, 30 mins ahead of you"_qs,
                           u"Now UTC+11:00, daylight saving time"_qs};
        QTest::newRow("ahead, across midnight")
            << "Pacific/Kiritimati" << utc("2026-12-09T20:00:00Z") << DayState::Working
            << QStringList{u"Thursday, 10 December 2026, working hours"_qs,
                           u"8 hrs, 30 mins ahead of you"_qs};
        QTest::newRow("the same") << "Asia/Calcutta" << utc("2026-12-09T20:00:00Z")
                                  << DayState::Night
                                  << QStringList{u"Thursday, 10 December 2026, night"_qs,
                                                 u"Same time as you"_qs};
    }
    void tooltipNamesAComingChange()
    {
        QFETCH(QString, zone);
        QFETCH(QDateTime, shown);
        QFETCH(DayState, state);
        QFETCH(QStringList, lines);
        const EnvironmentGuard tz("TZ", QByteArray("Asia/Kolkata"));
        tzset();
        const utils::LanguageTable labels =
            utils::LanguageTable::load(vantor::Vantor::LANGUAGE, QLocale());
        ClockTexts texts(labels);
        const QTimeZone timeZone(zone.toUtf8());
        // The state a clock there has at that moment, as it is handed to the tooltip.
        const vantor::WorkingHours hours(QTime(9, 0), QTime(17, 0));
        QCOMPARE(hours.stateAt({timeZone, {}}, shown), state);
        QCOMPARE(
            texts
                .tooltip(timeZone, shown, state, vantor::ZoneFacts::standardOffset(timeZone, shown))
                .split(u'\n'),
            lines);
        tzset();
    }

    void badgeTexts()
    {
        const utils::LanguageTable labels =
            utils::LanguageTable::load(vantor::Vantor::LANGUAGE, QLocale());
        const ClockTexts texts(labels);
        QCOMPARE(texts.shiftText(0), QString());
        QCOMPARE(texts.shiftText((3 * 60 + 15) * 60 * 1000), u"+3h 15m"_qs);
        QCOMPARE(texts.shiftText(-(26 * 60) * 60 * 1000), u"-1d 2h"_qs);
    }
};

QTEST_GUILESS_MAIN(TestLookAhead)
#include "tst_lookahead.moc"
