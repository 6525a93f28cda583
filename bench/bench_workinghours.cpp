// What the working hours cost: the state of 100 clocks, as asked once a minute, and the
// search for the next (or last) common working quarter hour of 10 clocks. Each search
// builds every clock's working spans over its whole 14 days afresh, as after a change of
// the shown moment, wherever the answer lies: "overlapping" clocks share working hours on
// most days, so all ten are built; "apart" ones share none, and the search stops building
// once the clocks so far share no time.
//
// Output, one result per line: "result KIND clocks=N key=value ...", read by bench/run.sh.
// Usage: bench_workinghours [--quick]   (--quick: a tenth of the rounds)
#include "vantor/handlers/CountryCodes.h"
#include "vantor/planning/CommonSlot.h"
#include "vantor/planning/WorkingHours.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using vantor::CommonSlot;
using vantor::Place;

namespace {

// Monday 2026-03-02T12:00:00Z: New York and London change their clocks in the window.
constexpr qint64 FROM_MS = 1772452800000;

QList<Place> places(const vantor::CountryCodes& codes, const QStringList& zoneIds, int count)
{
    QList<Place> list;
    for (int i = 0; i < count; ++i) {
        const QString& id = zoneIds[i % zoneIds.size()];
        list.append({QTimeZone(id.toLatin1()), codes.findCountryCode(id).value_or(QString())});
    }
    return list;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    const vantor::CountryCodes codes;
    const vantor::WorkingHours hours(QTime(9, 0), QTime(17, 0));
    const QStringList zones{u"Europe/London"_qs,    u"Asia/Kolkata"_qs,      u"America/New_York"_qs,
                            u"Asia/Tokyo"_qs,       u"Australia/Sydney"_qs,  u"Asia/Riyadh"_qs,
                            u"Asia/Kathmandu"_qs,   u"America/Sao_Paulo"_qs, u"Europe/Berlin"_qs,
                            u"Pacific/Auckland"_qs, u"Asia/Tehran"_qs,       u"UTC"_qs};
    const QDateTime from = QDateTime::fromMSecsSinceEpoch(FROM_MS, Qt::UTC);

    // One state per clock and minute, 100 clocks.
    const QList<Place> clocks = places(codes, zones, 100);
    const int minutes = quick ? 100 : 1000;
    int working = 0;
    QElapsedTimer timer;
    timer.start();
    for (int minute = 0; minute < minutes; ++minute) {
        const QDateTime at = from.addSecs(60LL * minute);
        for (const Place& place : clocks) {
            working += hours.stateAt(place, at) == vantor::DayState::Working ? 1 : 0;
        }
    }
    const double stateUs = double(timer.nsecsElapsed()) / 1e3 / minutes / clocks.size();
    std::printf("result state clocks=%lld minutes=%d per_clock_us=%.3f working=%d\n",
                static_cast<long long>(clocks.size()), minutes, stateUs, working);

    // The search both ways, 10 clocks; the first search of each set is not counted: it
    // asks ICU for the regions' weekends.
    const QStringList overlapping{
        u"Europe/London"_qs, u"Europe/Berlin"_qs,       u"Africa/Lagos"_qs,    u"Africa/Cairo"_qs,
        u"Asia/Riyadh"_qs,   u"Africa/Johannesburg"_qs, u"Europe/Istanbul"_qs, u"Asia/Jerusalem"_qs,
        u"Asia/Dubai"_qs,    u"Europe/Lisbon"_qs};
    const int searches = quick ? 20 : 200;
    for (const auto& [kind, ids] :
         {std::pair(u"overlapping"_qs, overlapping), std::pair(u"apart"_qs, zones)}) {
        const QList<Place> ten = places(codes, ids, 10);
        CommonSlot::find(hours, ten, from, CommonSlot::Direction::Ahead);
        std::vector<double> ms;
        int found = 0;
        for (int i = 0; i < searches; ++i) {
            const auto direction =
                i % 2 == 0 ? CommonSlot::Direction::Ahead : CommonSlot::Direction::Back;
            timer.restart();
            found += CommonSlot::find(hours, ten, from.addSecs(3600LL * i), direction) ? 1 : 0;
            ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        std::printf("result common-slot-%s clocks=%lld searches=%d median_ms=%.3f max_ms=%.3f "
                    "found=%d\n",
                    qPrintable(kind), static_cast<long long>(ten.size()), searches,
                    ms[ms.size() / 2], ms.back(), found);
    }
    return 0;
}
