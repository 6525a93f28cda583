#pragma once

#include "vantor/planning/WorkingHours.h"

#include <QDateTime>
#include <QList>

#include <optional>

namespace vantor {

// The next (or last) time at which every clock is within its working hours: a quarter
// hour in UTC, which is a quarter hour in every zone, too.
class CommonSlot
{
public:
    enum class Direction
    {
        Ahead,
        Back
    };
    static constexpr int searchDays = 14;

    // The first quarter hour after `from` (or the last one before it) and at most
    // searchDays away at which every place is in working hours; none where there is
    // no such time, and for no places.
    static std::optional<QDateTime> find(const WorkingHours& hours, const QList<Place>& places,
                                         const QDateTime& from, Direction direction);
};

} // namespace vantor
