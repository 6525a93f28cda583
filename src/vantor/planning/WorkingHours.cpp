#include "vantor/planning/WorkingHours.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>

#include <algorithm>
#include <memory>

namespace vantor {

namespace {

constexpr qint64 msPerMinute = 60 * 1000;
constexpr qint64 msPerDay = WorkingHours::minutesPerDay * msPerMinute;
constexpr int nightStart = 22 * 60;
constexpr int nightEnd = 7 * 60;

int minuteOfDay(QTime time)
{
    return time.hour() * 60 + time.minute();
}

} // namespace

WorkingHours::WorkingHours(QTime start, QTime end)
    : start_(minuteOfDay(start)), end_(minuteOfDay(end))
{
    if (end_ < start_) {
        end_ += minutesPerDay;
    }
}

int WorkingHours::dayOfWeek(qint64 epochDay)
{
    // 1970-01-01 was a Thursday.
    const qint64 fromMonday = (epochDay + 3) % 7;
    return static_cast<int>(fromMonday < 0 ? fromMonday + 7 : fromMonday) + 1;
}

std::uint8_t WorkingHours::daysOff(const QString& country) const
{
    const auto cached = daysOff_.constFind(country);
    if (cached != daysOff_.cend()) {
        return *cached;
    }
    const QByteArray region = country.isEmpty() ? QByteArrayLiteral("001") : country.toLatin1();
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::Calendar> calendar(
        icu::Calendar::createInstance(icu::Locale("und", region.constData()), status));
    std::uint8_t mask = 0;
    for (int day = Qt::Monday; U_SUCCESS(status) && day <= Qt::Sunday; ++day) {
        // ICU counts from Sunday = 1.
        const auto icuDay = static_cast<UCalendarDaysOfWeek>(day % 7 + 1);
        bool off = false;
        switch (calendar->getDayOfWeekType(icuDay, status)) {
        case UCAL_WEEKEND:
            off = true;
            break;
        case UCAL_WEEKEND_ONSET:
            off = calendar->getWeekendTransition(icuDay, status) <= start_ * msPerMinute;
            break;
        case UCAL_WEEKEND_CEASE:
            off = calendar->getWeekendTransition(icuDay, status) >=
                  std::min(end_, minutesPerDay) * msPerMinute;
            break;
        case UCAL_WEEKDAY:
            break;
        }
        if (off && U_SUCCESS(status)) {
            mask |= static_cast<std::uint8_t>(1U << day);
        }
    }
    if (U_FAILURE(status)) {
        // Without ICU's data, the world's default.
        mask = static_cast<std::uint8_t>(1U << Qt::Saturday | 1U << Qt::Sunday);
    }
    daysOff_.insert(country, mask);
    return mask;
}

bool WorkingHours::isWorkingDay(const QString& country, int dayOfWeek) const
{
    return (daysOff(country) & (1U << dayOfWeek)) == 0;
}

DayState WorkingHours::stateAt(const Place& place, const QDateTime& at) const
{
    const qint64 local =
        at.toMSecsSinceEpoch() + static_cast<qint64>(place.zone.offsetFromUtc(at)) * 1000;
    const qint64 day = local >= 0 ? local / msPerDay : (local + 1) / msPerDay - 1;
    const int minute = static_cast<int>((local - day * msPerDay) / msPerMinute);
    const int weekday = dayOfWeek(day);
    const bool today = minute >= start_ && minute < end_;
    // The end of a night shift that started yesterday.
    const bool sinceYesterday = minute < end_ - minutesPerDay;
    if ((today && isWorkingDay(place.country, weekday)) ||
        (sinceYesterday && isWorkingDay(place.country, dayOfWeek(day - 1)))) {
        return DayState::Working;
    }
    if (minute >= nightStart || minute < nightEnd) {
        return DayState::Night;
    }
    return isWorkingDay(place.country, weekday) ? DayState::Outside : DayState::DayOff;
}

} // namespace vantor
