#include "vantor/zones/ZoneFacts.h"

#include "utils/handlers/IcuText.h"
#include "utils/handlers/StringUtils.h"
#include <QRegularExpression>
#include <QSet>

#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/tznames.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>

namespace vantor {

using utils::toIcu;

namespace {

QByteArray toUtf8(const icu::UnicodeString& text)
{
    std::string out;
    text.toUTF8String(out);
    return QByteArray::fromStdString(out);
}

QByteArray canonical(const QString& zoneId)
{
    icu::UnicodeString result;
    UBool isSystemId = false;
    UErrorCode status = U_ZERO_ERROR;
    icu::TimeZone::getCanonicalID(toIcu(zoneId), result, isSystemId, status);
    return U_SUCCESS(status) ? toUtf8(result) : QByteArray();
}

} // namespace

QByteArray ZoneFacts::resolve(const QString& zoneId, const IsKnown& isKnown)
{
    const QByteArray id = zoneId.toUtf8();
    if (id.isEmpty() || isKnown(id)) {
        return id;
    }
    const QByteArray canonicalId = canonical(zoneId);
    if (!canonicalId.isEmpty() && isKnown(canonicalId)) {
        return canonicalId;
    }
    // A zone renamed since ICU's data was made ("Europe/Kiev" is "Europe/Kyiv" now)
    // is one of the names ICU counts as equivalent.
    const icu::UnicodeString icuId = toIcu(zoneId);
    const int32_t count = icu::TimeZone::countEquivalentIDs(icuId);
    for (int32_t i = 0; i < count; ++i) {
        const QByteArray equivalent = toUtf8(icu::TimeZone::getEquivalentID(icuId, i));
        if (equivalent.contains('/') && isKnown(equivalent)) {
            return equivalent;
        }
    }
    return id;
}

QTimeZone ZoneFacts::lookUp(const QString& zoneId)
{
    const QByteArray id =
        resolve(zoneId, [](const QByteArray& known) { return QTimeZone(known).isValid(); });
    // The system database also takes any word as a rule of its own with offset 0
    // ("Tokio" would be a zone at UTC). A real rule names its offset in digits.
    static const QRegularExpression digit(QStringLiteral("[0-9]"));
    if (!QTimeZone::isTimeZoneIdAvailable(id) && canonical(zoneId).isEmpty() &&
        !QString::fromUtf8(id).contains(digit)) {
        return {};
    }
    return QTimeZone(id);
}

bool ZoneFacts::sameZone(const QString& a, const QString& b)
{
    if (a == b) {
        return true;
    }
    const QByteArray canonicalA = canonical(a);
    return !canonicalA.isEmpty() && canonicalA == canonical(b);
}

int ZoneFacts::standardOffset(const QTimeZone& zone, const QDateTime& at)
{
    if (!zone.isValid()) {
        return 0;
    }
    const int standard = zone.standardTimeOffset(at);
    if (!zone.hasTransitions()) {
        return standard;
    }
    int lowest = standard;
    const auto consider = [&](const QTimeZone::OffsetData& data) {
        if (data.atUtc.isValid() && data.daylightTimeOffset < 0 &&
            data.standardTimeOffset == standard) {
            lowest = std::min(lowest, data.offsetFromUtc);
        }
    };
    consider(zone.offsetData(at));
    // A year either side holds every season of the current rules.
    for (const QTimeZone::OffsetData& data : zone.transitions(at.addYears(-1), at.addYears(1))) {
        consider(data);
    }
    return lowest;
}

namespace {

QString exemplarCity(const QString& zoneId, const icu::Locale& locale)
{
    const QByteArray canonicalId = canonical(zoneId);
    if (canonicalId.isEmpty()) {
        return {};
    }
    // Loading the names of a locale is slow; the chooser asks for hundreds.
    static std::map<std::string, std::unique_ptr<icu::TimeZoneNames>> cache;
    std::unique_ptr<icu::TimeZoneNames>& names = cache[locale.getName()];
    if (!names) {
        UErrorCode status = U_ZERO_ERROR;
        names.reset(icu::TimeZoneNames::createInstance(locale, status));
        if (U_FAILURE(status)) {
            names.reset();
            return {};
        }
    }
    icu::UnicodeString city;
    names->getExemplarLocationName(icu::UnicodeString::fromUTF8(canonicalId.constData()), city);
    return utils::fromIcu(city);
}

QString country(const QString& countryCode, const icu::Locale& locale)
{
    if (countryCode.isEmpty()) {
        return {};
    }
    icu::UnicodeString name;
    icu::Locale(nullptr, countryCode.toUpper().toLatin1().constData())
        .getDisplayCountry(locale, name);
    return utils::fromIcu(name);
}

} // namespace

QString ZoneFacts::plainCity(const QString& zoneId)
{
    return utils::StringUtils::replaceAll(zoneId.mid(zoneId.lastIndexOf(QLatin1Char('/')) + 1),
                                          QStringLiteral("_"), QStringLiteral(" "));
}

QString ZoneFacts::cityName(const QString& zoneId)
{
    const icu::Locale& locale = icu::Locale::getDefault();
    if (qstrcmp(locale.getLanguage(), "en") == 0) {
        return plainCity(zoneId);
    }
    const QString city = exemplarCity(zoneId, locale);
    return city.isEmpty() ? plainCity(zoneId) : city;
}

QString ZoneFacts::englishCityName(const QString& zoneId)
{
    const QString city = exemplarCity(zoneId, icu::Locale::getEnglish());
    return city.isEmpty() ? plainCity(zoneId) : city;
}

QString ZoneFacts::countryName(const QString& countryCode)
{
    return country(countryCode, icu::Locale::getDefault());
}

QString ZoneFacts::englishCountryName(const QString& countryCode)
{
    return country(countryCode, icu::Locale::getEnglish());
}

QStringList ZoneFacts::chooserIds()
{
    static const QRegularExpression fixedOffset(QStringLiteral("^UTC[+-]"));
    QStringList ids;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
        const QString text = QString::fromUtf8(id);
        if (!fixedOffset.match(text).hasMatch()) {
            ids.append(text);
        }
    }
    return ids;
}

void ZoneFacts::reloadRules(const QStringList& zoneIds)
{
    // The toolkit keeps the parsed rules of the last hundred zones it read and never
    // looks at the files again; reading enough other zones pushes ours out.
    QSet<QByteArray> wanted;
    for (const QString& id : zoneIds) {
        wanted.insert(lookUp(id).id());
    }
    int read = 0;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
        if (!wanted.contains(id) && !id.startsWith("UTC")) {
            const QTimeZone other(id);
            if (++read > 2 * 100) {
                break;
            }
        }
    }
}

} // namespace vantor
