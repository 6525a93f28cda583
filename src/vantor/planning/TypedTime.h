#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>
#include <QTimeZone>

#include <optional>

namespace vantor {

// A time of day as a user types it on a clock ("9:30", "21.30", "9 pm", "٩:٣٠ م",
// "午後9:30"), and the moment it means on that clock's wall.
class TypedTime
{
public:
    // The tooltip of a field whose text parse() does not take.
    static inline const QString INVALID_KEY = QStringLiteral("lbl.typedtime.invalid");

    // The wall time, in whole minutes, or nothing. Digits are ASCII or those of the
    // default ICU locale; hour and minute stand apart by ":" or "." or together ("0930");
    // seconds may follow and are dropped, as a clock is set to the minute. An AM/PM
    // marker, English or the locale's, may stand before or after; then the hour is 0 to
    // 12, otherwise 0 to 23.
    static std::optional<QTime> parse(const QString& text);

    // The first instant at or after from at which the zone's wall clock shows wall (to
    // the minute, seconds zero) or jumps past it: a time that a daylight-saving switch
    // skips gives the instant of the switch, the first minute after the gap; a time shown
    // twice gives the first of the two that is not before from. In UTC.
    static QDateTime nextOccurrence(QTime wall, const QTimeZone& zone, const QDateTime& from);
};

} // namespace vantor
