#include "vantor/planning/TypedTime.h"

#include "utils/handlers/IcuText.h"

#include <unicode/dtfmtsym.h>
#include <unicode/locid.h>
#include <unicode/numsys.h>

#include <QStringList>

#include <algorithm>
#include <memory>

namespace vantor {

namespace {

constexpr qint64 DAY_MS = 24LL * 3600 * 1000;

// Full-width digits and colons, as East Asian input methods type them, become ASCII;
// bidirectional marks that a copied clock text carries go.
QString plainText(const QString& text)
{
    QString plain;
    for (const QChar c : text.normalized(QString::NormalizationForm_KC)) {
        if (c.category() != QChar::Other_Format) {
            plain.append(c);
        }
    }
    return plain;
}

// The locale's own digits ("٠١٢٣٤٥٦٧٨٩"), which its clocks show, become ASCII ones.
QString withAsciiDigits(const QString& text, const icu::Locale& locale)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::NumberingSystem> system(
        icu::NumberingSystem::createInstance(locale, status));
    if (U_FAILURE(status) || system->isAlgorithmic() || system->getRadix() != 10) {
        return text;
    }
    const QList<uint> own = utils::fromIcu(system->getDescription()).toUcs4();
    QList<uint> points = text.toUcs4();
    for (uint& point : points) {
        const qsizetype digit = own.indexOf(point);
        if (digit >= 0) {
            point = u'0' + static_cast<uint>(digit);
        }
    }
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size());
}

// Case, spaces and dots do not count: "P.M.", "p. m." and "pm" are one marker.
QString markerKey(const QString& text)
{
    QString key = text.toCaseFolded();
    key.removeIf([](QChar c) { return c.isSpace() || c == u'.'; });
    return key;
}

// 0 for a morning marker, 12 for an afternoon one, nothing for any other text. English
// markers count in every language, as many keyboards and habits are English.
std::optional<int> markerHours(const QString& key, const icu::Locale& locale)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::DateFormatSymbols symbols(locale, status);
    int32_t count = 0;
    const icu::UnicodeString* markers = symbols.getAmPmStrings(count);
    for (int32_t half = 0; half < 2; ++half) {
        const bool own = U_SUCCESS(status) && half < count &&
                         markerKey(plainText(utils::fromIcu(markers[half]))) == key;
        if (own || key == (half == 0 ? u"am" : u"pm")) {
            return half * 12;
        }
    }
    return std::nullopt;
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isNumber(const QString& part, qsizetype maxDigits)
{
    return !part.isEmpty() && part.size() <= maxDigits &&
           std::all_of(part.cbegin(), part.cend(), isAsciiDigit);
}

// A qint64 modulo that stays positive before 1970.
qint64 floorMod(qint64 value, qint64 divisor)
{
    return ((value % divisor) + divisor) % divisor;
}

} // namespace

std::optional<QTime> TypedTime::parse(const QString& text)
{
    const icu::Locale& locale = icu::Locale::getDefault();
    const QString plain = withAsciiDigits(plainText(text), locale);
    const auto first = std::find_if(plain.cbegin(), plain.cend(), isAsciiDigit);
    if (first == plain.cend()) {
        return std::nullopt;
    }
    const auto last = std::find_if(plain.crbegin(), plain.crend(), isAsciiDigit).base();
    const QString before = markerKey(QString(plain.cbegin(), first - plain.cbegin()));
    const QString after = markerKey(QString(last, plain.cend() - last));
    if (!before.isEmpty() && !after.isEmpty()) {
        return std::nullopt;
    }

    QString digits(first, last - first);
    const QStringList parts = digits.replace(u'.', u':').split(u':');
    QString hour = parts.first();
    QString minute = parts.value(1, QStringLiteral("0"));
    if (parts.size() == 1 && isNumber(hour, 4) && hour.size() > 2) { // "0930"
        minute = hour.right(2);
        hour.chop(2);
    }
    const QString second = parts.value(2, QStringLiteral("0"));
    if (parts.size() > 3 || !isNumber(hour, 2) || !isNumber(minute, 2) || !isNumber(second, 2) ||
        minute.toInt() > 59 || second.toInt() > 59) {
        return std::nullopt;
    }

    const int hours = hour.toInt();
    const QString marker = before.isEmpty() ? after : before;
    if (marker.isEmpty()) {
        return hours < 24 ? std::optional(QTime(hours, minute.toInt())) : std::nullopt;
    }
    const std::optional<int> halfDay = markerHours(marker, locale);
    if (!halfDay || hours > 12) {
        return std::nullopt;
    }
    return QTime(hours % 12 + *halfDay, minute.toInt());
}

QDateTime TypedTime::nextOccurrence(QTime wall, const QTimeZone& zone, const QDateTime& from)
{
    const qint64 wallMs = QTime(wall.hour(), wall.minute()).msecsSinceStartOfDay();
    // One stretch of constant offset after another; the wall clock is read as milliseconds
    // since 1970 as if it were UTC, so that it runs by plain arithmetic.
    qint64 start = from.toMSecsSinceEpoch();
    qint64 offsetMs = zone.offsetFromUtc(from) * 1000LL;
    for (;;) {
        const qint64 local = start + offsetMs;
        qint64 shown = local - floorMod(local, DAY_MS) + wallMs;
        if (shown < local) {
            shown += DAY_MS;
        }
        const QTimeZone::OffsetData next =
            zone.nextTransition(QDateTime::fromMSecsSinceEpoch(start, Qt::UTC));
        const qint64 end = next.atUtc.toMSecsSinceEpoch();
        if (!next.atUtc.isValid() || shown < end + offsetMs) {
            return QDateTime::fromMSecsSinceEpoch(shown - offsetMs, Qt::UTC);
        }
        const qint64 nextOffsetMs = next.offsetFromUtc * 1000LL;
        if (shown < end + nextOffsetMs) { // the switch skips it
            return QDateTime::fromMSecsSinceEpoch(end, Qt::UTC);
        }
        start = end;
        offsetMs = nextOffsetMs;
    }
}

} // namespace vantor
