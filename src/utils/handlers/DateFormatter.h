#pragma once

#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <memory>
#include <optional>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Calendar;
class SimpleDateFormat;
U_NAMESPACE_END

namespace utils {

// Formats instants by a date pattern (the pattern letters of Unicode UTS #35) in the
// default locale. The zone's offset comes from QTimeZone, so the system's time zone
// data decides the time and ICU only spells it.
class DateFormatter
{
public:
    // An unusable pattern falls back to the given one (and is reported once).
    DateFormatter(const QString& pattern, const QString& fallback);
    DateFormatter(const DateFormatter&) = delete;
    DateFormatter& operator=(const DateFormatter&) = delete;
    ~DateFormatter();

    // Switches to another pattern; a no-op when it is the current one.
    void setPattern(const QString& pattern);
    QString pattern() const { return pattern_; }
    // False while the fallback stands in for an unusable pattern.
    bool isUsable() const { return usable_; }

    QString format(const QDateTime& instant, const QTimeZone& zone);

    // True when the pattern uses one of the letters as a pattern letter (outside quoted
    // text): "s" for seconds, "E" for the weekday.
    static bool usesLetter(const QString& pattern, QStringView letters);

    // Sets the locale whose month, weekday and AM/PM names formatting uses (once, at start).
    static void setDefaultLocale(const QString& localeName);

private:
    void build();

    QString pattern_;
    QString fallback_;
    bool usable_ = true;
    std::optional<int> offsetSeconds_;                    // the offset the calendar's zone has now
    std::shared_ptr<const icu::SimpleDateFormat> format_; // shared by all with this pattern
    std::unique_ptr<icu::Calendar> calendar_;
};

} // namespace utils
