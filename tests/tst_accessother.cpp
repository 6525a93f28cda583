#include "utils/gui/handlers/AccessOther.h"
#include "utils/gui/handlers/Logger.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sstream>

using utils::AccessOther;
using utils::Logger;

// Runs in a QCoreApplication: there is no desktop service unless a test injects one, and no
// test ever starts a real process.
class TestAccessOther : public QObject
{
    Q_OBJECT

    std::ostringstream log_;
    QList<QUrl> desktopCalls_;
    QList<QStringList> starts_; // program first, then its arguments
    bool desktopResult_ = false;
    bool startResult_ = true;

    QString logged() const { return QString::fromStdString(log_.str()); }
    void useFakeDesktop()
    {
        AccessOther::setDesktopService([this](const QUrl& url) {
            desktopCalls_ << url;
            return desktopResult_;
        });
    }

private slots:
    void init()
    {
        log_.str({});
        desktopCalls_.clear();
        starts_.clear();
        desktopResult_ = false;
        startResult_ = true;
        Logger::resetForTesting();
        Logger::setStream(&log_);
        AccessOther::resetForTesting();
        AccessOther::setOperatingSystemName(QStringLiteral("linux"));
        AccessOther::setProcessStarter([this](const QString& program, const QStringList& args) {
            starts_ << (QStringList{program} + args);
            return startResult_;
        });
        useFakeDesktop();
    }
    void cleanupTestCase()
    {
        AccessOther::resetForTesting();
        Logger::resetForTesting();
    }

    void missingArgumentIsLogged_data()
    {
        QTest::addColumn<int>("routine");
        QTest::addColumn<QString>("expected");
        QTest::newRow("web page") << 0
                                  << "AccessOther: openWebPage: Error: The url cannot be null.";
        QTest::newRow("mail") << 1
                              << "AccessOther: createEmail: Error: The emailStr cannot be null.";
        QTest::newRow("file") << 2 << "AccessOther: openFile: Error: The fileName cannot be null.";
    }
    void missingArgumentIsLogged()
    {
        QFETCH(int, routine);
        QFETCH(QString, expected);
        const bool ok = routine == 0   ? AccessOther::openWebPage(QString())
                        : routine == 1 ? AccessOther::createEmail(QString())
                                       : AccessOther::openFile(QString());
        QVERIFY(!ok);
        static const QRegularExpression stamp(
            QStringLiteral("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2} "));
        QVERIFY2(stamp.match(logged()).hasMatch(), qPrintable(logged()));
        QCOMPARE(logged().mid(20), expected + '\n');
        QVERIFY(desktopCalls_.isEmpty());
        QVERIFY(starts_.isEmpty());
    }

