#include "vantor/handlers/CountryCodes.h"

#include <QFile>
#include <QSet>
#include <QtTest>

using vantor::CountryCodes;

class TestCountryCodes : public QObject
{
    Q_OBJECT

private slots:
    void knownZones_data();
    void knownZones();
    void zonesWithoutCountry_data();
    void zonesWithoutCountry();
    void tableMatchesZoneTab();
};

void TestCountryCodes::knownZones_data()
{
    QTest::addColumn<QString>("zoneId");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("flag");

    QTest::newRow("New York") << "America/New_York"
                              << "US"
                              << "flag-us.png";
    QTest::newRow("London") << "Europe/London"
                            << "GB"
                            << "flag-gb.png";
    QTest::newRow("Hong Kong") << "Asia/Hong_Kong"
                               << "HK"
                               << "flag-hk.png";
    QTest::newRow("Hongkong alias") << "Hongkong"
                                    << "HK"
                                    << "flag-hk.png";
    // The alias names the USA although its target zone is American Samoa.
    QTest::newRow("Pago Pago") << "Pacific/Pago_Pago"
                               << "AS"
                               << "flag-as.png";
    QTest::newRow("US/Samoa") << "US/Samoa"
                              << "US"
                              << "flag-us.png";
    QTest::newRow("Godthab") << "America/Godthab"
                             << "GL"
                             << "flag-gl.png";
    QTest::newRow("Currie") << "Australia/Currie"
                            << "AU"
                            << "flag-au.png";
    // Legacy names from every group, including one backward no longer lists.
    QTest::newRow("US/Pacific-New") << "US/Pacific-New"
                                    << "US"
                                    << "flag-us.png";
    QTest::newRow("Australia/LHI") << "Australia/LHI"
                                   << "AU"
                                   << "flag-au.png";
    QTest::newRow("Brazil/DeNoronha") << "Brazil/DeNoronha"
                                      << "BR"
                                      << "flag-br.png";
    QTest::newRow("Canada/Newfoundland") << "Canada/Newfoundland"
                                         << "CA"
                                         << "flag-ca.png";
    QTest::newRow("Chile/EasterIsland") << "Chile/EasterIsland"
                                        << "CL"
                                        << "flag-cl.png";
    QTest::newRow("Mexico/BajaSur") << "Mexico/BajaSur"
                                    << "MX"
                                    << "flag-mx.png";
    QTest::newRow("Turkey") << "Turkey"
                            << "TR"
                            << "flag-tr.png";
    // Codes whose flag neither image set carries still have a code and a file name.
    QTest::newRow("Curacao") << "America/Curacao"
                             << "CW"
                             << "flag-cw.png";
}

void TestCountryCodes::knownZones()
{
    QFETCH(QString, zoneId);
    QFETCH(QString, code);
    QFETCH(QString, flag);

    const CountryCodes codes;
    QCOMPARE(codes.findCountryCode(zoneId), std::optional<QString>(code));
    QCOMPARE(codes.flagFileName(zoneId), std::optional<QString>(flag));
}

void TestCountryCodes::zonesWithoutCountry_data()
{
    QTest::addColumn<QString>("zoneId");

    // Replaced by America/Godthab in the table.
    QTest::newRow("Nuuk") << "America/Nuuk";
    QTest::newRow("UTC") << "UTC";
    QTest::newRow("GMT") << "GMT";
    QTest::newRow("Etc/GMT+5") << "Etc/GMT+5";
    QTest::newRow("EST5EDT") << "EST5EDT";
    QTest::newRow("PST8PDT") << "PST8PDT";
    // Other legacy names stay out, even where their target has a country.
    QTest::newRow("Asia/Calcutta") << "Asia/Calcutta";
    QTest::newRow("NZ") << "NZ";
    QTest::newRow("GB") << "GB";
    QTest::newRow("PRC") << "PRC";
    QTest::newRow("Australia/Victoria") << "Australia/Victoria";
    QTest::newRow("Pacific/Samoa") << "Pacific/Samoa";
    // Introduced after release 2021a.
    QTest::newRow("Europe/Kyiv") << "Europe/Kyiv";
    // Only exact identifiers match: no case folding, trimming or prefix matching.
    QTest::newRow("lower case") << "america/new_york";
    QTest::newRow("blank around") << " America/New_York ";
    QTest::newRow("area only") << "America";
    QTest::newRow("prefix") << "America/New_Yor";
    QTest::newRow("code itself") << "US";
    QTest::newRow("empty") << "";
}

void TestCountryCodes::zonesWithoutCountry()
{
    QFETCH(QString, zoneId);

    const CountryCodes codes;
    QCOMPARE(codes.findCountryCode(zoneId), std::nullopt);
    QCOMPARE(codes.flagFileName(zoneId), std::nullopt);
}

void TestCountryCodes::tableMatchesZoneTab()
{
    const QString path = qEnvironmentVariable("VANTOR_SOURCE_DIR") +
                         QStringLiteral("/../shared/data/zone.tab.2021a");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QSKIP(qPrintable(QStringLiteral("no zone.tab at ") + path));
    }

    const CountryCodes codes;
    int zones = 0;
    while (!file.atEnd()) {
        const QString line = QString::fromLatin1(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        const QStringList fields = line.split(u'\t');
        QVERIFY2(fields.size() >= 3, qPrintable(line));
        ++zones;
        const std::optional<QString> expected = fields[2] == QLatin1String("America/Nuuk")
                                                    ? std::nullopt
                                                    : std::optional<QString>(fields[0]);
        QVERIFY2(codes.findCountryCode(fields[2]) == expected, qPrintable(fields[2]));
    }
    QCOMPARE(zones, 424);

    const QHash<QString, QString>& table = codes.table();
    QCOMPARE(table.size(), 478);
    QSet<QString> distinct;
    for (const QString& code : table) {
        QVERIFY2(code.size() == 2 && code == code.toUpper(), qPrintable(code));
        distinct.insert(code);
    }
    QCOMPARE(distinct.size(), 247);
}

QTEST_GUILESS_MAIN(TestCountryCodes)
#include "tst_countrycodes.moc"
