#include "utils/handlers/DateFormatter.h"

#include <QtTest>

using utils::DateFormatter;

namespace {

QDateTime utc(int year, int month, int day, int hour)
{
    return QDateTime(QDate(year, month, day), QTime(hour, 0), QTimeZone::utc());
}

} // namespace

class TestDateFormatter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { DateFormatter::setDefaultLocale(u"en_US"_qs); }

    void namesFollowTheDefaultLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        // Tuesday, 16 July 2024, 14:05 in Berlin.
        QTest::newRow("German weekday") << "de_DE"
                                        << "EEEE"
                                        << "Dienstag";
        // The same pattern again in another language: no formatter of the last one is reused.
        QTest::newRow("English weekday") << "en_GB"
                                         << "EEEE"
                                         << "Tuesday";
        QTest::newRow("German month") << "de_DE"
                                      << "d. MMMM yyyy"
                                      << "16. Juli 2024";
        QTest::newRow("French") << "fr_FR"
                                << "EEEE d MMMM"
                                << "mardi 16 juillet";
        QTest::newRow("English AM/PM") << "en_US"
                                       << "h:mm a"
                                       << "2:05 PM";
        QTest::newRow("Arabic digits") << "ar_EG"
                                       << "HH:mm" << u"\u0661\u0664:\u0660\u0665"_qs;
    }
    void namesFollowTheDefaultLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        DateFormatter::setDefaultLocale(locale);
        DateFormatter formatter(pattern, u"yyyy-MM-dd"_qs);
        const QDateTime instant = utc(2024, 7, 16, 12).addSecs(5 * 60);
        QCOMPARE(formatter.format(instant, QTimeZone("Europe/Berlin")), text);
    }

    void oneFormatterFollowsDaylightSavingAndZones()
    {
        DateFormatter formatter(u"HH:mm"_qs, u"HH:mm"_qs);
        const QTimeZone newYork("America/New_York");
        QCOMPARE(formatter.format(utc(2024, 1, 15, 12), newYork), u"07:00"_qs);
        QCOMPARE(formatter.format(utc(2024, 7, 15, 12), newYork), u"08:00"_qs);
        QCOMPARE(formatter.format(utc(2024, 7, 15, 12), QTimeZone("Asia/Kathmandu")), u"17:45"_qs);
        // Across the spring change, one hour of UTC is two on the clock.
        QCOMPARE(formatter.format(utc(2024, 3, 10, 6), newYork), u"01:00"_qs);
        QCOMPARE(formatter.format(utc(2024, 3, 10, 7), newYork), u"03:00"_qs);
        QCOMPARE(formatter.format(utc(2024, 3, 10, 7), QTimeZone()), u"07:00"_qs);

        // Clocks with one pattern, taking turns, each keep their own zone and its name.
        DateFormatter tokyo(u"HH:mm z"_qs, u"HH:mm"_qs);
        DateFormatter london(u"HH:mm z"_qs, u"HH:mm"_qs);
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(tokyo.format(utc(2024, 7, 15, 12), QTimeZone("Asia/Tokyo")),
                     u"21:00 GMT+9"_qs);
            QCOMPARE(london.format(utc(2024, 7, 15, 12), QTimeZone("Europe/London")),
                     u"13:00 GMT+1"_qs);
        }
    }

    void patternChangesAndFallbacks()
    {
        DateFormatter formatter(u"yyyy-MM-dd"_qs, u"yyyy-MM-dd"_qs);
        const QDateTime instant = utc(2024, 7, 16, 12);
        formatter.setPattern(u"dd/MM/yy 'at' HH"_qs);
        QVERIFY(formatter.isUsable());
        QCOMPARE(formatter.format(instant, QTimeZone::utc()), u"16/07/24 at 12"_qs);
        // An escaped quote is a quote, not an unclosed literal.
        formatter.setPattern(u"HH 'o''clock'"_qs);
        QCOMPARE(formatter.format(instant, QTimeZone::utc()), u"12 o'clock"_qs);
        for (const QString& bad : {u"HH 'open"_qs, u"HH:mm jj"_qs, u"yyyy-MM-dd T HH"_qs}) {
            formatter.setPattern(bad);
            QVERIFY2(!formatter.isUsable(), qPrintable(bad));
            QCOMPARE(formatter.pattern(), bad);
            QCOMPARE(formatter.format(instant, QTimeZone::utc()), u"2024-07-16"_qs);
        }
    }
};

QTEST_GUILESS_MAIN(TestDateFormatter)
#include "tst_dateformatter.moc"
