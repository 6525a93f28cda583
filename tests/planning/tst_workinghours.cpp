#include "TestSupport.h"

#include "utils/gui/handlers/Logger.h"
#include "utils/handlers/IcuText.h"
#include "utils/handlers/LanguageTable.h"
#include "vantor/handlers/CountryCodes.h"
#include "vantor/planning/CommonSlot.h"
#include "vantor/planning/WorkingHours.h"
#include "vantor/preferences/UserPreferences.h"

#include <QDir>
#include <QFile>

#include <unicode/msgfmt.h>
#include <unicode/numfmt.h>

#include <sstream>

using vantor::CommonSlot;
using vantor::DayState;
using vantor::Place;
using vantor::WorkingHours;

Q_DECLARE_METATYPE(DayState)

namespace {

QDateTime utc(const char* text)
{
    return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).toUTC();
}

// The places of a comma-separated list of zones, with their countries as the flags have them.
QList<Place> places(const QString& zoneIds)
{
    static const vantor::CountryCodes codes;
    QList<Place> list;
    for (const QString& id : zoneIds.split(u',')) {
        list.append({QTimeZone(id.toLatin1()), codes.findCountryCode(id).value_or(QString())});
    }
    return list;
}

// "09:00-17:00"
WorkingHours hours(const QString& span)
{
    const QStringList ends = span.split(u'-');
    return {QTime::fromString(ends.first(), u"HH:mm"_qs),
            QTime::fromString(ends.last(), u"HH:mm"_qs)};
}

// Every quarter hour of the window in turn, the slow way.
std::optional<QDateTime> bruteForce(const WorkingHours& hours, const QList<Place>& places,
                                    const QDateTime& from, CommonSlot::Direction direction)
{
    const qint64 quarter = 15 * 60 * 1000;
    const qint64 at = from.toMSecsSinceEpoch();
    const bool ahead = direction == CommonSlot::Direction::Ahead;
    qint64 ms = ahead ? (at / quarter + 1) * quarter : (at - 1) / quarter * quarter;
    for (int step = 0; step < CommonSlot::searchDays * 96;
         ++step, ms += ahead ? quarter : -quarter) {
        const QDateTime t = QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC);
        if (std::all_of(places.begin(), places.end(), [&](const Place& place) {
                return hours.stateAt(place, t) == DayState::Working;
            })) {
            return t;
        }
    }
    return std::nullopt;
}

} // namespace

