#pragma once

#include <QString>
#include <QStringList>

namespace utils {

// Texts with numbers in the default locale, through ICU: durations with the locale's
// own units and plural forms, and message patterns from the language tables ("{0} ahead
// of you"), so no text is made by joining words.
class TextFormat
{
public:
    enum class Width
    {
        Narrow,
        Short,
        // Whole words ("15 minutes"), for texts read aloud.
        Wide
    };

    // Days, hours and minutes of a duration, zero units left out ("3 h 15 min", "1 d");
    // a duration under a minute is "0 min". The sign is not shown.
    static QString duration(qint64 milliseconds, Width width);
    // An ICU message pattern with text arguments {0}, {1}, ...; a pattern that does not
    // parse is returned as it stands.
    static QString message(const QString& pattern, const QStringList& arguments);
    // The same with one number {0}, for plural forms: "{0, plural, one {# item} other {# items}}".
    static QString message(const QString& pattern, qint64 number);
    // The locale's date pattern for a skeleton such as "EEEEdMMMM" or "jmm".
    static QString skeletonPattern(const QString& skeleton);
    // A UTC offset as signed hours and minutes: "+05:30", "-00:30", "+00:00".
    static QString utcOffset(qint64 milliseconds);
};

} // namespace utils
