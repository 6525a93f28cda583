#include "TestSupport.h"

#include "utils/gui/handlers/MessageBoxes.h"
#include "utils/gui/preferences/GuiPreferences.h"
#include "utils/objects/constants/StandardColors.h"
#include "vantor/Vantor.h"
#include "vantor/clocks/DayStateCue.h"
#include "vantor/objects/TimeZoneObject.h"
#include "vantor/preferences/UserPreferences.h"
#include "vantor/time/RefreshScheduler.h"

#include "utils/gui/components/MyMenuItem.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <memory>

using vantor::Vantor;

// Counts the events of one type that reach any object of the application.
class EventCounter : public QObject
{
public:
    EventCounter(QEvent::Type type, int* count) : type_(type), count_(count) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        *count_ += event->type() == type_ ? 1 : 0;
        return false;
    }

private:
    QEvent::Type type_;
    int* count_;
};

class TestVantor : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporarySettings> settings;
    std::unique_ptr<vantor::UserPreferences> uP;
    QStringList boxes;

    std::unique_ptr<Vantor> window() { return std::make_unique<Vantor>(); }

    static QPoint topLeftIn(const QWidget* widget, const QWidget* ancestor)
    {
        return widget->mapTo(ancestor, QPoint(0, 0));
    }

private Q_SLOTS:
    void initTestCase()
    {
        utils::MessageBoxes::setHandler([this](QMessageBox::Icon, QWidget*, const QString& title,
                                               const QString& text, QMessageBox::StandardButtons) {
            boxes << title + u": "_qs + text;
            return QMessageBox::Ok;
        });
    }
    void init()
    {
        Vantor::applyDefaultLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        settings = std::make_unique<TemporarySettings>();
        uP = std::make_unique<vantor::UserPreferences>(Vantor::MAIN_CLASS);
        uP->setTimeZones(u"Asia/Kolkata;America/New_York;Europe/London"_qs);
        boxes.clear();
    }
    void cleanup()
    {
        uP.reset();
        settings.reset();
    }

    void startsAtTheStoredPositionAndStoresItAsItIs()
    {
        auto first = window();
        QCOMPARE(first->pos(), QPoint(50, 50));
        QVERIFY(first->isVisible());
        QVERIFY(first->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(first->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
        QVERIFY(first->windowFlags() & Qt::WindowStaysOnTopHint);
        // Without a tray the user is told once, and the window still opens.
        QCOMPARE(boxes, QStringList{u"Error: System Tray is not supported."_qs});

        // A screen left of the main one has negative coordinates: stored as they are,
        // and a start where that screen is gone opens on this one.
        first->move(-30, 200);
        first->saveWindowSettings();
        QCOMPARE(utils::GuiPreferences(Vantor::MAIN_CLASS).getMainWindowLocation(50, 50),
                 QPoint(-30, 200));
        first.reset();
        QCOMPARE(window()->pos(), QPoint(50, 50));
        QCOMPARE(utils::GuiPreferences(Vantor::MAIN_CLASS).getMainWindowLocation(50, 50),
                 QPoint(-30, 200));
    }

    // Qt reads the desktop's "no" as "nb", which alone would leave the window in English.
    void norwegianDesktop()
    {
        const EnvironmentGuard all("LC_ALL", std::nullopt);
        const EnvironmentGuard messages("LC_MESSAGES", std::nullopt);
        const EnvironmentGuard lang("LANG", QByteArray("no"));
        Vantor::applyDefaultLocale(QLocale(QLocale::NorwegianBokmal, QLocale::Norway));
        auto main = window();
        QCOMPARE(boxes, QStringList{u"Feil: Systemstatusfeltet st\u00f8ttes ikke."_qs});
    }

    void taskBarAndOnTopSettings()
    {
        uP->setOnTaskBar(true);
        uP->setAlwaysOnTop(false);
        auto w = window();
        QCOMPARE(w->windowFlags() & Qt::WindowType_Mask, Qt::Window);
        QVERIFY(!(w->windowFlags() & Qt::WindowStaysOnTopHint));

        // A rebuild follows the on-top setting but keeps the window type of start-up.
        uP->setOnTaskBar(false);
        uP->setAlwaysOnTop(true);
        w->resetView(false);
        QCOMPARE(w->windowFlags() & Qt::WindowType_Mask, Qt::Window);
        QVERIFY(w->windowFlags() & Qt::WindowStaysOnTopHint);
    }

    void verticalLayoutStacksFourRowsPerClock()
    {
        auto w = window();
        QCOMPARE(w->clocks().size(), std::size_t(3));
        int previousBottom = -1;
        for (const auto& clock : w->clocks()) {
            const QWidget* rows[] = {clock->getNameLbl(), clock->getTimeLbl(),
                                     clock->getTimeZoneLbl(), clock->getDateLbl()};
            for (const QWidget* row : rows) {
                QVERIFY(row->isVisible());
                const int top = topLeftIn(row, w.get()).y();
                QVERIFY2(top > previousBottom, "rows overlap or are out of order");
                previousBottom = top + row->height() - 1;
            }
        }
        // Each caption is followed by its separator line in the same row.
        const auto lines = w->clockArea()->findChildren<QFrame*>();
        int separators = 0;
        for (const QFrame* frame : lines) {
            separators += frame->frameShape() == QFrame::HLine ? 1 : 0;
        }
        QCOMPARE(separators, 3);
    }

    void horizontalLayoutPutsCardsInOneRow_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("left to right") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("right to left") << QLocale(QLocale::Arabic, QLocale::Egypt);
    }
    void horizontalLayoutPutsCardsInOneRow()
    {
        QFETCH(QLocale, locale);
        Vantor::applyDefaultLocale(locale);
        const bool rtl = locale.language() == QLocale::Arabic;
        uP->setVerticalLayout(false);
        auto w = window();
        QCOMPARE(w->layoutDirection(), rtl ? Qt::RightToLeft : Qt::LeftToRight);
        int previousX = rtl ? INT_MAX : -1;
        int row = -1;
        for (const auto& clock : w->clocks()) {
            const QWidget* card = clock->getNameLbl()->parentWidget();
            QVERIFY(card != w->clockArea());
            const QPoint at = topLeftIn(card, w.get());
            QVERIFY2(rtl ? at.x() < previousX : at.x() > previousX, "cards out of order");
            QVERIFY(row == -1 || at.y() == row);
            previousX = at.x();
            row = at.y();

            // The widest row shows the card's insets: 6 on the leading side, 4 on the other.
            // The time's row holds the working-hours mark too.
            QRect timeRow = clock->getTimeLbl()->geometry();
            if (const QWidget* cue = clock->getStateCue()) {
                timeRow = timeRow.united(cue->geometry());
            }
            QRect widest = timeRow;
            for (const QLabel* label :
                 {clock->getNameLbl(), clock->getTimeZoneLbl(), clock->getDateLbl()}) {
                if (label->width() > widest.width()) {
                    widest = label->geometry();
                }
            }
            const int left = widest.x();
            const int right = card->width() - widest.right() - 1;
            QCOMPARE(rtl ? right : left, 6);
            QCOMPARE(rtl ? left : right, 4);
        }
    }

    void windowSizeEstimateFromTheClocks()
    {
        auto w = window();
        int width = 0;
        int height = 0;
        for (const auto& clock : w->clocks()) {
            width = std::max(width, clock->getObjectDimension().width());
            height += clock->getObjectDimension().height() + 8;
        }
        QCOMPARE(w->getWindowSize(), QSize(width + 12, height + 4));

        uP->setTimeZones(QString());
        w->resetView(false);
        QVERIFY(w->clocks().empty());
        QCOMPARE(w->getWindowSize(), QSize(12, 4));
    }

    // One refresh armed after any rebuild: for the next whole second while a pattern
    // shows seconds, for the next whole minute while none does.
    void oneTimerOnTheNextWholeSecondOrMinuteAfterAnyRebuild()
    {
        uP->setTimePattern(u"HH:mm:ss"_qs);
        auto w = window();
        for (int i = 0; i < 5; ++i) {
            w->resetView(i % 2 == 0);
        }
        QCOMPARE(w->findChildren<vantor::RefreshScheduler*>().size(), 1);
        const auto timers = w->findChildren<QTimer*>();
        QVERIFY(std::none_of(timers.begin(), timers.end(),
                             [](const QTimer* t) { return t->isActive(); }));
        const qint64 toWholeSecond = 1000 - QDateTime::currentMSecsSinceEpoch() % 1000;
        QVERIFY(w->timer()->isActive());
        QCOMPARE(w->timer()->periodMs(), 1000);
        QVERIFY2(w->timer()->remainingMs() <= toWholeSecond + 1,
                 qPrintable(QString::number(w->timer()->remainingMs())));

        uP->setTimePattern(u"h:mm 'sharp' a"_qs); // a quoted s shows no seconds
        w->resetView(false);
        const qint64 toWholeMinute = 60000 - QDateTime::currentMSecsSinceEpoch() % 60000;
        QCOMPARE(w->timer()->periodMs(), 60000);
        QVERIFY2(w->timer()->remainingMs() <= toWholeMinute + 1,
                 qPrintable(QString::number(w->timer()->remainingMs())));
    }

    void resetViewReturnsToDefaultsButKeepsZonesAndScheme()
    {
        uP->setDarkMode(true);
        uP->setVerticalLayout(false);
        uP->setTimeFontSize(24);
        auto w = window();
        w->move(400, 300);
        w->saveWindowSettings();

        w->removePreferences();
        w->resetView(true);
        QCOMPARE(w->pos(), QPoint(50, 50));
        QCOMPARE(w->clocks().size(), std::size_t(3));
        QCOMPARE(w->clocks().front()->getTimeLbl()->font().pointSize(), 18);
        QVERIFY(uP->isDarkMode());
        QVERIFY(uP->isVerticalLayout());
    }

    void rightClickMenuFollowsTheScheme_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void rightClickMenuFollowsTheScheme()
    {
        QFETCH(bool, dark);
        uP->setDarkMode(dark);
        auto w = window();
        QStringList entries;
        for (const QAction* action : w->popupMenu()->actions()) {
            entries << (action->isSeparator() ? u"-"_qs : utils::MyMenuItem::actionCommand(action));
            QVERIFY(action->isSeparator() || !action->icon().isNull());
        }
        QCOMPARE(entries, dark ? QStringList({u"TimeZones"_qs, u"Settings"_qs, u"About"_qs,
                                              u"ResetView"_qs, u"Exit"_qs})
                               : QStringList({u"TimeZones"_qs, u"Settings"_qs, u"-"_qs, u"About"_qs,
                                              u"-"_qs, u"ResetView"_qs, u"-"_qs, u"Exit"_qs}));
        QCOMPARE(w->popupMenu()->actions().first()->text(), u"Time Zones"_qs);
        if (dark) {
            QCOMPARE(w->popupMenu()->palette().color(QPalette::Window),
                     utils::StandardColors::SHADE);
        }
        // A rebuild makes a new menu in the scheme then stored.
        uP->setDarkMode(!dark);
        w->resetView(false);
        QCOMPARE(w->popupMenu()->actions().size(), dark ? 8 : 5);
    }

    void commandsRebuildOnlyWhenTheDialogReportsAChange()
    {
        auto w = window();
        const vantor::TimeZoneObject* before = w->clocks().front().get();
        // Close the dialog as soon as it runs, without a change.
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) {
                static_cast<QDialog*>(dialog)->reject();
            }
        });
        w->actionPerformed(u"Settings"_qs);
        QCOMPARE(w->clocks().front().get(), before);

        w->actionPerformed(u"NoSuchCommand"_qs);
        QCOMPARE(w->clocks().front().get(), before);

        uP->setTimeZones(u"Asia/Tokyo"_qs);
        w->actionPerformed(u"ResetView"_qs);
        QCOMPARE(w->clocks().size(), std::size_t(1));
        QCOMPARE(w->pos(), QPoint(50, 50));
    }

    void draggingByACardMovesTheWindowExactly()
    {
        uP->setVerticalLayout(false);
        auto w = window();
        w->move(200, 150);
        QLabel* time = w->clocks().back()->getTimeLbl();
        const QPoint grab(3, 3);
        QTest::mousePress(time, Qt::LeftButton, {}, grab);
        QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(100, 0)),
                         QPointF(time->mapToGlobal(grab + QPoint(100, 0))), Qt::NoButton,
                         Qt::LeftButton, {});
        QApplication::sendEvent(time, &move);
        QCOMPARE(w->pos(), QPoint(300, 150));
        QTest::mouseRelease(time, Qt::LeftButton, {}, grab + QPoint(100, 0));
        QCOMPARE(utils::GuiPreferences(Vantor::MAIN_CLASS).getMainWindowLocation(50, 50),
                 QPoint(300, 150));

        // A plain click stores the unchanged position too.
        utils::GuiPreferences(Vantor::MAIN_CLASS).setMainWindowLocation(1, 1);
        QTest::mouseClick(w.get(), Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(utils::GuiPreferences(Vantor::MAIN_CLASS).getMainWindowLocation(50, 50), w->pos());
    }

    // The next minute of the same width repaints the time alone; a wider time ("9:59 AM"
    // to "10:00 AM") widens its label and the window, so no digit is cut.
    void aTimeLaysTheWindowOutOnlyWhenItsWidthChanges()
    {
        uP->setTimeZones(u"Europe/London"_qs);
        uP->setTimePattern(u"h:mm a"_qs);
        auto w = window();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const auto& clock = w->clocks().front();
        QLabel* time = clock->getTimeLbl();
        int layoutRequests = 0;
        EventCounter counter(QEvent::LayoutRequest, &layoutRequests);
        qApp->installEventFilter(&counter);
        // One layout pass may ask for the next one, up the nested layouts.
        const auto settle = [&] {
            for (int seen = -1; seen != layoutRequests;) {
                seen = layoutRequests;
                QCoreApplication::sendPostedEvents();
            }
        };
        const QDateTime at0958(QDate(2026, 1, 15), QTime(9, 58), Qt::UTC);
        clock->updateDateTime(at0958);
        settle();
        const QFontMetrics metrics(time->font());
        if (metrics.horizontalAdvance(u"9:58"_qs) != metrics.horizontalAdvance(u"9:59"_qs)) {
            QSKIP("this font's digits differ in width");
        }

        layoutRequests = 0;
        clock->updateDateTime(at0958.addSecs(60));
        settle();
        QVERIFY(time->text().startsWith(u"9:59"));
        QCOMPARE(layoutRequests, 0);

        const int narrowWindow = w->width();
        clock->updateDateTime(at0958.addSecs(120));
        settle();
        qApp->removeEventFilter(&counter);
        QVERIFY(time->text().startsWith(u"10:00"));
        QVERIFY(layoutRequests > 0);
        QVERIFY(time->width() >= metrics.horizontalAdvance(time->text()));
        QVERIFY(time->geometry().right() < time->parentWidget()->width());
        QVERIFY(w->width() >= narrowWindow);

        // A larger font refits the label at once, before any new text.
        QFont larger = time->font();
        larger.setPointSize(larger.pointSize() * 2);
        time->setFont(larger);
        QVERIFY(time->width() >= QFontMetrics(larger).horizontalAdvance(time->text()));
    }

    void aHugeZoneListIsCut()
    {
        QStringList zones;
        for (int i = 0; i < 500; ++i) {
            zones << u"Etc/GMT-%1"_qs.arg(i % 13);
        }
        uP->setTimeZones(zones.join(u';'));
        auto w = window();
        QCOMPARE(int(w->clocks().size()), Vantor::MAX_CLOCKS);
        QCOMPARE(uP->getTimeZones().size(), 500); // the stored list stays whole
    }
};

QTEST_MAIN(TestVantor)
#include "tst_vantor.moc"