class TestWorkingHours : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void states_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QDateTime>("at");
        QTest::addColumn<DayState>("state");

        struct Row
        {
            const char* tag;
            const char* zone;
            const char* hours;
            const char* at;
            DayState state;
        };
        // From Monday 7 December 2026; London is on UTC. A night shift belongs to the day
        // it starts: Friday's runs into Saturday, Sunday's is not worked.
        const Row rows[] = {
            {"London Monday 09:00", "Europe/London", "09:00-17:00", "2026-12-07T09:00:00Z",
             DayState::Working},
            {"London Monday 17:00, the end excluded", "Europe/London", "09:00-17:00",
             "2026-12-07T17:00:00Z", DayState::Outside},
            {"London Monday 06:59", "Europe/London", "09:00-17:00", "2026-12-07T06:59:00Z",
             DayState::Night},
            {"London Saturday noon", "Europe/London", "09:00-17:00", "2026-12-12T12:00:00Z",
             DayState::DayOff},
            {"London Saturday night", "Europe/London", "09:00-17:00", "2026-12-12T22:00:00Z",
             DayState::Night},
            {"Riyadh Friday", "Asia/Riyadh", "09:00-17:00", "2026-12-11T09:00:00Z",
             DayState::DayOff},
            {"Riyadh Sunday", "Asia/Riyadh", "09:00-17:00", "2026-12-13T09:00:00Z",
             DayState::Working},
            {"Jerusalem Friday", "Asia/Jerusalem", "09:00-17:00", "2026-12-11T09:00:00Z",
             DayState::DayOff},
            {"Tehran Friday", "Asia/Tehran", "09:00-17:00", "2026-12-11T09:00:00Z",
             DayState::DayOff},
            {"Tehran Saturday", "Asia/Tehran", "09:00-17:00", "2026-12-12T09:00:00Z",
             DayState::Working},
            {"Kolkata Saturday", "Asia/Kolkata", "09:00-17:00", "2026-12-12T06:00:00Z",
             DayState::Working},
            {"Kolkata Sunday", "Asia/Kolkata", "09:00-17:00", "2026-12-13T06:00:00Z",
             DayState::DayOff},
            {"UTC Sunday", "UTC", "09:00-17:00", "2026-12-13T12:00:00Z", DayState::DayOff},
            {"Etc/GMT+5 Friday 16:59", "Etc/GMT+5", "09:00-17:00", "2026-12-11T21:59:00Z",
             DayState::Working},
            {"shift Friday 23:00", "Europe/London", "22:00-06:00", "2026-12-11T23:00:00Z",
             DayState::Working},
            {"shift Saturday 05:59", "Europe/London", "22:00-06:00", "2026-12-12T05:59:00Z",
             DayState::Working},
            {"shift Saturday 06:00", "Europe/London", "22:00-06:00", "2026-12-12T06:00:00Z",
             DayState::Night},
            {"shift Sunday 08:00", "Europe/London", "22:00-06:00", "2026-12-13T08:00:00Z",
             DayState::DayOff},
            {"shift Monday 03:00", "Europe/London", "22:00-06:00", "2026-12-14T03:00:00Z",
             DayState::Night},
            {"shift Monday 12:00", "Europe/London", "22:00-06:00", "2026-12-14T12:00:00Z",
             DayState::Outside},
            {"no hours at all", "Europe/London", "09:00-09:00", "2026-12-07T09:00:00Z",
             DayState::Outside},
        };
        for (const Row& row : rows) {
            QTest::newRow(row.tag) << QString::fromLatin1(row.zone)
                                   << QString::fromLatin1(row.hours) << utc(row.at) << row.state;
        }
    }
    void states()
    {
        QFETCH(QString, zone);
        QFETCH(QString, hours);
        QFETCH(QDateTime, at);
        QFETCH(DayState, state);
        QCOMPARE(::hours(hours).stateAt(places(zone).first(), at), state);
    }

    // The fast search finds what looking at every quarter hour finds, both ways.
    void slotsMatchEveryQuarterHour_data()
    {
        QTest::addColumn<QString>("zones");
        QTest::addColumn<QString>("hours");
        QTest::addColumn<QDateTime>("from");
        // The slot ahead worked out by hand, "none", or empty for the scan's word alone.
        QTest::addColumn<QString>("ahead");

        struct Row
        {
            const char* tag;
            const char* zones;
            const char* hours;
            const char* from;
            const char* ahead;
        };
        const Row rows[] = {
            // Kolkata 09:00 is 03:30 UTC; the hours shared are 09:00 to 11:30 in London.
            {"London Kolkata, Monday afternoon", "Europe/London,Asia/Kolkata", "09:00-17:00",
             "2026-12-07T12:00:00Z", "2026-12-08T09:00:00Z"},
            {"London Kolkata, on a quarter hour", "Europe/London,Asia/Kolkata", "09:00-17:00",
             "2026-12-08T09:00:00Z", "2026-12-08T09:15:00Z"},
            // Friday and Saturday are off in Riyadh, Sunday in London.
            {"London Riyadh, Thursday evening", "Europe/London,Asia/Riyadh", "09:00-17:00",
             "2026-12-10T19:00:00Z", "2026-12-14T09:00:00Z"},
            // New York moves its clocks on 8 March 2026, London on 29 March.
            {"New York London, 1 March", "America/New_York,Europe/London", "09:00-17:00",
             "2026-03-01T00:00:00Z", ""},
            {"New York London, week between the changes", "America/New_York,Europe/London",
             "09:00-17:00", "2026-03-06T18:00:00Z", "2026-03-09T13:00:00Z"},
            {"New York London, 8 March", "America/New_York,Europe/London", "09:00-17:00",
             "2026-03-08T06:59:30Z", ""},
            {"New York London, 20 March", "America/New_York,Europe/London", "09:00-17:00",
             "2026-03-20T16:50:00Z", ""},
            {"New York London, 27 March", "America/New_York,Europe/London", "09:00-17:00",
             "2026-03-27T20:00:00Z", ""},
            {"New York London, 29 March", "America/New_York,Europe/London", "09:00-17:00",
             "2026-03-29T00:30:00Z", ""},
            {"New York London, 2 April", "America/New_York,Europe/London", "09:00-17:00",
             "2026-04-02T12:07:00Z", ""},
            {"Kathmandu, quarter-hour offset", "Asia/Kathmandu,Europe/London,Asia/Kolkata",
             "09:00-17:00", "2026-12-08T12:00:00Z", "2026-12-09T09:00:00Z"},
            // 25 hours apart: Monday in Kiritimati meets Sunday in Pago Pago, Tuesday meets Monday.
            {"Kiritimati Pago Pago", "Pacific/Kiritimati,Pacific/Pago_Pago", "09:00-17:00",
             "2026-12-07T00:00:00Z", "2026-12-07T20:00:00Z"},
            // Thirteen hours apart in December leave no common hour.
            {"London Auckland", "Europe/London,Pacific/Auckland", "09:00-17:00",
             "2026-12-07T00:00:00Z", "none"},
            {"no hours at all", "Europe/London", "09:00-09:00", "2026-12-07T00:00:00Z", "none"},
            {"odd minutes", "Europe/London,Asia/Kathmandu,America/Sao_Paulo", "06:10-16:50",
             "2026-12-09T23:59:59Z", ""},
            {"one quarter hour inside", "Europe/Berlin,Asia/Kolkata", "13:07-13:20",
             "2026-12-07T00:00:00Z", ""},
            {"night shift over the spring change", "Europe/London,America/New_York", "20:00-05:00",
             "2026-03-25T00:00:00Z", ""},
            // 01:00 to 01:30 comes twice on the night New York turns its clocks back.
            {"night shift into the repeated hour", "America/New_York,America/Chicago",
             "23:00-01:30", "2026-10-30T12:00:00Z", ""},
            {"Riyadh Tehran Kolkata Sydney UTC",
             "Asia/Riyadh,Asia/Tehran,Asia/Kolkata,Australia/Sydney,UTC", "07:00-19:45",
             "2026-12-10T10:00:00Z", ""},
        };
        for (const Row& row : rows) {
            QTest::newRow(row.tag)
                << QString::fromLatin1(row.zones) << QString::fromLatin1(row.hours) << utc(row.from)
                << QString::fromLatin1(row.ahead);
        }
    }
    void slotsMatchEveryQuarterHour()
    {
        QFETCH(QString, zones);
        QFETCH(QString, hours);
        QFETCH(QDateTime, from);
        QFETCH(QString, ahead);
        const WorkingHours working = ::hours(hours);
        const QList<Place> list = places(zones);
        for (const auto direction : {CommonSlot::Direction::Ahead, CommonSlot::Direction::Back}) {
            const std::optional<QDateTime> expected = bruteForce(working, list, from, direction);
            QCOMPARE(CommonSlot::find(working, list, from, direction), expected);
        }
        if (!ahead.isEmpty()) {
            const std::optional<QDateTime> slot =
                CommonSlot::find(working, list, from, CommonSlot::Direction::Ahead);
            QCOMPARE(slot ? slot->toString(Qt::ISODate) : u"none"_qs, ahead);
        }
    }

    // Each bad stored value gives its key's default and one line, however often read; a
    // time off the dialog's quarter hours is kept.
    void storedHoursFallBackOneByOne()
    {
        const TemporarySettings settings;
        QDir().mkpath(QFileInfo(settings.file()).path());
        QFile file(settings.file());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\nWorkStart=9:00\nWorkEnd=16:50\nShowWorkingHours=maybe\n");
        file.close();
        std::ostringstream log;
        utils::Logger::resetForTesting();
        utils::Logger::setStream(&log);
        const vantor::UserPreferences up(u"com.quorvane.vantor.Vantor"_qs);
        for (int read = 0; read < 3; ++read) {
            QCOMPARE(up.getWorkStart(), u"09:00"_qs);
            QCOMPARE(up.getWorkEnd(), u"16:50"_qs);
            QVERIFY(up.isShowWorkingHours());
        }
        utils::Logger::setStream(nullptr);
        const QStringList lines =
            QString::fromStdString(log.str()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines.first().contains(u"WorkStart=\"9:00\""_qs), qPrintable(lines.first()));
        QVERIFY2(lines.last().contains(u"ShowWorkingHours=\"maybe\""_qs), qPrintable(lines.last()));
    }

    // The count in "none in the next 14 days" goes through each language's plural rules
    // and digits.
    void noSlotTextsTakeTheCount()
    {
        const QDir dir(u":/com/quorvane/vantor/lang"_qs);
        for (const QString& name : dir.entryList({u"Lang*.properties"_qs})) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QHash<QString, QString> texts =
                utils::LanguageTable::parseProperties(file.readAll(), name);
            const QString suffix = name.section(u'.', 0, 0).section(u'_', 1);
            if (suffix.startsWith(u"en"_qs)) {
                continue; // they take the base's texts
            }
            const icu::Locale locale(suffix.isEmpty() ? "en" : suffix.toLatin1().constData());
            UErrorCode status = U_ZERO_ERROR;
            const std::unique_ptr<icu::NumberFormat> numbers(
                icu::NumberFormat::createInstance(locale, status));
            icu::UnicodeString fourteen;
            numbers->format(static_cast<int32_t>(14), fourteen);
            for (const QString& key : {u"lbl.slot.none.ahead"_qs, u"lbl.slot.none.back"_qs}) {
                const icu::MessageFormat format(utils::toIcu(texts.value(key)), locale, status);
                const icu::Formattable count(static_cast<int32_t>(14));
                icu::UnicodeString text;
                icu::FieldPosition position;
                format.format(&count, 1, text, position, status);
                QVERIFY2(U_SUCCESS(status), qPrintable(name + u' ' + key));
                const QString shown = utils::fromIcu(text);
                QVERIFY2(shown.contains(utils::fromIcu(fourteen)) && !shown.contains(u'#') &&
                             !shown.contains(u'{'),
                         qPrintable(name + u": "_qs + shown));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestWorkingHours)
#include "tst_workinghours.moc"
