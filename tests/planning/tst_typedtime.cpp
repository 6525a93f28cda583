#include "TestSupport.h"

#include "utils/gui/components/MyJComboBox.h"
#include "utils/handlers/DateFormatter.h"
#include "utils/handlers/LanguageTable.h"
#include "utils/handlers/TextFormat.h"
#include "vantor/Vantor.h"
#include "vantor/dialogs/MySettings.h"
#include "vantor/planning/TypedTime.h"

#include <QDir>

using vantor::TypedTime;

// A time typed on a clock: what the parser takes in the user's language, and the
// moment it means on a zone's wall clock across daylight-saving switches.
class TestTypedTime : public QObject
{
    Q_OBJECT

    static QString shown(const std::optional<QTime>& time)
    {
        return time ? time->toString(u"HH:mm:ss"_qs) : u"rejected"_qs;
    }
    static QDateTime utc(const QString& text)
    {
        return QDateTime::fromString(text, Qt::ISODate).toUTC();
    }

    // The text typed in a locale, and the time it gives, "rejected" for none.
    static void parseColumns()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
    }
    static void checkParse()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        utils::DateFormatter::setDefaultLocale(locale);
        QCOMPARE(shown(TypedTime::parse(text)), expected);
    }

    // The patterns the Settings dialog offers for the time, as it lists them.
    static QStringList offeredTimePatterns()
    {
        TemporarySettings settings;
        vantor::MySettings dialog(
            utils::LanguageTable::load(vantor::Vantor::LANGUAGE, QLocale(QLocale::English)),
            nullptr);
        const auto* box = dialog.findChild<utils::MyJComboBox*>(u"timeFormat_CB"_qs);
        QStringList patterns;
        for (int row = 0; box != nullptr && row < box->count(); ++row) {
            patterns << box->itemText(row);
        }
        return patterns;
    }

