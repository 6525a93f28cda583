#include "vantor/planning/CommonSlot.h"

#include <algorithm>
#include <vector>

namespace vantor {

namespace {

constexpr qint64 msPerMinute = 60 * 1000;
constexpr qint64 msPerDay = WorkingHours::minutesPerDay * msPerMinute;
constexpr qint64 msPerQuarter = 15 * msPerMinute;

// Half-open spans of UTC milliseconds, in order and apart.
struct Span
{
    qint64 begin;
    qint64 end;
};
using Spans = std::vector<Span>;

qint64 floorTo(qint64 value, qint64 step)
{
    const qint64 rest = value % step;
    return value - (rest < 0 ? rest + step : rest);
}

void append(Spans& spans, qint64 begin, qint64 end)
{
    if (begin >= end) {
        return;
    }
    if (!spans.empty() && spans.back().end == begin) {
        spans.back().end = end;
    } else {
        spans.push_back({begin, end});
    }
}

// Within each stretch of one UTC offset the local wall clock runs in step with UTC, so
// the working spans of its local days map to UTC by that offset alone; a change of
// offset inside a span cuts it there, as the wall clock does.
Spans workingSpans(const WorkingHours& hours, const Place& place, qint64 from, qint64 to)
{
    std::vector<std::pair<qint64, qint64>> stretches; // start, offset in ms
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(from, Qt::UTC);
    stretches.emplace_back(from, place.zone.offsetFromUtc(start) * 1000LL);
    const QDateTime end = QDateTime::fromMSecsSinceEpoch(to, Qt::UTC);
    for (const QTimeZone::OffsetData& change : place.zone.transitions(start, end)) {
        stretches.emplace_back(change.atUtc.toMSecsSinceEpoch(), change.offsetFromUtc * 1000LL);
    }
    Spans spans;
    for (std::size_t i = 0; i < stretches.size(); ++i) {
        const auto [begin, offset] = stretches[i];
        const qint64 stop = i + 1 < stretches.size() ? stretches[i + 1].first : to;
        const qint64 lastDay = floorTo(stop + offset, msPerDay) / msPerDay;
        // From the day before: a night shift started then reaches into this stretch.
        for (qint64 day = floorTo(begin + offset, msPerDay) / msPerDay - 1; day <= lastDay; ++day) {
            if (hours.isWorkingDay(place.country, WorkingHours::dayOfWeek(day))) {
                const qint64 midnight = day * msPerDay - offset;
                append(spans, std::max(begin, midnight + hours.startMinute() * msPerMinute),
                       std::min(stop, midnight + hours.endMinute() * msPerMinute));
            }
        }
    }
    return spans;
}

Spans intersect(const Spans& a, const Spans& b)
{
    Spans both;
    for (std::size_t i = 0, j = 0; i < a.size() && j < b.size();) {
        append(both, std::max(a[i].begin, b[j].begin), std::min(a[i].end, b[j].end));
        if (a[i].end < b[j].end) {
            ++i;
        } else {
            ++j;
        }
    }
    return both;
}

} // namespace

std::optional<QDateTime> CommonSlot::find(const WorkingHours& hours, const QList<Place>& places,
                                          const QDateTime& from, Direction direction)
{
    if (places.isEmpty()) {
        return std::nullopt;
    }
    const qint64 at = from.toMSecsSinceEpoch();
    const qint64 window = searchDays * msPerDay;
    const bool ahead = direction == Direction::Ahead;
    // Quarter hours strictly after `at` up to the window's end, or before it from the
    // window's start: the spans cover [lo, hi).
    const qint64 lo = ahead ? at : at - window;
    const qint64 hi = ahead ? at + window + 1 : at;
    Spans common = workingSpans(hours, places.first(), lo, hi);
    for (qsizetype i = 1; i < places.size() && !common.empty(); ++i) {
        common = intersect(common, workingSpans(hours, places[i], lo, hi));
    }
    const auto result = [](qint64 ms) {
        return std::optional(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC));
    };
    if (ahead) {
        const qint64 first = floorTo(at, msPerQuarter) + msPerQuarter;
        for (const Span& span : common) {
            const qint64 quarter =
                std::max(first, floorTo(span.begin + msPerQuarter - 1, msPerQuarter));
            if (quarter < span.end) {
                return result(quarter);
            }
        }
    } else {
        const qint64 last = floorTo(at - 1, msPerQuarter);
        for (auto span = common.rbegin(); span != common.rend(); ++span) {
            const qint64 quarter = std::min(last, floorTo(span->end - 1, msPerQuarter));
            if (quarter >= span->begin) {
                return result(quarter);
            }
        }
    }
    return std::nullopt;
}

} // namespace vantor
