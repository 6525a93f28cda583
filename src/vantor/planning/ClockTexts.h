#pragma once

#include "utils/handlers/DateFormatter.h"
#include "vantor/planning/WorkingHours.h"

#include <QDateTime>
#include <QString>
#include <QTimeZone>

namespace utils {
class LanguageTable;
}

namespace vantor {

class TimeZoneObject;

// What a glance at a clock does not say, in the user's language: for its tooltip and
// screen readers, the full date, the working-hours state, how far the zone is from local
// time, the offset in force where it is not the standard one shown and a coming change
// of it; for the clipboard, one line with all it shows.
class ClockTexts
{
public:
    // Offset changes further ahead than this are not mentioned.
    static constexpr qint64 CHANGE_AHEAD_MS = 7LL * 24 * 3600 * 1000;

    explicit ClockTexts(const utils::LanguageTable& labels);

    // Full date with the state, distance from local time, the offset in force when it
    // is not standardOffset (seconds) and, within a week, the next offset change; one per
    // line.
    QString tooltip(const QTimeZone& zone, const QDateTime& shown, DayState state,
                    int standardOffset);
    // "Tokyo: Thu 2026-12-10 00:08, UTC+09:00" ("Alice (Tokyo): …" for a named clock) with the
    // given patterns; a date pattern without a weekday gets one. The offset is the one in force
    // then, not the standard one the clock shows: the line must be right where it is pasted.
    QString copyLine(const TimeZoneObject& clock, const QDateTime& shown,
                     const QString& datePattern, const QString& timePattern);
    // The clock as a screen reader names it, "Tokyo: Thursday 10 December 00:08,
    // UTC+09:00, night" ("Alice, Tokyo: …" for a named clock), with the minute, not the second, so
    // it changes once a minute; while the clocks look ahead, with the shift in words (", 15 minutes
    // ahead"), which a reader speaks when the focused clock's name changes.
    QString accessibleName(const TimeZoneObject& clock, const QDateTime& shown, qint64 shiftMs);
    // For a clock the user named, "Alice — Berlin, Germany": the tooltip's first line,
    // with the name in full. Empty for a clock shown by its city.
    QString nameLine(const TimeZoneObject& clock) const;
    // "+3h 15m", "-1d 2h": the badge's text for a shift; empty for none.
    QString shiftText(qint64 shiftMs) const;

    QString relationToLocal(const QTimeZone& zone, const QDateTime& shown) const;
    // The next offset change within a week of shown, or an empty text.
    QString comingChange(const QTimeZone& zone, const QDateTime& shown);

private:
    // "UTC+11:00" for 39,600 s.
    QString offsetText(int offset) const;
    // The clock's city, or its name with the city through the pattern of key.
    QString withCity(const TimeZoneObject& clock, const QString& key) const;
    // text followed by the state in words.
    QString withState(const QString& text, DayState state) const;

    const utils::LanguageTable& labels_;
    utils::DateFormatter fullDate_;
    // "Wednesday, 9 December": the day of a coming change, and of a clock read aloud.
    utils::DateFormatter weekdayDate_;
    utils::DateFormatter changeTime_;
    utils::DateFormatter copyDate_;
    utils::DateFormatter copyTime_;
};

} // namespace vantor
