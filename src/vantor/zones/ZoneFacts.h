#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTimeZone>

#include <functional>

namespace vantor {

// What the program needs to know of a zone identifier, answered in one place for the
// clocks and the time zone dialog alike.
class ZoneFacts
{
public:
    using IsKnown = std::function<bool(const QByteArray&)>;

    // The zone a stored identifier names. Names the system database lacks (the legacy
    // ones some distributions ship separately, renamed zones) are tried through ICU's
    // alias table; what stays unknown is invalid, and its clock shows UTC.
    static QTimeZone lookUp(const QString& zoneId);
    // The identifier lookUp hands to the system database; isKnown tells which it has.
    static QByteArray resolve(const QString& zoneId, const IsKnown& isKnown);
    // True when both identifiers name one zone ("UTC" and "Etc/UTC", "Europe/Kiev"
    // and "Europe/Kyiv").
    static bool sameZone(const QString& a, const QString& b);

    // The standard offset in seconds as people use it: where the tz data counts a
    // season as daylight-saving time with a negative offset (Irish winter, Moroccan
    // Ramadan), the lower of the two. An invalid zone has 0.
    static int standardOffset(const QTimeZone& zone, const QDateTime& at);

    // The city part of an identifier as the rule has it: the last segment, "_" as a
    // blank ("America/Argentina/Buenos_Aires" is Buenos Aires).
    static QString plainCity(const QString& zoneId);
    // The city in the user's language, from the CLDR names ICU carries ("Tokio" in
    // German, "東京" in Japanese). English, and a zone without such a name ("Etc/GMT+5",
    // "UTC"), keep the plain city.
    static QString cityName(const QString& zoneId);
    // The CLDR city name in English, or the plain city where there is none.
    static QString englishCityName(const QString& zoneId);
    // The name of a country (ISO 3166 code) in the user's language and in English.
    static QString countryName(const QString& countryCode);
    static QString englishCountryName(const QString& countryCode);

    // The identifiers to choose from: the database's zones and "UTC", without the
    // toolkit's own fixed-offset names such as "UTC+05:30".
    static QStringList chooserIds();

    // Makes the toolkit read these zones' rules from the tz files again after the
    // tz data was updated; it keeps the rules of the zones it read last.
    static void reloadRules(const QStringList& zoneIds);
};

} // namespace vantor