private Q_SLOTS:
    void parsesWhatUsersType_data()
    {
        parseColumns();
        const auto row = [](const char* locale, const QString& text, const char* expected) {
            QTest::addRow("%s \"%s\"", locale, qPrintable(text))
                << QString::fromLatin1(locale) << text << QString::fromLatin1(expected);
        };
        for (const char* locale : {"en_US", "de_DE", "ar_EG", "ja_JP"}) {
            row(locale, u"9"_qs, "09:00:00");
            row(locale, u"9:30"_qs, "09:30:00");
            row(locale, u"9.30"_qs, "09:30:00");
            row(locale, u"0930"_qs, "09:30:00");
            row(locale, u"930"_qs, "09:30:00");
            row(locale, u"21:30"_qs, "21:30:00");
            row(locale, u"21.30"_qs, "21:30:00");
            row(locale, u"  0:05 "_qs, "00:05:00");
            row(locale, u"23:59:59"_qs, "23:59:00");
            row(locale, u"9pm"_qs, "21:00:00");
            row(locale, u"9 pm"_qs, "21:00:00");
            row(locale, u"9:30 PM"_qs, "21:30:00");
            row(locale, u"9:30 p.m."_qs, "21:30:00");
            row(locale, u"12 am"_qs, "00:00:00");
            row(locale, u"12:15 pm"_qs, "12:15:00");
            row(locale, u"0:30 AM"_qs, "00:30:00");
            row(locale, u"\uff12\uff11\uff1a\uff13\uff10"_qs, "21:30:00"); // full width
            for (const QString& reject :
                 {u""_qs,     u"  "_qs,      u"25:99"_qs,  u"24:00"_qs,   u"24"_qs,
                  u"9:60"_qs, u"9:30:60"_qs, u"13 pm"_qs,  u"-9"_qs,      u"-9:30"_qs,
                  u"+9"_qs,   u"9x"_qs,      u"nine"_qs,   u"9:30 xm"_qs, u"pm"_qs,
                  u"9:"_qs,   u":30"_qs,     u"9::30"_qs,  u"9:300"_qs,   u"12345"_qs,
                  u"9 30"_qs, u"1:2:3:4"_qs, u"am 9 pm"_qs}) {
                row(locale, reject, "rejected");
            }
        }
        // The locale's own markers and digits, and what a copied clock text carries.
        row("ar_EG", u"\u0669:\u0663\u0660 \u0645"_qs, "21:30:00");
        row("ar_EG", u"\u0669:\u0663\u0660 \u0635"_qs, "09:30:00");
        row("ar_EG", u"\u0662\u0661:\u0664\u0665"_qs, "21:45:00");
        row("ar_EG", u"\u200f\u0669:\u0663\u0660\u00a0\u0645\u200f"_qs, "21:30:00");
        row("ar_EG", u"\u0661\u0663 \u0645"_qs, "rejected");
        row("ja_JP", u"\u5348\u5f8c9:30"_qs, "21:30:00");
        row("ja_JP", u"\u5348\u524d0:05"_qs, "00:05:00");
        row("ja_JP", u"9:30 \u5348\u5f8c"_qs, "21:30:00");
        row("ja_JP", u"\u5348\u5f8c\uff19\uff1a\uff13\uff10"_qs, "21:30:00");
        row("ja_JP", u"\u5348\u5f8c13:00"_qs, "rejected");
        row("de_DE", u"21.30 Uhr"_qs, "rejected");
        // Another language's marker is no marker.
        row("en_US", u"\u5348\u5f8c9:30"_qs, "rejected");
        row("en_US", u"9:30 \u0645"_qs, "rejected");
    }
    void parsesWhatUsersType() { checkParse(); }

    // Every time pattern the Settings dialog offers, and the language's own 12- and
    // 24-hour patterns, as ICU writes them in each language of the tables: what a clock
    // shows, typed back, is its time.
    void readsBackWhatClocksShow_data()
    {
        parseColumns();
        const QStringList offered = offeredTimePatterns();
        QVERIFY(!offered.isEmpty());
        const QStringList tables = QDir(u":/com/quorvane/vantor/lang"_qs)
                                       .entryList({u"Lang_*.properties"_qs})
                                       .replaceInStrings(u"Lang_"_qs, QString())
                                       .replaceInStrings(u".properties"_qs, QString());
        QVERIFY(!tables.isEmpty());
        for (const QString& locale : tables) {
            utils::DateFormatter::setDefaultLocale(locale);
            QStringList patterns = offered;
            patterns << utils::TextFormat::skeletonPattern(u"hmm"_qs)
                     << utils::TextFormat::skeletonPattern(u"Hmm"_qs);
            patterns.removeDuplicates();
            for (const QString& pattern : patterns) {
                utils::DateFormatter formatter(pattern, pattern);
                for (const QTime time :
                     {QTime(0, 5), QTime(9, 30), QTime(12, 0), QTime(21, 45), QTime(23, 59, 59)}) {
                    const QString text = formatter.format(
                        QDateTime(QDate(2026, 1, 15), time, Qt::UTC), QTimeZone::utc());
                    QTest::addRow("%s %s %s", qPrintable(locale), qPrintable(pattern),
                                  qPrintable(time.toString(u"HH:mm"_qs)))
                        << locale << text << QTime(time.hour(), time.minute()).toString();
                }
            }
        }
    }
    void readsBackWhatClocksShow() { checkParse(); }

    void nextOccurrence_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QTime>("wall");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* zone, const char* from, QTime wall,
                            const char* expected) {
            QTest::newRow(name) << QByteArray(zone) << QString::fromLatin1(from) << wall
                                << QString::fromLatin1(expected);
        };
        // London springs forward at 01:00 GMT to 02:00 BST.
        row("London later today", "Europe/London", "2026-03-29T00:00:00Z", QTime(0, 30),
            "2026-03-29T00:30:00Z");
        row("London gap start", "Europe/London", "2026-03-29T00:00:00Z", QTime(1, 0),
            "2026-03-29T01:00:00Z");
        row("London in gap", "Europe/London", "2026-03-29T00:00:00Z", QTime(1, 30),
            "2026-03-29T01:00:00Z");
        row("London after gap", "Europe/London", "2026-03-29T00:00:00Z", QTime(2, 30),
            "2026-03-29T01:30:00Z");
        row("London gap passed", "Europe/London", "2026-03-29T01:00:30Z", QTime(1, 30),
            "2026-03-30T00:30:00Z");
        // ... and falls back at 01:00 GMT from 02:00 BST: 01:00 to 01:59 are shown twice.
        row("London repeat first", "Europe/London", "2026-10-24T23:00:00Z", QTime(1, 30),
            "2026-10-25T00:30:00Z");
        row("London repeat second", "Europe/London", "2026-10-25T00:45:00Z", QTime(1, 30),
            "2026-10-25T01:30:00Z");
        row("London after repeat", "Europe/London", "2026-10-24T23:00:00Z", QTime(2, 0),
            "2026-10-25T02:00:00Z");
        row("New York in gap", "America/New_York", "2026-03-08T05:00:00Z", QTime(2, 30),
            "2026-03-08T07:00:00Z");
        row("New York after gap", "America/New_York", "2026-03-08T05:00:00Z", QTime(3, 30),
            "2026-03-08T07:30:00Z");
        row("New York repeat", "America/New_York", "2026-11-01T04:00:00Z", QTime(1, 30),
            "2026-11-01T05:30:00Z");
        row("New York yesterday's time", "America/New_York", "2026-11-01T04:00:00Z", QTime(23, 0),
            "2026-11-02T04:00:00Z");
        // Lord Howe moves by half an hour: 02:00 +10:30 becomes 02:30 +11, and in April
        // 02:00 +11 becomes 01:30 +10:30.
        row("Lord Howe in gap", "Australia/Lord_Howe", "2026-10-03T13:30:00Z", QTime(2, 15),
            "2026-10-03T15:30:00Z");
        row("Lord Howe after gap", "Australia/Lord_Howe", "2026-10-03T13:30:00Z", QTime(2, 45),
            "2026-10-03T15:45:00Z");
        row("Lord Howe repeat first", "Australia/Lord_Howe", "2026-04-04T13:00:00Z", QTime(1, 45),
            "2026-04-04T14:45:00Z");
        row("Lord Howe repeat second", "Australia/Lord_Howe", "2026-04-04T14:50:00Z", QTime(1, 45),
            "2026-04-04T15:15:00Z");
        // +05:45 all year; from is at 05:45 there.
        row("Kathmandu now", "Asia/Kathmandu", "2026-06-01T00:00:00Z", QTime(5, 45),
            "2026-06-01T00:00:00Z");
        row("Kathmandu soon", "Asia/Kathmandu", "2026-06-01T00:00:00Z", QTime(6, 0),
            "2026-06-01T00:15:00Z");
        row("Kathmandu tomorrow", "Asia/Kathmandu", "2026-06-01T00:00:00Z", QTime(5, 30),
            "2026-06-01T23:45:00Z");
        row("seconds past the minute", "UTC", "2026-06-01T09:30:20Z", QTime(9, 30),
            "2026-06-02T09:30:00Z");
        // Samoa went from 29 December 2011 23:59:59 -10 straight to 31 December +14.
        row("Apia before the skip", "Pacific/Apia", "2011-12-30T06:00:00Z", QTime(21, 0),
            "2011-12-30T07:00:00Z");
        row("Apia skipped day", "Pacific/Apia", "2011-12-30T06:00:00Z", QTime(10, 0),
            "2011-12-30T10:00:00Z");
        row("Apia after the skip", "Pacific/Apia", "2011-12-30T10:00:00Z", QTime(10, 0),
            "2011-12-30T20:00:00Z");
    }
    void nextOccurrence()
    {
        QFETCH(QByteArray, zone);
        QFETCH(QString, from);
        QFETCH(QTime, wall);
        QFETCH(QString, expected);
        const QTimeZone timeZone(zone);
        QVERIFY(timeZone.isValid());
        const QDateTime next = TypedTime::nextOccurrence(wall, timeZone, utc(from));
        QCOMPARE(next.timeSpec(), Qt::UTC);
        QCOMPARE(next.toString(Qt::ISODate), expected);
    }

    // From now, in every zone of the system's data: within a day (and what a switch back
    // gives again), with the wall clock showing that time or a switch just skipped it.
    void fromNowWithinADay()
    {
        const QDateTime now = QDateTime::currentDateTimeUtc();
        constexpr qint64 dayMs = 24LL * 3600 * 1000;
        const QList<QByteArray> zones = QTimeZone::availableTimeZoneIds();
        QVERIFY(zones.size() > 300);
        for (const QByteArray& id : zones) {
            const QTimeZone zone(id);
            for (int minute = 0; minute < 24 * 60; minute += 37) {
                const QTime wall(minute / 60, minute % 60);
                const QDateTime next = TypedTime::nextOccurrence(wall, zone, now);
                const qint64 wait = now.msecsTo(next);
                const qint64 setBack = zone.offsetFromUtc(now) - zone.offsetFromUtc(next);
                QVERIFY2(wait >= 0 && wait < dayMs + std::max<qint64>(0, setBack) * 1000,
                         qPrintable(QString::fromLatin1(id) + u' ' + wall.toString() + u' ' +
                                    next.toString()));
                const bool showsIt = next.toTimeZone(zone).time() == wall;
                const bool skipped =
                    zone.offsetFromUtc(next.addMSecs(-1)) < zone.offsetFromUtc(next);
                QVERIFY2(showsIt || skipped,
                         qPrintable(QString::fromLatin1(id) + u' ' + wall.toString()));
            }
        }
    }
};

QTEST_MAIN(TestTypedTime)
#include "tst_typedtime.moc"
