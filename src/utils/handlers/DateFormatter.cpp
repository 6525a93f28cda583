#include "utils/handlers/DateFormatter.h"

#include "utils/gui/handlers/Logger.h"
#include "utils/handlers/IcuText.h"

#include <unicode/locid.h>
#include <unicode/simpletz.h>
#include <unicode/smpdtfmt.h>
#include <unicode/unistr.h>

#include <QMutex>
#include <QSet>

namespace utils {

namespace {

// ICU quietly drops letters it does not know and lets an unclosed quote swallow the rest
// of the pattern; both would show a wrong time without any error.
bool readablePattern(const QString& pattern)
{
    static const QString letters = QStringLiteral("GyMdkHmsSEDFwWahKzYeugAZvcLQqVUOXxrbB");
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (!quoted && c.isLetter() && c.unicode() < 128 && !letters.contains(c)) {
            return false;
        }
    }
    return !quoted;
}

std::unique_ptr<icu::SimpleDateFormat> makeFormat(const QString& pattern)
{
    if (!readablePattern(pattern)) {
        return nullptr;
    }
    UErrorCode status = U_ZERO_ERROR;
    auto format =
        std::make_unique<icu::SimpleDateFormat>(toIcu(pattern), icu::Locale::getDefault(), status);
    if (U_FAILURE(status)) {
        return nullptr;
    }
    return format;
}

void reportUnusable(const QString& pattern, const QString& fallback)
{
    static QMutex mutex;
    static QSet<QString> reported;
    QMutexLocker lock(&mutex);
    if (!reported.contains(pattern)) {
        reported.insert(pattern);
        Logger::log(QStringLiteral("The date pattern \"%1\" cannot be used; showing \"%2\" "
                                   "instead. The stored pattern is kept.")
                        .arg(pattern, fallback));
    }
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
    offsetSeconds_.reset();
}

QString DateFormatter::format(const QDateTime& instant, const QTimeZone& zone)
{
    if (!format_) {
        return {};
    }
    const int offset = zone.isValid() ? zone.offsetFromUtc(instant) : 0;
    if (offsetSeconds_ != offset) {
        // Only on a change of offset (a daylight-saving switch), not on every tick.
        format_->adoptTimeZone(new icu::SimpleTimeZone(offset * 1000, icu::UnicodeString(u"GMT")));
        offsetSeconds_ = offset;
    }
    icu::UnicodeString text;
    format_->format(static_cast<UDate>(instant.toMSecsSinceEpoch()), text);
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

bool DateFormatter::usesLetter(const QString& pattern, QStringView letters)
{
    bool quoted = false;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (!quoted && letters.contains(c)) {
            return true;
        }
    }
    return false;
}

void DateFormatter::setDefaultLocale(const QString& localeName)
{
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale(localeName.toUtf8().constData()), status);
    if (U_FAILURE(status)) {
        Logger::log(QStringLiteral("ICU does not accept the locale %1.").arg(localeName));
    }
}

} // namespace utils
