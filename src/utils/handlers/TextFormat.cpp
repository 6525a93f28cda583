#include "utils/handlers/TextFormat.h"

#include "utils/handlers/IcuText.h"
#include <unicode/dtptngen.h>
#include <unicode/measfmt.h>
#include <unicode/measunit.h>
#include <unicode/measure.h>
#include <unicode/msgfmt.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace utils {

QString TextFormat::duration(qint64 milliseconds, Width width)
{
    qint64 minutes = std::abs(milliseconds) / 60'000;
    const qint64 days = minutes / (24 * 60);
    minutes -= days * 24 * 60;
    const qint64 hours = minutes / 60;
    minutes -= hours * 60;

    UErrorCode status = U_ZERO_ERROR;
    std::vector<icu::Measure> measures;
    const auto add = [&](qint64 amount, icu::MeasureUnit* unit) {
        if (U_SUCCESS(status)) {
            measures.emplace_back(icu::Formattable(static_cast<int64_t>(amount)), unit, status);
        }
    };
    if (days != 0) {
        add(days, icu::MeasureUnit::createDay(status));
    }
    if (hours != 0) {
        add(hours, icu::MeasureUnit::createHour(status));
    }
    if (minutes != 0 || measures.empty()) {
        add(minutes, icu::MeasureUnit::createMinute(status));
    }
    static constexpr UMeasureFormatWidth icuWidths[] = {UMEASFMT_WIDTH_NARROW, UMEASFMT_WIDTH_SHORT,
                                                        UMEASFMT_WIDTH_WIDE};
    const icu::MeasureFormat format(icu::Locale::getDefault(), icuWidths[int(width)], status);
    icu::UnicodeString text;
    icu::FieldPosition position;
    format.formatMeasures(measures.data(), static_cast<int32_t>(measures.size()), text, position,
                          status);
    return U_SUCCESS(status) ? fromIcu(text) : QString::number(milliseconds / 60'000);
}

namespace {

QString formatMessage(const QString& pattern, const std::vector<icu::Formattable>& values)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::MessageFormat format(toIcu(pattern), icu::Locale::getDefault(), status);
    icu::UnicodeString text;
    icu::FieldPosition position;
    format.format(values.data(), static_cast<int32_t>(values.size()), text, position, status);
    return U_SUCCESS(status) ? fromIcu(text) : pattern;
}

} // namespace

QString TextFormat::message(const QString& pattern, const QStringList& arguments)
{
    std::vector<icu::Formattable> values;
    values.reserve(arguments.size());
    for (const QString& argument : arguments) {
        values.emplace_back(toIcu(argument));
    }
    return formatMessage(pattern, values);
}

QString TextFormat::message(const QString& pattern, qint64 number)
{
    return formatMessage(pattern, {icu::Formattable(static_cast<int64_t>(number))});
}

QString TextFormat::skeletonPattern(const QString& skeleton)
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::DateTimePatternGenerator> generator(
        icu::DateTimePatternGenerator::createInstance(icu::Locale::getDefault(), status));
    if (U_FAILURE(status)) {
        return skeleton;
    }
    const icu::UnicodeString pattern = generator->getBestPattern(toIcu(skeleton), status);
    return U_SUCCESS(status) ? fromIcu(pattern) : skeleton;
}

QString TextFormat::utcOffset(qint64 milliseconds)
{
    if (milliseconds == 0) {
        return QStringLiteral("+00:00");
    }
    // The sign comes from the whole offset, so -00:30 does not lose it to a zero hour.
    const qint64 magnitude = std::abs(milliseconds);
    return QString::asprintf("%c%02d:%02d", milliseconds < 0 ? '-' : '+', int(magnitude / 3600000),
                             int(magnitude / 60000 % 60));
}

} // namespace utils
