#include "TestSupport.h"

#include "utils/gui/components/ImageLabel.h"
#include "utils/gui/handlers/Logger.h"
#include "utils/handlers/DateFormatter.h"
#include "utils/handlers/LanguageTable.h"
#include "utils/objects/constants/StandardColors.h"
#include "vantor/Vantor.h"
#include "vantor/clocks/DayStateCue.h"
#include "vantor/objects/TimeZoneObject.h"
#include "vantor/planning/ClockTexts.h"
#include "vantor/preferences/UserPreferences.h"

#include <QLabel>

#include <ctime>
#include <memory>
#include <sstream>

using utils::StandardColors;
using vantor::DayState;
using vantor::TimeZoneObject;
using vantor::UserPreferences;

namespace {

QDateTime utc(const char* text)
{
    QDateTime instant = QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate);
    instant.setTimeZone(QTimeZone::utc());
    return instant;
}

QColor textColor(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

} // namespace

class TestTimeZoneObject : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporarySettings> settings;
    std::unique_ptr<UserPreferences> uP;
    utils::LanguageTable labels;
    std::ostringstream log;

    std::unique_ptr<TimeZoneObject> entry(const QString& zone, const QDateTime& instant,
                                          const std::optional<QString>& flag = std::nullopt)
    {
        return std::make_unique<TimeZoneObject>(zone, instant, uP.get(), flag, labels);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Local time is London's, so day comparisons do not depend on the machine.
        qputenv("TZ", "Europe/London");
        tzset();
        vantor::Vantor::applyDefaultLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        labels = utils::LanguageTable::load(vantor::Vantor::LANGUAGE, QLocale());
    }
    void init()
    {
        settings = std::make_unique<TemporarySettings>();
        uP = std::make_unique<UserPreferences>(vantor::Vantor::MAIN_CLASS);
        log.str({});
        utils::Logger::resetForTesting();
        utils::Logger::setStream(&log);
    }
    void cleanup()
    {
        utils::Logger::setStream(nullptr);
        uP.reset();
        settings.reset();
    }

    void offsetText_data()
    {
        QTest::addColumn<qint64>("ms");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "+00:00";
        QTest::newRow("India") << qint64(19800000) << "+05:30";
        QTest::newRow("Newfoundland") << qint64(-12600000) << "-03:30";
        QTest::newRow("New York") << qint64(-18000000) << "-05:00";
        QTest::newRow("Chatham") << qint64(45900000) << "+12:45";
        QTest::newRow("Line Islands") << qint64(50400000) << "+14:00";
        // Under an hour west of UTC the sign must not get lost with the zero hour.
        QTest::newRow("half hour west") << qint64(-1800000) << "-00:30";
    }
    void offsetText()
    {
        QFETCH(qint64, ms);
        QFETCH(QString, text);
        QCOMPARE(TimeZoneObject::calculateOffset(ms), text);
    }

    void labelsOfOneZone_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QString>("time");
        // 12:00 UTC in July: daylight-saving time is in force in the north.
        QTest::newRow("London in summer") << "Europe/London"
                                          << "London"
                                          << "UTC+00:00"
                                          << "13:00";
        QTest::newRow("Kolkata") << "Asia/Kolkata"
                                 << "Kolkata"
                                 << "UTC+05:30"
                                 << "17:30";
        QTest::newRow("St Johns in summer") << "America/St_Johns"
                                            << "St Johns"
                                            << "UTC-03:30"
                                            << "09:30";
        QTest::newRow("nested identifier") << "America/Argentina/Buenos_Aires"
                                           << "Buenos Aires"
                                           << "UTC-03:00"
                                           << "09:00";
        // The system's zone data, not ICU's own, decides: today's rules.
        QTest::newRow("Nuuk") << "America/Nuuk"
                              << "Nuuk"
                              << "UTC-02:00"
                              << "11:00";
        QTest::newRow("Almaty") << "Asia/Almaty"
                                << "Almaty"
                                << "UTC+05:00"
                                << "17:00";
        // The tz data counts Irish winter and Moroccan Ramadan as daylight-saving time
        // with a negative offset; people count UTC+00:00 as their standard.
        QTest::newRow("Dublin in summer") << "Europe/Dublin"
                                          << "Dublin"
                                          << "UTC+00:00"
                                          << "13:00";
        QTest::newRow("Casablanca") << "Africa/Casablanca"
                                    << "Casablanca"
                                    << "UTC+00:00"
                                    << "13:00";
        QTest::newRow("no area") << "UTC"
                                 << "UTC"
                                 << "UTC+00:00"
                                 << "12:00";
        QTest::newRow("unknown shows UTC") << "Mars/Olympus_Mons"
                                           << "Olympus Mons"
                                           << "UTC+00:00"
                                           << "12:00";
    }
    void labelsOfOneZone()
    {
        QFETCH(QString, zone);
        QFETCH(QString, caption);
        QFETCH(QString, offset);
        QFETCH(QString, time);
        uP->setTimePattern(u"HH:mm"_qs);
        const auto clock = entry(zone, utc("2024-07-15T12:00:00"));
        QCOMPARE(clock->getNameLbl()->text(), caption);
        QCOMPARE(clock->getTimeZoneLbl()->text(), offset);
        QCOMPARE(clock->getTimeLbl()->text(), time);
        QCOMPARE(textColor(clock->getTimeZoneLbl()), QColor(42, 126, 55));
    }

    void unknownZoneIsLoggedOnce()
    {
        entry(u"Nowhere/Atlantis"_qs, utc("2024-07-15T12:00:00"));
        entry(u"Nowhere/Atlantis"_qs, utc("2024-07-15T12:00:00"));
        QCOMPARE(QString::fromStdString(log.str()).count(u"Nowhere/Atlantis"_qs), 1);
    }

    void fontsFollowTheTimeFontSize_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("default") << 18 << 18;
        QTest::newRow("zero") << 0 << TimeZoneObject::MIN_TIME_FONT_SIZE;
        QTest::newRow("negative") << -5 << TimeZoneObject::MIN_TIME_FONT_SIZE;
        QTest::newRow("huge") << 5000 << TimeZoneObject::MAX_TIME_FONT_SIZE;
    }
    void fontsFollowTheTimeFontSize()
    {
        QFETCH(int, stored);
        QFETCH(int, shown);
        uP->setTimeFontSize(stored);
        const auto clock = entry(u"Asia/Tokyo"_qs, utc("2024-07-15T12:00:00"));
        QCOMPARE(clock->getTimeLbl()->font().pointSize(), shown);
        QCOMPARE(clock->getNameLbl()->font().pointSize(), shown - 4);
        QCOMPARE(clock->getDateLbl()->font().pointSize(), shown - 4);
        QCOMPARE(clock->getTimeZoneLbl()->font().pointSize(), shown - 6);
        QCOMPARE(uP->getTimeFontSize(), stored); // the stored value stays as it is
    }

    void patternsChangeOnTheNextTick()
    {
        const auto clock = entry(u"Asia/Kolkata"_qs, utc("2024-07-15T12:00:00"));
        QCOMPARE(clock->getTimeLbl()->text(), u"5:30 PM"_qs);
        QCOMPARE(clock->getDateLbl()->text(), u"2024-07-15"_qs);

        uP->setTimePattern(u"HH:mm:ss"_qs);
        uP->setDatePattern(u"EEEE d MMMM yyyy"_qs);
        clock->updateDateTime(utc("2024-07-15T19:00:05"));
        QCOMPARE(clock->getTimeLbl()->text(), u"00:30:05"_qs);
        QCOMPARE(clock->getDateLbl()->text(), u"Tuesday 16 July 2024"_qs);
    }

    void unusablePatternsFallBackAndStayStored_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::newRow("unbalanced quote") << "h:mm 'o clock";
        QTest::newRow("unknown letters") << "HH:mm:ss jjjj";
        QTest::newRow("only quotes") << "'''";
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "  ";
    }
    void unusablePatternsFallBackAndStayStored()
    {
        QFETCH(QString, pattern);
        uP->setTimePattern(pattern);
        uP->setDatePattern(u"yyyy-MM-dd"_qs);
        const auto clock = entry(u"Asia/Kolkata"_qs, utc("2024-07-15T12:00:00"));
        QVERIFY2(clock->getTimeLbl()->text().startsWith(u"5:30"_qs),
                 qPrintable(clock->getTimeLbl()->text()));
        QCOMPARE(uP->getTimePattern({}), pattern);
        QVERIFY(QString::fromStdString(log.str()).contains(u'"' + pattern + u'"'));
    }

    // An unknown zone shows UTC and says so in one line, also for a megabyte of text.
    void unknownZoneIsReportedOnceAndShort()
    {
        const QString huge(1 << 20, u'x');
        const QDateTime instant = utc("2024-07-15T12:00:00");
        for (int i = 0; i < 2; ++i) {
            const auto clock = entry(huge, instant);
            QCOMPARE(clock->getTimeLbl()->text(), u"12:00 PM"_qs);
        }
        const QStringList lines =
            QString::fromStdString(log.str()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().size() < 300 && lines.first().contains(u"Unknown time zone"_qs),
                 qPrintable(lines.first().left(300)));
    }

    void dateColourComparesDaysAcrossTheYear_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("now");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QColor>("colour");
        // London (local) just after midnight on 1 January: New York is still in December.
        QTest::newRow("behind, light") << "America/New_York"
                                       << "2021-01-01T00:30:00" << false << QColor(212, 43, 50);
        QTest::newRow("behind, dark") << "America/New_York"
                                      << "2021-01-01T00:30:00" << true << QColor(212, 43, 50);
        // London on 31 December: Tokyo is already in the new year.
        QTest::newRow("ahead, light") << "Asia/Tokyo"
                                      << "2020-12-31T23:30:00" << false << QColor(112, 13, 114);
        QTest::newRow("ahead, dark") << "Asia/Tokyo"
                                     << "2020-12-31T23:30:00" << true << StandardColors::AHEAD;
        QTest::newRow("same day, light") << "Europe/Paris"
                                         << "2021-06-01T12:00:00" << false << StandardColors::BASE;
        QTest::newRow("same day, dark")
            << "Europe/Paris"
            << "2021-06-01T12:00:00" << true << StandardColors::LIGHT_TEXT;
    }
    void dateColourComparesDaysAcrossTheYear()
    {
        QFETCH(QString, zone);
        QFETCH(QString, now);
        QFETCH(bool, dark);
        QFETCH(QColor, colour);
        const QDateTime instant = utc(now.toLatin1().constData());
        uP->setDarkMode(dark);
        const auto clock = entry(zone, instant);
        QCOMPARE(textColor(clock->getDateLbl()), colour);

        // The colour follows the instant shown, as the date text does: half a day later
        // both sides are on the same date.
        clock->updateDateTime(instant.addSecs(12 * 3600));
        QCOMPARE(textColor(clock->getDateLbl()),
                 dark ? StandardColors::LIGHT_TEXT : StandardColors::BASE);
    }

    // The working-hours state follows the shown instant and is told in words also while
    // its mark is hidden, which then takes no room; the copied line carries the offset
    // in force, the label the standard one.
    void workingHoursStateAndTheOffsetInForce()
    {
        const QDateTime wednesday = utc("2026-12-09T03:00:00"); // 14:00 in Sydney
        const auto clock = entry(u"Australia/Sydney"_qs, wednesday);
        vantor::ClockTexts texts(labels);
        QVERIFY(clock->getStateCue() != nullptr);
        QCOMPARE(clock->getStateCue()->state(), DayState::Working);
        QCOMPARE(clock->getTimeZoneLbl()->text(), u"UTC+10:00"_qs);
        QCOMPARE(texts.copyLine(*clock, wednesday, u"yyyy-MM-dd"_qs, u"HH:mm"_qs),
                 u"Sydney: Wed 2026-12-09 14:00, UTC+11:00"_qs);
        QVERIFY(texts.accessibleName(*clock, wednesday, 0).endsWith(u", UTC+10:00, working hours"));

        const QDateTime saturday = utc("2026-12-12T01:00:00"); // noon
        clock->updateDateTime(saturday);
        QCOMPARE(clock->dayState(), DayState::DayOff);
        QCOMPARE(clock->getStateCue()->state(), DayState::DayOff);
        const QDateTime july = utc("2026-07-08T03:00:00"); // 13:00, standard time
        QCOMPARE(texts.copyLine(*clock, july, u"yyyy-MM-dd"_qs, u"HH:mm"_qs),
                 u"Sydney: Wed 2026-07-08 13:00, UTC+10:00"_qs);

        uP->setShowWorkingHours(false);
        const auto hidden = entry(u"Australia/Sydney"_qs, saturday.addSecs(12 * 3600));
        QCOMPARE(hidden->getStateCue(), nullptr);
        QVERIFY(hidden->getObjectDimension().width() < clock->getObjectDimension().width());
        QVERIFY(texts.accessibleName(*hidden, saturday.addSecs(12 * 3600), 0).endsWith(u", night"));
    }

    void flagsAndTheirSizeAllowance()
    {
        const QDateTime instant = utc("2024-07-15T12:00:00");
        const auto without = entry(u"America/New_York"_qs, instant);
        const auto with = entry(u"America/New_York"_qs, instant, u"flag-us.png"_qs);
        // No round picture exists for this code: the caption shows without one.
        const auto missing = entry(u"America/Curacao"_qs, instant, u"flag-cw.png"_qs);
        auto* flagged = static_cast<utils::ImageLabel*>(with->getNameLbl());
        QVERIFY(flagged->hasIcon());
        QVERIFY(!static_cast<utils::ImageLabel*>(missing->getNameLbl())->hasIcon());
        QCOMPARE(with->getObjectDimension().width(), without->getObjectDimension().width() + 16);
        QCOMPARE(with->getObjectDimension().height(), without->getObjectDimension().height() + 16);

        // A change of style swaps the picture on the next tick, without a rebuild.
        const qint64 round = flagged->icon().cacheKey();
        uP->setRoundFlags(false);
        with->updateDateTime(instant.addSecs(1));
        QVERIFY(flagged->icon().cacheKey() != round);
        QVERIFY(flagged->hasIcon());
    }
};

QTEST_MAIN(TestTimeZoneObject)
#include "tst_timezoneobject.moc"
