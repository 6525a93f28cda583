#include "TestSupport.h"

#include "utils/gui/handlers/Logger.h"
#include "utils/gui/preferences/GuiPreferences.h"
#include "utils/objects/constants/GUIConstants.h"
#include "vantor/objects/MyConstants.h"
#include "vantor/preferences/UserPreferences.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <memory>
#include <sstream>

using utils::GuiPreferences;
using vantor::MyConstants;
using vantor::UserPreferences;

namespace {

const QString MAIN_CLASS = QStringLiteral("com.quorvane.vantor.Vantor");

QByteArray readFile(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(name).path());
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporarySettings> settings;
    std::ostringstream log;

    // The defaults of the font size, layout, flags, task bar, on-top and scheme.
    static bool hasDefaultLookAndPlace(const UserPreferences& up)
    {
        return up.getTimeFontSize() == 18 && up.isVerticalLayout() && up.isRoundFlags() &&
               !up.isOnTaskBar() && up.isAlwaysOnTop() && !up.isDarkMode();
    }

private Q_SLOTS:
    void init()
    {
        settings = std::make_unique<TemporarySettings>();
        log.str({});
        utils::Logger::resetForTesting();
        utils::Logger::setStream(&log);
    }
    void cleanup()
    {
        utils::Logger::setStream(nullptr);
        settings.reset();
    }

    void firstRunGivesDefaults()
    {
        qputenv("TZ", "Asia/Tokyo");
        const UserPreferences up(MAIN_CLASS);
        const GuiPreferences gp(MAIN_CLASS);
        QCOMPARE(up.getDatePattern(MyConstants::DEFAULT_DATE_PATTERN), u"yyyy-MM-dd");
        QCOMPARE(up.getTimePattern(MyConstants::DEFAULT_TIME_PATTERN), u"h:mm a");
        QVERIFY(hasDefaultLookAndPlace(up));
        QCOMPARE(up.getTimeZones(), QStringList({u"Asia/Tokyo"_qs, u"America/New_York"_qs,
                                                 u"Europe/London"_qs, u"Australia/Sydney"_qs}));
        QCOMPARE(gp.getMainWindowLocation(50, 50), QPoint(50, 50));
        QCOMPARE(gp.getFontVariableWidthSize(), 12);
        QCOMPARE(gp.getFontFixedWidthSize(), 12);
        // Reading defaults writes nothing.
        QVERIFY(!QFile::exists(settings->file()));
        qunsetenv("TZ");
    }

