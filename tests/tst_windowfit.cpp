#include "TestSupport.h"

#include "utils/gui/dialogs/AboutBoxDialog.h"
#include "utils/gui/handlers/MessageBoxes.h"
#include "vantor/Vantor.h"
#include "vantor/objects/TimeZoneObject.h"
#include "vantor/preferences/UserPreferences.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QSet>
#include <QTemporaryFile>

using vantor::Vantor;

// The main window on two real-world screens side by side: a 1280x800 laptop panel and a
// 1920x1080 monitor to its right.
class TestWindowFit : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporarySettings> settings;
    std::unique_ptr<vantor::UserPreferences> uP;

    static QRect screen(const char* name)
    {
        for (const QScreen* screen : QGuiApplication::screens()) {
            if (screen->name() == QLatin1String(name)) {
                return screen->availableGeometry();
            }
        }
        return {};
    }

    static QStringList zones(int count)
    {
        static const QStringList all{u"Asia/Kolkata"_qs,      u"America/New_York"_qs,
                                     u"Europe/London"_qs,     u"Asia/Tokyo"_qs,
                                     u"Australia/Sydney"_qs,  u"America/Los_Angeles"_qs,
                                     u"Europe/Berlin"_qs,     u"Africa/Nairobi"_qs,
                                     u"America/Sao_Paulo"_qs, u"Pacific/Auckland"_qs};
        return all.mid(0, count);
    }

    // Every label of every clock lies entirely inside the window, and the window on
    // its screen.
    static void verifyAllShown(const Vantor& w, const QRect& screen)
    {
        QVERIFY2(screen.contains(w.geometry()),
                 qPrintable(u"window %1,%2 %3x%4"_qs.arg(w.x()).arg(w.y()).arg(w.width()).arg(
                     w.height())));
        const QRect inside(QPoint(0, 0), w.size());
        for (const auto& clock : w.clocks()) {
            for (const QLabel* label : {clock->getNameLbl(), clock->getTimeLbl(),
                                        clock->getTimeZoneLbl(), clock->getDateLbl()}) {
                const QRect at(label->mapTo(&w, QPoint(0, 0)), label->size());
                QVERIFY2(label->isVisible() && inside.contains(at),
                         qPrintable(label->text() + u" outside the window"_qs));
            }
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::screens().size(), 2);
        utils::MessageBoxes::setHandler(
            [](QMessageBox::Icon, QWidget*, const QString&, const QString&,
               QMessageBox::StandardButtons) { return QMessageBox::Ok; });
    }
    void init()
    {
        Vantor::applyDefaultLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        settings = std::make_unique<TemporarySettings>();
        uP = std::make_unique<vantor::UserPreferences>(Vantor::MAIN_CLASS);
        uP->setTimePattern(u"HH:mm:ss"_qs);
    }
    void cleanup()
    {
        uP.reset();
        settings.reset();
    }

    // More than two thirds of the screen is still the window's to take.
    void sixStackedClocksOnALaptopPanel()
    {
        uP->setTimeZones(zones(6).join(u';'));
        Vantor w;
        const QRect panel = screen("panel");
        QVERIFY2(w.height() > panel.height() * 2 / 3, "the clocks do not test the limit");
        verifyAllShown(w, panel);
    }

    void tenCardsSideBySideOnAMonitor()
    {
        uP->setTimeZones(zones(10).join(u';'));
        uP->setVerticalLayout(false);
        utils::GuiPreferences(Vantor::MAIN_CLASS).setMainWindowLocation(1280 + 50, 50);
        Vantor w;
        const QRect monitor = screen("monitor");
        QVERIFY2(w.width() > monitor.width() * 2 / 3, "the clocks do not test the limit");
        verifyAllShown(w, monitor);
    }

    // How many columns (stacked) or rows (side by side) the clocks take.
    static int lines(const Vantor& w, bool columns)
    {
        QSet<int> at;
        for (const auto& clock : w.clocks()) {
            const QPoint corner = clock->getNameLbl()->parentWidget()->pos();
            at.insert(columns ? corner.x() : corner.y());
        }
        return int(at.size());
    }

    // A window that fits on the screen moves onto it instead of being cut. Clocks that
    // one column or row cannot hold take the fewest more that do, in the order they are
    // configured; where no number of them holds the clocks, the clocks are smaller.
    void tooManyClocksWrapOrShrink()
    {
        uP->setTimeZones(zones(6).join(u';'));
        utils::GuiPreferences(Vantor::MAIN_CLASS).setMainWindowLocation(50, 600);
        Vantor w;
        const QRect panel = screen("panel");
        verifyAllShown(w, panel);
        QCOMPARE(lines(w, true), 1);

        uP->setTimeZones(zones(10).join(u';'));
        uP->setTimeFontSize(30);
        w.resetView(false);
        verifyAllShown(w, panel);
        // Down the first column, then the next.
        const auto& clocks = w.clocks();
        const auto corner = [&](int i) {
            return clocks[i]->getNameLbl()->parentWidget()->pos();
        };
        int perColumn = 1;
        while (corner(perColumn).x() == corner(0).x()) {
            QVERIFY(corner(perColumn).y() > corner(perColumn - 1).y());
            ++perColumn;
        }
        QVERIFY(perColumn < 10);
        QCOMPARE(corner(perColumn).y(), corner(0).y());
        QCOMPARE(lines(w, true), (10 + perColumn - 1) / perColumn);
        QCOMPARE(clocks[0]->getTimeLbl()->font().pointSize(), 30);

        uP->setVerticalLayout(false);
        w.resetView(false);
        verifyAllShown(w, panel);
        QCOMPARE(lines(w, false), 2);
        QCOMPARE(corner(1).y(), corner(0).y());

        uP->setTimeFontSize(96);
        w.resetView(false);
        verifyAllShown(w, panel);
        const int shown = clocks[0]->getTimeLbl()->font().pointSize();
        QVERIFY2(shown < 96 && shown >= vantor::TimeZoneObject::MIN_TIME_FONT_SIZE,
                 qPrintable(QString::number(shown)));
        QCOMPARE(uP->getTimeFontSize(), 96);
    }

    // The About box disables the window and nothing more: the clocks keep their
    // colours, and the box opens entirely on the screen next to a window at its edge.
    void aboutBoxBesideTheWindow()
    {
        uP->setTimeZones(zones(2).join(u';'));
        Vantor w;
        QCOMPARE(w.pos(), QPoint(50, 50));
        w.actionPerformed(u"About"_qs);
        auto* box = w.findChild<utils::AboutBoxDialog*>();
        QVERIFY(box != nullptr);
        QVERIFY(!w.isEnabled());
        const QRect panel = screen("panel");
        QVERIFY2(panel.contains(box->frameGeometry()),
                 qPrintable(u"box at %1,%2"_qs.arg(box->x()).arg(box->y())));
        for (const auto& clock : w.clocks()) {
            for (const QLabel* label : {clock->getTimeLbl(), clock->getDateLbl(),
                                        clock->getNameLbl(), clock->getTimeZoneLbl()}) {
                QVERIFY(!label->isEnabled());
                QCOMPARE(label->palette().color(QPalette::Disabled, QPalette::WindowText),
                         label->palette().color(QPalette::Active, QPalette::WindowText));
            }
        }
        box->close();
        QTRY_VERIFY(w.isEnabled());
    }
};

int main(int argc, char* argv[])
{
    QTemporaryFile config;
    if (!config.open()) {
        return 1;
    }
    config.write(R"({"screens": [
        {"name": "panel", "x": 0, "y": 0, "width": 1280, "height": 800, "logicalDpi": 96},
        {"name": "monitor", "x": 1280, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96}
    ]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    TestWindowFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowfit.moc"
