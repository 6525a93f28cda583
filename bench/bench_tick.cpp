// What one whole-second tick costs per clock, offscreen. Two kinds of window are ticked
// by hand with successive whole seconds:
//  - "replica": the clocks built by hand and placed in bordered cards in a row, as the
//    main window's horizontal layout places them;
//  - "main-vertical", "main-horizontal": the program's own main window in either layout,
//    built from the settings (the vertical one is the default).
// Two figures per clock: the refresh alone, and the refresh with the layout and repaint
// work it causes (events processed after every tick). The time pattern shows seconds, so
// every tick really changes a label. In the default window the heap in use is then
// sampled after 1,000 and 10,000 further ticks: a steady clock must not keep allocating.
//
// Output, one result per line: "result KIND clocks=N key=value ...", read by bench/run.sh.
// Usage: bench_tick [--quick]   (--quick: a tenth of the timed rounds, for trying it out)
#include "utils/gui/handlers/MessageBoxes.h"
#include "utils/gui/layout/ConstraintLayout.h"
#include "utils/handlers/LanguageTable.h"
#include "utils/objects/constants/StandardColors.h"
#include "vantor/Vantor.h"
#include "vantor/clocks/ClockCard.h"
#include "vantor/handlers/CountryCodes.h"
#include "vantor/objects/TimeZoneObject.h"
#include "vantor/preferences/UserPreferences.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QWidget>

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

using vantor::TimeZoneObject;

namespace {

// 2024-03-30T23:00:00Z: the ticks cross midnight in London and, an hour later, its change
// to summer time, so date texts and offsets change too, not only the seconds.
constexpr qint64 FIRST_TICK_MS = 1711839600000;

double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

class PaintCounter : public QObject
{
public:
    using QObject::QObject;
    long paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

// A shown window with clocks, ticked by hand.
class ClockWindow
{
public:
    ClockWindow() = default;
    ClockWindow(const ClockWindow&) = delete;
    ClockWindow& operator=(const ClockWindow&) = delete;
    virtual ~ClockWindow() = default;

    // Runs rounds whole-second ticks after *tickMs; returns the CPU seconds they took.
    double run(long rounds, bool withEvents, qint64& tickMs)
    {
        const double before = cpuSeconds();
        for (long round = 0; round < rounds; ++round) {
            tickMs += 1000;
            const QDateTime instant = QDateTime::fromMSecsSinceEpoch(tickMs, QTimeZone::utc());
            for (TimeZoneObject* clock : clocks_) {
                clock->updateDateTime(instant);
            }
            if (withEvents) {
                QCoreApplication::processEvents();
            }
        }
        return cpuSeconds() - before;
    }