    void createEmailEscapesBlanks_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("subject")
            << "mailto:support@example.com?subject=Question regarding Vantor"
            << "mailto:support@example.com?subject=Question%20regarding%20Vantor";
        QTest::newRow("runs and ends") << "mailto:a@example.com?subject=a  b "
                                       << "mailto:a@example.com?subject=a%20%20b%20";
    }
    void createEmailEscapesBlanks()
    {
        QFETCH(QString, address);
        QFETCH(QString, escaped);
        desktopResult_ = true;
        QVERIFY(AccessOther::createEmail(address));
        QCOMPARE(desktopCalls_.size(), 1);
        QCOMPARE(QString::fromLatin1(desktopCalls_.first().toEncoded()), escaped);
        QVERIFY(starts_.isEmpty());

        // The fallback gets the same escaped text.
        desktopResult_ = false;
        QVERIFY(AccessOther::createEmail(address));
        QCOMPARE(starts_, QList<QStringList>{QStringList({"xdg-open", escaped})});
    }

    void openWebPageFallsBack_data()
    {
        QTest::addColumn<int>("desktop"); // 0 missing, 1 fails, 2 works
        QTest::addColumn<bool>("starts");
        QTest::addColumn<bool>("expected");
        QTest::addColumn<int>("launches");
        QTest::newRow("desktop works") << 2 << true << true << 0;
        QTest::newRow("desktop fails") << 1 << true << true << 1;
        QTest::newRow("no desktop service") << 0 << true << true << 1;
        QTest::newRow("both fail") << 1 << false << false << 1;
    }
    void openWebPageFallsBack()
    {
        QFETCH(int, desktop);
        QFETCH(bool, starts);
        QFETCH(bool, expected);
        QFETCH(int, launches);
        if (desktop == 0) {
            AccessOther::setDesktopService(nullptr); // the real one, absent without a GUI
        }
        desktopResult_ = desktop == 2;
        startResult_ = starts;
        const QString url = QStringLiteral("https://www.example.com/vantor");
        QCOMPARE(AccessOther::openWebPage(url), expected);
        QCOMPARE(starts_.size(), launches);
        if (launches > 0) {
            QCOMPARE(starts_.first(), QStringList({"xdg-open", url}));
        }
        QCOMPARE(logged().contains("Error: Could not start xdg-open for " + url), !starts);
    }

    void openWithRuntimePicksTheCommand_data()
    {
        QTest::addColumn<QString>("os");
        QTest::addColumn<QStringList>("command");
        const QString target = QStringLiteral("https://example.com/a b;rm -rf ~ $(id)");
        const QStringList windows{"rundll32", "url.dll,FileProtocolHandler", target};
        QTest::newRow("windows") << "Windows 10" << windows;
        QTest::newRow("mac") << "Mac OS X" << QStringList{"open", target};
        QTest::newRow("linux") << "Linux" << QStringList{"xdg-open", target};
        QTest::newRow("unix") << "freebsd (unix)" << QStringList{"xdg-open", target};
        QTest::newRow("win before nux") << "winux" << windows;
        QTest::newRow("unknown") << "Plan9" << QStringList();
    }
    void openWithRuntimePicksTheCommand()
    {
        QFETCH(QString, os);
        QFETCH(QStringList, command);
        AccessOther::setOperatingSystemName(os);
        const QString target = QStringLiteral("https://example.com/a b;rm -rf ~ $(id)");
        QCOMPARE(AccessOther::openWithRuntime(target), !command.isEmpty());
        if (command.isEmpty()) {
            QVERIFY(starts_.isEmpty());
            QCOMPARE(logged().mid(20), QStringLiteral("AccessOther: openWithRuntime: Unknown "
                                                      "operating system: plan9 : cannot open "
                                                      "web page.\n"));
        } else {
            // The target travels as one argument, untouched: no shell ever sees it.
            QCOMPARE(starts_, QList<QStringList>{command});
        }
    }

    void targetThatLooksLikeAnOptionIsRefused()
    {
        QVERIFY(!AccessOther::openWithRuntime(QStringLiteral("--help")));
        QVERIFY(starts_.isEmpty());
        QVERIFY(logged().contains("--help"));
    }

    void openFile()
    {
        QVERIFY(!AccessOther::openFile(QStringLiteral("/nonexistent/vantor.txt")));
        QCOMPARE(logged().mid(20), QStringLiteral("AccessOther: openFile: Error: The file does "
                                                  "not exist - /nonexistent/vantor.txt\n"));
        QVERIFY(desktopCalls_.isEmpty() && starts_.isEmpty());

        // A relative name that begins with '-' reaches both launchers as an absolute path.
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("-notes.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const bool ok = AccessOther::openFile(QStringLiteral("-notes.txt"));
        QDir::setCurrent(previous);
        QVERIFY(ok);
        const QString absolute = QFileInfo(file).canonicalFilePath();
        QCOMPARE(desktopCalls_, QList<QUrl>{QUrl::fromLocalFile(absolute)});
        QCOMPARE(starts_, QList<QStringList>{QStringList({"xdg-open", absolute})});
    }

    void platformName()
    {
        AccessOther::resetForTesting();
#if defined(Q_OS_LINUX)
        QCOMPARE(AccessOther::operatingSystemName(), QStringLiteral("linux"));
#elif defined(Q_OS_MACOS)
        QVERIFY(!AccessOther::operatingSystemName().contains("win"));
#else
        QSKIP("checked on Linux and macOS");
#endif
    }
};

QTEST_GUILESS_MAIN(TestAccessOther)
#include "tst_accessother.moc"
