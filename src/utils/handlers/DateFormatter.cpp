#include "utils/handlers/DateFormatter.h"

#include "utils/gui/handlers/Logger.h"
#include "utils/handlers/IcuText.h"
#include "utils/handlers/TextFormat.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/simpletz.h>
#include <unicode/smpdtfmt.h>
#include <unicode/unistr.h>

#include <QMutex>

#include <algorithm>
#include <map>

namespace utils {

namespace {

// ICU quietly drops letters it does not know and lets an unclosed quote swallow the rest
// of the pattern; both would show a wrong time without any error.
// The characters of a pattern outside its quoted texts; balanced tells whether every
// quote was closed.
QString unquoted(const QString& pattern, bool* balanced = nullptr)
{
    QString bare;
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (!quoted) {
            bare.append(c);
        }
    }
    if (balanced != nullptr) {
        *balanced = !quoted;
    }
    return bare;
}

bool readablePattern(const QString& pattern)
{
    static const QString letters = QStringLiteral("GyMdkHmsSEDFwWahKzYeugAZvcLQqVUOXxrbB");
    // An empty pattern would show a clock without its time or date.
    if (pattern.trimmed().isEmpty()) {
        return false;
    }
    bool balanced = false;
    const QString bare = unquoted(pattern, &balanced);
    return balanced && std::none_of(bare.cbegin(), bare.cend(), [](QChar c) {
               return c.isLetter() && c.unicode() < 128 && !letters.contains(c);
           });
}

// Every clock formats by the same two patterns, so the clocks share one formatter for
// each (a formatter holds some 30 KB of the locale's data) and each clock brings only
// its own calendar, which carries its zone's offset.
QMutex sharedMutex;
std::map<QString, std::shared_ptr<const icu::SimpleDateFormat>>& sharedFormats()
{
    static std::map<QString, std::shared_ptr<const icu::SimpleDateFormat>> built;
    return built;
}

std::shared_ptr<const icu::SimpleDateFormat> makeFormat(const QString& pattern)
{
    if (!readablePattern(pattern)) {
        return nullptr;
    }
    QMutexLocker lock(&sharedMutex);
    auto& shared = sharedFormats()[pattern];
    if (!shared) {
        UErrorCode status = U_ZERO_ERROR;
        auto format = std::make_shared<icu::SimpleDateFormat>(toIcu(pattern),
                                                              icu::Locale::getDefault(), status);
        if (U_FAILURE(status)) {
            sharedFormats().erase(pattern);
            return nullptr;
        }
        shared = std::move(format);
    }
    return shared;
}

void reportUnusable(const QString& pattern, const QString& fallback)
{
    Logger::logOnce(QStringLiteral("pattern ") + pattern,
                    QStringLiteral("The date pattern %1 cannot be used; showing \"%2\" instead. "
                                   "The stored pattern is kept.")
                        .arg(Logger::excerpt(pattern), fallback));
}

} // namespace

DateFormatter::DateFormatter(const QString& pattern, const QString& fallback)
    : pattern_(pattern), fallback_(fallback)
{
    build();
}

DateFormatter::~DateFormatter() = default;

void DateFormatter::setPattern(const QString& pattern)
{
    if (pattern != pattern_) {
        pattern_ = pattern;
        build();
    }
}

void DateFormatter::build()
{
    format_ = makeFormat(pattern_);
    usable_ = format_ != nullptr;
    if (!usable_) {
        reportUnusable(pattern_, fallback_);
        format_ = makeFormat(fallback_);
    }
    // The formatter's own kind of calendar (Gregorian, Buddhist, Persian...), so it uses
    // this one as it is instead of copying it on every call.
    calendar_.reset(format_ ? format_->getCalendar()->clone() : nullptr);
    offsetSeconds_.reset();
}

QString DateFormatter::format(const QDateTime& instant, const QTimeZone& zone)
{
    if (!calendar_) {
        return {};
    }
    const int offset = zone.isValid() ? zone.offsetFromUtc(instant) : 0;
    if (offsetSeconds_ != offset) {
        // Only on a change of offset (a daylight-saving switch), not on every tick.
        // Named by its offset, so "z" shows "GMT+9" rather than "GMT" for every zone.
        const QString id = offset == 0 ? QStringLiteral("GMT")
                                       : u"GMT"_qs + TextFormat::utcOffset(qint64(offset) * 1000);
        calendar_->adoptTimeZone(new icu::SimpleTimeZone(offset * 1000, toIcu(id)));
        offsetSeconds_ = offset;
    }
    UErrorCode status = U_ZERO_ERROR;
    calendar_->setTime(static_cast<UDate>(instant.toMSecsSinceEpoch()), status);
    icu::UnicodeString text;
    icu::FieldPosition position;
    format_->format(*calendar_, text, position);
    return U_SUCCESS(status) ? fromIcu(text) : QString();
}

bool DateFormatter::usesLetter(const QString& pattern, QStringView letters)
{
    const QString bare = unquoted(pattern);
    return std::any_of(bare.cbegin(), bare.cend(), [&](QChar c) { return letters.contains(c); });
}

void DateFormatter::setDefaultLocale(const QString& localeName)
{
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale(localeName.toUtf8().constData()), status);
    QMutexLocker lock(&sharedMutex);
    sharedFormats().clear(); // they spell in the locale they were built in
    if (U_FAILURE(status)) {
        Logger::log(QStringLiteral("ICU does not accept the locale %1.").arg(localeName));
    }
}

} // namespace utils