    std::size_t size() const { return clocks_.size(); }
    long paints() const { return counter_.paints; }
    bool visible() const { return window_ != nullptr && window_->isVisible(); }

protected:
    // Counts the repaints of the time labels; returns once the window has painted.
    void watch(QWidget* window, std::vector<TimeZoneObject*> clocks)
    {
        window_ = window;
        clocks_ = std::move(clocks);
        for (TimeZoneObject* clock : clocks_) {
            clock->getTimeLbl()->installEventFilter(&counter_);
        }
        for (int i = 0; i < 20 && counter_.paints == 0; ++i) {
            QCoreApplication::processEvents();
        }
    }

private:
    PaintCounter counter_; // outlives the labels it watches
    QWidget* window_ = nullptr;
    std::vector<TimeZoneObject*> clocks_;
};

// The clocks built and placed as the main window's horizontal layout does: one bordered
// card per zone in a row, the window no larger than the screen.
class ReplicaWindow : public ClockWindow
{
public:
    ReplicaWindow(const QStringList& zones, vantor::UserPreferences& uP,
                  const utils::LanguageTable& labels)
    {
        const vantor::CountryCodes countryCodes;
        auto* content = new utils::ConstraintLayout(QStringLiteral("insets 4"), {}, {}, &window);
        content->setSizeConstraint(QLayout::SetNoConstraint);
        auto* area = new QWidget;
        auto* row = new utils::ConstraintLayout(QStringLiteral("insets 4"), {}, {}, area);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        std::vector<TimeZoneObject*> entries;
        for (const QString& zone : zones) {
            clocks.push_back(std::make_unique<TimeZoneObject>(
                zone, now, &uP, countryCodes.flagFileName(zone), labels));
            TimeZoneObject& entry = *clocks.back();
            entries.push_back(&entry);
            auto* card = new vantor::ClockCard(utils::StandardColors::HIGHLIGHT);
            auto* layout =
                new utils::ConstraintLayout(QStringLiteral("insets 4 6 4 4"), {}, {}, card);
            layout->addWidget(entry.getNameLbl(), QStringLiteral("align center, wrap 2"));
            layout->addWidget(entry.getTimeLbl(), QStringLiteral("align center, wrap 2"));
            layout->addWidget(entry.getTimeZoneLbl(), QStringLiteral("align center, wrap 2"));
            layout->addWidget(entry.getDateLbl(), QStringLiteral("align center, wrap 5"));
            row->addWidget(card);
        }
        content->addWidget(area);
        window.setWindowFlags(Qt::FramelessWindowHint | Qt::Tool);
        window.adjustSize();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        window.resize(window.size().boundedTo(screen.size()));
        window.show();
        watch(&window, std::move(entries));
    }

private:
    QWidget window;
    std::vector<std::unique_ptr<TimeZoneObject>> clocks;
};

// The program's own main window with the zones and the layout stored in the settings.
// Its own timer keeps running: once a second it adds one real tick to the many counted.
class MainWindow : public ClockWindow
{
public:
    MainWindow(const QStringList& zones, bool vertical, vantor::UserPreferences& uP)
    {
        uP.setTimeZones(zones.join(QLatin1Char(';')));
        uP.setVerticalLayout(vertical);
        window = std::make_unique<vantor::Vantor>();
        std::vector<TimeZoneObject*> entries;
        for (const auto& clock : window->clocks()) {
            entries.push_back(clock.get());
        }
        watch(window.get(), std::move(entries));
    }

private:
    std::unique_ptr<vantor::Vantor> window;
};

// n zones spread over the whole list, all with a country and so with a flag.
QStringList spreadZones(int n)
{
    const vantor::CountryCodes countryCodes;
    QStringList all;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
        const QString zone = QString::fromLatin1(id);
        if (countryCodes.flagFileName(zone)) {
            all.append(zone);
        }
    }
    all.sort();
    QStringList picked;
    for (int i = 0; i < n && !all.isEmpty(); ++i) {
        picked.append(all.at(int(qint64(i) * all.size() / n)));
    }
    return picked;
}

struct Timed
{
    long rounds = 0;
    double cpu = 0;
};

// Ticks in batches until both at least minRounds rounds and minCpu CPU seconds are done:
// the refresh with repaints costs far more than without, and the run time stays bounded.
Timed runFor(ClockWindow& window, long minRounds, double minCpu, bool withEvents, qint64& tickMs)
{
    Timed timed;
    const long batch = std::max(1L, minRounds / 10);
    while (timed.rounds < minRounds || timed.cpu < minCpu) {
        timed.cpu += window.run(batch, withEvents, tickMs);
        timed.rounds += batch;
    }
    return timed;
}

enum class Heap
{
    No,
    WithEvents,
    UpdateOnly
};

bool measure(ClockWindow& window, const char* kind, qsizetype expected, double scale, Heap heap)
{
    if (!window.visible() || window.paints() == 0 || window.size() != std::size_t(expected)) {
        std::fprintf(stderr, "bench_tick: the %s window with %lld clocks was not shown\n", kind,
                     static_cast<long long>(expected));
        return false;
    }
    const double clocks = double(window.size());
    qint64 tickMs = FIRST_TICK_MS;
    window.run(20, true, tickMs); // caches, glyphs, backing store

    const Timed updateOnly = runFor(window, long(2000 * scale), 1.0 * scale, false, tickMs);
    QCoreApplication::processEvents();
    const long paintsBefore = window.paints();
    const Timed withEvents = runFor(window, long(50 * scale), 2.0 * scale, true, tickMs);
    std::printf("result %s clocks=%zu update_rounds=%ld update_us=%.2f repaint_rounds=%ld "
                "update_repaint_us=%.2f time_label_paints_per_tick=%.2f\n",
                kind, window.size(), updateOnly.rounds,
                updateOnly.cpu / (double(updateOnly.rounds) * clocks) * 1e6, withEvents.rounds,
                withEvents.cpu / (double(withEvents.rounds) * clocks) * 1e6,
                double(window.paints() - paintsBefore) / double(withEvents.rounds));
    std::fflush(stdout);

    if (heap != Heap::No) {
        const bool events = heap == Heap::WithEvents;
        window.run(1000, events, tickMs);
        const std::size_t after1000 = mallinfo2().uordblks;
        window.run(9000, events, tickMs);
        const std::size_t after10000 = mallinfo2().uordblks;
        std::printf("result %s clocks=%zu heap_events=%d heap_after_1000=%zu "
                    "heap_after_10000=%zu heap_growth=%lld\n",
                    kind, window.size(), events ? 1 : 0, after1000, after10000,
                    static_cast<long long>(after10000) - static_cast<long long>(after1000));
        std::fflush(stdout);
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // Settings of this run only, never the user's.
    const QTemporaryDir settingsDir;
    if (!settingsDir.isValid()) {
        std::fputs("bench_tick: no temporary directory\n", stderr);
        return 1;
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());

    vantor::Vantor::applyDefaultLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    const utils::LanguageTable labels =
        utils::LanguageTable::load(vantor::Vantor::LANGUAGE, QLocale());
    vantor::UserPreferences uP(vantor::Vantor::MAIN_CLASS);
    uP.setTimePattern(QStringLiteral("HH:mm:ss"));

    const QStringList four = {QStringLiteral("Asia/Kolkata"), QStringLiteral("America/New_York"),
                              QStringLiteral("Europe/London"), QStringLiteral("Australia/Sydney")};
    const double scale = quick ? 0.1 : 1.0;
    const QStringList hundred = spreadZones(100);
    if (hundred.size() != 100) {
        std::fputs("bench_tick: fewer than 100 zones with a country\n", stderr);
        return 1;
    }
    for (const QStringList* zones : {&four, &hundred}) {
        ReplicaWindow window(*zones, uP, labels);
        if (!measure(window, "replica", zones->size(), scale, Heap::No)) {
            return 1;
        }
    }

    // Without a tray the window reports an error box first; nobody is there to close it.
    utils::MessageBoxes::setHandler([](QMessageBox::Icon, QWidget*, const QString&, const QString&,
                                       QMessageBox::StandardButtons) { return QMessageBox::Ok; });
    // The heap is followed in the default layout: four clocks repainted on every tick; for
    // a hundred, ten thousand repainted ticks would take minutes, so the refresh alone.
    for (const bool vertical : {true, false}) {
        const char* kind = vertical ? "main-vertical" : "main-horizontal";
        MainWindow small(four, vertical, uP);
        if (!measure(small, kind, four.size(), scale, vertical ? Heap::WithEvents : Heap::No)) {
            return 1;
        }
        MainWindow large(hundred, vertical, uP);
        if (!measure(large, kind, hundred.size(), scale, vertical ? Heap::UpdateOnly : Heap::No)) {
            return 1;
        }
    }
    return 0;
}
