#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <cstdint>

namespace vantor {

// What a clock's local time is for the people there, in order of precedence.
enum class DayState
{
    Working, // within the working hours of a working day
    Night,   // 22:00 to 07:00
    DayOff,  // a weekend day of the zone's country
    Outside  // outside working hours on a working day
};

// A clock as the working hours see it: its zone and the ISO 3166 code of its country,
// empty for zones with none (UTC, Etc/GMT+5), which keep the world's Saturday-Sunday
// weekend.
struct Place
{
    QTimeZone zone;
    QString country;
};

// The daily working hours, the same local wall-clock span in every zone. An end before
// the start is a night shift that ends the next day and belongs to the day it starts;
// an end equal to the start leaves no working hours at all.
class WorkingHours
{
public:
    static constexpr int minutesPerDay = 24 * 60;

    // Seconds of the times are dropped.
    WorkingHours(QTime start, QTime end);

    DayState stateAt(const Place& place, const QDateTime& at) const;

    int startMinute() const { return start_; }
    // Minutes after the start day's midnight: past minutesPerDay for a night shift.
    int endMinute() const { return end_; }
    // Whether the span that starts on this weekday (Qt::DayOfWeek) is worked there. A day
    // on which CLDR has the weekend begin or end is off only when the weekend covers its
    // whole span.
    bool isWorkingDay(const QString& country, int dayOfWeek) const;
    // The Qt::DayOfWeek of a day counted from 1970-01-01.
    static int dayOfWeek(qint64 epochDay);

private:
    // Bit d set when weekday d (Qt::DayOfWeek) is off in the region, from CLDR.
    std::uint8_t daysOff(const QString& country) const;

    int start_;
    int end_;
    // ICU's answer per region; it takes microseconds and the state is asked every
    // minute for every clock.
    mutable QHash<QString, std::uint8_t> daysOff_;
};

} // namespace vantor