    void defaultZoneListFollowsLocalZone_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("expected");
        QTest::newRow("New York") << "America/New_York"
                                  << "America/New_York;America/Los_Angeles;Europe/London;"
                                     "Australia/Sydney";
        QTest::newRow("London twice") << "Europe/London"
                                      << "Europe/London;America/Los_Angeles;Europe/London;"
                                         "Australia/Sydney";
        QTest::newRow("Sydney twice") << "Australia/Sydney"
                                      << "Australia/Sydney;America/Los_Angeles;Europe/London;"
                                         "Australia/Sydney";
        QTest::newRow("Los Angeles") << "America/Los_Angeles"
                                     << "America/Los_Angeles;America/New_York;Europe/Berlin;"
                                        "Australia/Sydney";
        QTest::newRow("Berlin") << "Europe/Berlin"
                                << "Europe/Berlin;America/New_York;Europe/London;Asia/Hong_Kong";
        QTest::newRow("Hong Kong") << "Asia/Hong_Kong"
                                   << "Asia/Hong_Kong;America/New_York;Europe/London;"
                                      "Australia/Sydney";
        // A substring of a listed zone counts as contained.
        QTest::newRow("substring") << "Europe/Lon"
                                   << "Europe/Lon;America/Los_Angeles;Europe/London;"
                                      "Australia/Sydney";
    }
    void defaultZoneListFollowsLocalZone()
    {
        QFETCH(QString, local);
        QFETCH(QString, expected);
        QCOMPARE(UserPreferences::defaultTimeZones(local), expected);
    }

    void zoneListIsSplitAtSemicolons_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("zones");
        QTest::newRow("one") << "Asia/Kolkata" << QStringList{u"Asia/Kolkata"_qs};
        QTest::newRow("trailing separators")
            << "Asia/Kolkata;Europe/Paris;;" << QStringList{u"Asia/Kolkata"_qs, u"Europe/Paris"_qs};
        // An empty piece would be a clock without a caption that shows UTC.
        QTest::newRow("empty middle piece left out")
            << "A/B;;C/D" << QStringList{u"A/B"_qs, u"C/D"_qs};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void zoneListIsSplitAtSemicolons()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, zones);
        UserPreferences up(MAIN_CLASS);
        up.setTimeZones(stored);
        QCOMPARE(up.getTimeZones(), zones);
    }

    void clockNamesRoundTripAndMismatchesKeepThem()
    {
        const QString zones = u"Europe/Berlin;Asia/Tokyo;America/New_York;UTC"_qs;
        const QStringList names = {u"Support; Team, A"_qs, u"\"Bob\" 'B' C:\\x 100% %3B"_qs,
                                   u"\u0645\u0643\u062a\u0628 \U0001F570\uFE0F"_qs, QString()};
        {
            UserPreferences up(MAIN_CLASS);
            // Files of older versions have no names: cities, and nothing to say.
            up.setTimeZones(zones);
            QCOMPARE(up.getTimeZoneLabels(), QStringList(4));
            up.setTimeZoneLabels(names);
        }
        UserPreferences up(MAIN_CLASS);
        QCOMPARE(up.getTimeZoneLabels(), names);
        // The zones are stored as before, for older versions.
        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, u"com/quorvane/vantor"_qs,
                      u"Vantor"_qs);
        QCOMPARE(raw.value(u"TimeZones"_qs).toString(), zones);
        const QString storedNames = raw.value(u"TimeZoneLabels"_qs).toString();
        QCOMPARE(storedNames.count(QLatin1Char(';')), 3);

        // One zone fewer by hand: no names, one line however often they are read, and the
        // stored names untouched.
        up.setTimeZones(u"Europe/Berlin;Asia/Tokyo;America/New_York"_qs);
        QCOMPARE(up.getTimeZoneLabels(), QStringList(3));
        QCOMPARE(up.getTimeZoneLabels(), QStringList(3));
        const QString lines = QString::fromStdString(log.str());
        QCOMPARE(lines.count(QLatin1Char('\n')), 1);
        QVERIFY(lines.contains(u"TimeZoneLabels"_qs));
        raw.sync();
        QCOMPARE(raw.value(u"TimeZoneLabels"_qs).toString(), storedNames);

        // Without a name the key goes.
        up.setTimeZoneLabels(QStringList(3));
        raw.sync();
        QVERIFY(!raw.contains(u"TimeZoneLabels"_qs));
    }

    void writesAreSharedAndDurableAtOnce()
    {
        UserPreferences mainWindow(MAIN_CLASS);
        UserPreferences dialog(MAIN_CLASS);
        GuiPreferences gui(MAIN_CLASS);
        dialog.setDatePattern(u"EEE, d 'de' \"MMM\""_qs);
        dialog.setTimeZones(u"America/New_York;Europe/London"_qs);
        dialog.setDarkMode(true);
        dialog.setTimeFontSize(24);
        gui.setMainWindowLocation(0, 200);
        QCOMPARE(mainWindow.getDatePattern({}), u"EEE, d 'de' \"MMM\"");
        QVERIFY(mainWindow.isDarkMode());
        QCOMPARE(mainWindow.getTimeFontSize(), 24);

        // Already on disk, under the documented key texts, in one flat node.
        QCOMPARE(settings->file(),
                 QDir(settings->path()).filePath(u"com/quorvane/vantor/Vantor.conf"_qs));
        const QByteArray file = readFile(settings->file());
        QVERIFY2(file.contains("DarkMode=true"), file);
        QVERIFY2(file.contains("TimeFontWidth=24"), file);
        QVERIFY2(file.contains("MainWindowPosX=0"), file);
        QVERIFY2(file.contains("MainWindowPosY=200"), file);
        QVERIFY2(file.contains("TimeZones=\"America/New_York;Europe/London\""), file);
        QCOMPARE(file.count('['), 1); // only [General]: one flat node
    }

    // A kill between the creation of a write's lock file and the writing of its owner
    // leaves an empty lock; Qt alone would freeze the next Save for half a minute.
    void writeAfterAKilledWriteDoesNotWait()
    {
        UserPreferences up(MAIN_CLASS);
        up.setDatePattern(u"yyyy-MM-dd"_qs);
        const QDateTime killed = QDateTime::currentDateTime().addSecs(-5);
        for (const QString& lock :
             {settings->file() + u".lock"_qs, settings->file() + u".trial.lock"_qs}) {
            writeFile(lock, {});
            QFile file(lock);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(killed, QFileDevice::FileModificationTime));
        }
        QElapsedTimer took;
        took.start();
        up.setDatePattern(u"yy-MM-dd"_qs);
        QVERIFY2(took.elapsed() < 10000, qPrintable(QString::number(took.elapsed())));
        QVERIFY(readFile(settings->file()).contains("DatePattern=yy-MM-dd"));
        QVERIFY(!QFile::exists(settings->file() + u".lock"_qs));
        QVERIFY(log.str().empty());
    }

    void unparsableValuesGiveDefaultsAndStayStored()
    {
        writeFile(settings->file(), "[General]\n"
                                    "TimeFontWidth=abc\n"
                                    "VerticalLayout=maybe\n"
                                    "RoundFlags=FALSE\n"
                                    "MainWindowPosX=12.5\n"
                                    "MainWindowPosY=-40\n"
                                    "TimePattern=HH:mm:ss\n");
        UserPreferences up(MAIN_CLASS);
        GuiPreferences gp(MAIN_CLASS);
        QCOMPARE(up.getTimeFontSize(), 18);
        QCOMPARE(up.getTimeFontSize(), 18);
        QVERIFY(up.isVerticalLayout());
        QVERIFY(!up.isRoundFlags());
        QCOMPARE(gp.getMainWindowLocation(50, 50), QPoint(50, -40));
        QCOMPARE(up.getTimePattern({}), u"HH:mm:ss");

        // Each bad value is reported once, however often it is read.
        const QString lines = QString::fromStdString(log.str());
        QCOMPARE(lines.count(u"TimeFontWidth=\"abc\""_qs), 1);
        QVERIFY(lines.contains(u"VerticalLayout=\"maybe\""_qs));
        QVERIFY(lines.contains(u"MainWindowPosX=\"12.5\""_qs));

        // A later write keeps every other stored text as it was.
        up.setDarkMode(true);
        const QByteArray file = readFile(settings->file());
        QVERIFY2(file.contains("TimeFontWidth=abc"), file);
        QVERIFY2(file.contains("VerticalLayout=maybe"), file);
        QVERIFY2(file.contains("TimePattern=HH:mm:ss"), file);
    }

    // Every typed key with a value it cannot take, one of them a megabyte long: each
    // reads as its own default, gets one short line however often it is read, and
    // nothing else is lost.
    void badValuesOfEveryKeyFallBackOneByOne()
    {
        const QByteArray huge(1 << 20, '7');
        writeFile(settings->file(), "[General]\n"
                                    "TimeFontWidth=" +
                                        huge +
                                        "\n"
                                        "VerticalLayout=1\n"
                                        "RoundFlags=yes\n"
                                        "OnTaskBar=on\n"
                                        "AlwaysOnTop=\n"
                                        "DarkMode=dark\n"
                                        "MainWindowPosX=left\n"
                                        "MainWindowPosY=30\n"
                                        "FontVariableWidthSize=big\n"
                                        "FontFixedWidthSize=14\n"
                                        "TimeZones=\"Asia/Tokyo;;Europe/Paris\"\n"
                                        "Unknown=kept\n");
        UserPreferences up(MAIN_CLASS);
        GuiPreferences gp(MAIN_CLASS);
        for (int read = 0; read < 3; ++read) {
            QVERIFY(hasDefaultLookAndPlace(up));
            QCOMPARE(gp.getMainWindowLocation(50, 50), QPoint(50, 30));
            QCOMPARE(gp.getFontVariableWidthSize(), 12);
            QCOMPARE(gp.getFontFixedWidthSize(), 14);
            QCOMPARE(up.getTimeZones(), (QStringList{u"Asia/Tokyo"_qs, u"Europe/Paris"_qs}));
        }
        const QStringList lines =
            QString::fromStdString(log.str()).split(u'\n', Qt::SkipEmptyParts);
        for (const QString& key :
             {u"TimeFontWidth"_qs, u"VerticalLayout"_qs, u"RoundFlags"_qs, u"OnTaskBar"_qs,
              u"AlwaysOnTop"_qs, u"DarkMode"_qs, u"MainWindowPosX"_qs, u"FontVariableWidthSize"_qs,
              u"TimeZones"_qs}) {
            QCOMPARE(lines.filter(key + u'=').size(), 1);
        }
        QCOMPARE(lines.size(), 9);
        for (const QString& line : lines) {
            QVERIFY2(line.size() < 300, qPrintable(line.left(300)));
        }
        QVERIFY(lines.filter(u"TimeFontWidth"_qs).first().contains(u"(1048576 characters)"_qs));

        // A write keeps every stored text, the megabyte included.
        up.setDarkMode(true);
        const QByteArray file = readFile(settings->file());
        QVERIFY(file.contains("TimeFontWidth=" + huge + "\n"));
        QVERIFY2(file.contains("Unknown=kept"), file.left(200));
        QVERIFY2(file.contains("TimeZones=\"Asia/Tokyo;;Europe/Paris\""), file.left(200));
    }

    void damagedFileIsKeptAside()
    {
        const QByteArray damaged("[General]\nTimePattern=HH:mm\nDarkMode=true\n\0\xff\xfe junk",
                                 44);
        writeFile(settings->file(), damaged);
        UserPreferences up(MAIN_CLASS);
        QCOMPARE(up.getTimePattern({}), u"HH:mm");
        QVERIFY(up.isDarkMode());
        up.setTimeFontSize(20);

        const QStringList copies = QDir(QFileInfo(settings->file()).path())
                                       .entryList({u"Vantor.conf.damaged-*"_qs}, QDir::Files);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(readFile(QFileInfo(settings->file()).path() + u'/' + copies.first()), damaged);
        QVERIFY(QString::fromStdString(log.str()).contains(u"damaged"_qs));
    }

    void unwritableStoreIsLoggedAndKeepsValuesForTheRun()
    {
        // A plain file where the directory should be: no write can succeed, even as root.
        writeFile(settings->path() + u"/com"_qs, "not a directory");
        UserPreferences up(MAIN_CLASS);
        up.setTimeFontSize(30);
        QCOMPARE(up.getTimeFontSize(), 30);
        QVERIFY2(QString::fromStdString(log.str()).contains(u"Could not store TimeFontWidth"_qs),
                 log.str().c_str());
        // Another node on the file (a dialog's) sees it too.
        QCOMPARE(UserPreferences(MAIN_CLASS).getTimeFontSize(), 30);

        // Once the file can be written, the next write takes the earlier value along.
        QVERIFY(QFile::remove(settings->path() + u"/com"_qs));
        up.setDarkMode(true);
        const QByteArray file = readFile(settings->file());
        QVERIFY2(file.contains("TimeFontWidth=30"), file);
        QVERIFY2(file.contains("DarkMode=true"), file);
    }

    void resetRemovesExactlyTheDisplayKeys()
    {
        UserPreferences up(MAIN_CLASS);
        GuiPreferences gp(MAIN_CLASS);
        up.setDatePattern(u"dd.MM.yyyy"_qs);
        up.setTimePattern(u"HH:mm"_qs);
        up.setTimeFontSize(30);
        up.setVerticalLayout(false);
        up.setRoundFlags(false);
        up.setOnTaskBar(true);
        up.setAlwaysOnTop(false);
        up.setDarkMode(true);
        up.setTimeZones(u"Asia/Kolkata"_qs);
        up.setTimeZoneLabels({u"Alice"_qs});
        const QStringList guiKeys = {u"EditWindowWidth"_qs,     u"EditWindowHeight"_qs,
                                     u"LargeFont"_qs,           u"FontFixedWidthSize"_qs,
                                     u"MainToolbarPosition"_qs, u"MainWindowHeight"_qs,
                                     u"MainWindowWidth"_qs,     u"MainWindowPosX"_qs,
                                     u"MainWindowPosY"_qs,      u"Locale"_qs};
        for (const QString& key : guiKeys) {
            gp.setHandler(key, u"1"_qs);
        }
        gp.setFontVariableWidthSize(16);
        gp.setHandler(u"LastUserDir"_qs, u"/home/x"_qs);

        up.removePreferences();
        gp.removePreferences();

        QSettings raw(QSettings::NativeFormat, QSettings::UserScope, u"com/quorvane/vantor"_qs,
                      u"Vantor"_qs);
        QStringList kept = raw.allKeys();
        kept.sort();
        QCOMPARE(kept, QStringList({u"AlwaysOnTop"_qs, u"DarkMode"_qs, u"FontVariableWidthSize"_qs,
                                    u"LastUserDir"_qs, u"OnTaskBar"_qs, u"TimeZoneLabels"_qs,
                                    u"TimeZones"_qs}));
        QCOMPARE(up.getDatePattern(MyConstants::DEFAULT_DATE_PATTERN), u"yyyy-MM-dd");
        QCOMPARE(up.getTimeFontSize(), 18);
        QCOMPARE(gp.getMainWindowLocation(50, 50), QPoint(50, 50));
        QCOMPARE(gp.getFontFixedWidthSize(), 12);
        QCOMPARE(gp.getFontVariableWidthSize(), 16);
    }

    void largeFontRule_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("variableSize");
        QTest::addColumn<qreal>("dpi");
        QTest::addColumn<bool>("large");
        QTest::newRow("absent, 12 pt, 96 dpi") << QString() << 12 << 96.0 << false;
        QTest::newRow("absent, 16 pt, 96 dpi") << QString() << 16 << 96.0 << true;
        QTest::newRow("absent, 15 pt, 104 dpi") << QString() << 15 << 104.0 << false;
        QTest::newRow("absent, 12 pt, 105 dpi") << QString() << 12 << 105.0 << true;
        QTest::newRow("stored false beats screen") << "false" << 20 << 144.0 << false;
        QTest::newRow("stored true") << "true" << 12 << 96.0 << true;
        QTest::newRow("stored other text") << "yes" << 20 << 144.0 << false;
    }
    void largeFontRule()
    {
        QFETCH(QString, stored);
        QFETCH(int, variableSize);
        QFETCH(qreal, dpi);
        QFETCH(bool, large);
        GuiPreferences gp(MAIN_CLASS);
        gp.setFontVariableWidthSize(variableSize);
        if (!stored.isNull()) {
            gp.setHandler(utils::GUIConstants::KEY_LARGE_FONT, stored);
        }
        QCOMPARE(gp.isLargeFont(dpi), large);
    }
};

QTEST_GUILESS_MAIN(TestPreferences)
#include "tst_preferences.moc"
