#include "TestSupport.h"

#include "utils/handlers/DateFormatter.h"
#include "vantor/time/ZoneRulesWatcher.h"
#include "vantor/zones/ZoneFacts.h"

#include <QFile>
#include <QTemporaryDir>

#include <QSet>

using vantor::ZoneFacts;

class TestZoneFacts : public QObject
{
    Q_OBJECT

    static QDateTime utc(const char* text)
    {
        return QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate).toUTC();
    }

private Q_SLOTS:
    void standardOffsetAllYear_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QDateTime>("at");
        QTest::addColumn<int>("offset");
        QTest::newRow("Dublin, January") << "Europe/Dublin" << utc("2026-01-15T12:00:00Z") << 0;
        QTest::newRow("Dublin, July") << "Europe/Dublin" << utc("2026-07-15T12:00:00Z") << 0;
        QTest::newRow("London, July") << "Europe/London" << utc("2026-07-15T12:00:00Z") << 0;
        QTest::newRow("Casablanca, Ramadan")
            << "Africa/Casablanca" << utc("2026-03-01T12:00:00Z") << 0;
        QTest::newRow("Casablanca, autumn")
            << "Africa/Casablanca" << utc("2026-10-01T12:00:00Z") << 0;
        QTest::newRow("St Johns, July")
            << "America/St_Johns" << utc("2026-07-15T12:00:00Z") << -12600;
        QTest::newRow("New York, July")
            << "America/New_York" << utc("2026-07-15T12:00:00Z") << -18000;
        QTest::newRow("Sydney, January")
            << "Australia/Sydney" << utc("2026-01-15T12:00:00Z") << 36000;
        QTest::newRow("UTC") << "UTC" << utc("2026-07-15T12:00:00Z") << 0;
        QTest::newRow("fixed, no transitions")
            << "Etc/GMT-14" << utc("2026-07-15T12:00:00Z") << 50400;
        QTest::newRow("unknown") << "Mars/Olympus_Mons" << utc("2026-07-15T12:00:00Z") << 0;
    }
    void standardOffsetAllYear()
    {
        QFETCH(QString, zone);
        QFETCH(QDateTime, at);
        QFETCH(int, offset);
        QCOMPARE(ZoneFacts::standardOffset(ZoneFacts::lookUp(zone), at), offset);
    }

    // Distributions that move the legacy names into a package of their own, and zones
    // renamed since: a stored name still finds its zone, never UTC.
    void namesTheDatabaseLacksAreResolved_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QByteArray>("resolved");
        QTest::newRow("legacy US name") << "US/Eastern" << QByteArray("America/New_York");
        QTest::newRow("old Indian name") << "Asia/Calcutta" << QByteArray("Asia/Kolkata");
        QTest::newRow("renamed Kyiv") << "Europe/Kiev" << QByteArray("Europe/Kyiv");
        QTest::newRow("known as it is") << "Asia/Tokyo" << QByteArray("Asia/Tokyo");
        QTest::newRow("nowhere") << "Mars/Olympus_Mons" << QByteArray("Mars/Olympus_Mons");
    }
    void namesTheDatabaseLacksAreResolved()
    {
        QFETCH(QString, stored);
        QFETCH(QByteArray, resolved);
        static const QSet<QByteArray> modern{"America/New_York", "Asia/Kolkata", "Europe/Kyiv",
                                             "Asia/Tokyo"};
        QCOMPARE(
            ZoneFacts::resolve(stored, [](const QByteArray& id) { return modern.contains(id); }),
            resolved);
        QVERIFY(ZoneFacts::lookUp(stored).isValid() == (stored != u"Mars/Olympus_Mons"_qs));
    }

    void aliasesNameTheSameZone()
    {
        QVERIFY(ZoneFacts::sameZone(u"Etc/UTC"_qs, u"UTC"_qs));
        QVERIFY(ZoneFacts::sameZone(u"Europe/Kiev"_qs, u"Europe/Kyiv"_qs));
        QVERIFY(ZoneFacts::sameZone(u"US/Eastern"_qs, u"America/New_York"_qs));
        QVERIFY(!ZoneFacts::sameZone(u"Europe/London"_qs, u"Europe/Dublin"_qs));
        QVERIFY(!ZoneFacts::sameZone(u"Bogus/One"_qs, u"Bogus/Two"_qs));
    }

    // Captions name the city in the user's language where CLDR has a name for it; English
    // keeps the identifier's own last part, and so does a zone without a city.
    void citiesInTheUserLanguage_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("city");
        QTest::newRow("ja") << "ja_JP"
                            << "Asia/Tokyo" << u"\u6771\u4eac"_qs;
        QTest::newRow("ru") << "ru_RU"
                            << "Asia/Tokyo" << u"\u0422\u043e\u043a\u0438\u043e"_qs;
        QTest::newRow("ar") << "ar_EG"
                            << "Asia/Tokyo" << u"\u0637\u0648\u0643\u064a\u0648"_qs;
        QTest::newRow("de") << "de_DE"
                            << "Asia/Tokyo" << u"Tokio"_qs;
        QTest::newRow("de, accents") << "de_DE"
                                     << "America/Sao_Paulo" << u"S\u00e3o Paulo"_qs;
        QTest::newRow("zh, renamed zone") << "zh_CN"
                                          << "Europe/Kyiv" << u"\u57fa\u8f85"_qs;
        QTest::newRow("en keeps the rule") << "en_US"
                                           << "America/St_Johns" << u"St Johns"_qs;
        QTest::newRow("en, nested") << "en_GB"
                                    << "America/Argentina/Buenos_Aires" << u"Buenos Aires"_qs;
        QTest::newRow("no CLDR city") << "de_DE"
                                      << "Etc/GMT+5" << u"GMT+5"_qs;
        QTest::newRow("no area") << "ja_JP"
                                 << "UTC" << u"UTC"_qs;
        QTest::newRow("unknown") << "ja_JP"
                                 << "Mars/Olympus_Mons" << u"Olympus Mons"_qs;
    }
    void citiesInTheUserLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(QString, zone);
        QFETCH(QString, city);
        utils::DateFormatter::setDefaultLocale(locale);
        QCOMPARE(ZoneFacts::cityName(zone), city);
        utils::DateFormatter::setDefaultLocale(u"en_US"_qs);
    }

    // An upgrade of the tz data renames new files over the old ones; a shown zone's
    // new file is noticed once, an unrelated one not at all.
    void rulesWatcherSeesANewFileOfAShownZone()
    {
        QTemporaryDir zoneInfo;
        QVERIFY(QDir(zoneInfo.path()).mkpath(u"Asia"_qs));
        const auto write = [&](const QString& name, const QByteArray& content) {
            QFile file(zoneInfo.filePath(name + u".new"_qs));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
            file.close();
            QFile::remove(zoneInfo.filePath(name));
            QVERIFY(QFile::rename(file.fileName(), zoneInfo.filePath(name)));
        };
        write(u"Asia/Tokyo"_qs, "TZif rules of 2025");
        write(u"Asia/Seoul"_qs, "TZif rules of 2025");
        vantor::ZoneRulesWatcher watcher({u"Asia/Tokyo"_qs}, zoneInfo.path());
        QVERIFY(!watcher.check());
        write(u"Asia/Seoul"_qs, "TZif rules of 2026, longer");
        QVERIFY(!watcher.check());
        write(u"Asia/Tokyo"_qs, "TZif rules of 2026, longer");
        QVERIFY(watcher.check());
        QVERIFY(!watcher.check());
        // Between checks the files are not looked at.
        write(u"Asia/Tokyo"_qs, "TZif rules of 2027, longer still");
        QVERIFY(!watcher.poll());
    }
};

QTEST_GUILESS_MAIN(TestZoneFacts)
#include "tst_zonefacts.moc"
