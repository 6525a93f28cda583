#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace vantor {

// Fixed table from time zone identifier to the ISO 3166-1 alpha-2 code of the
// zone's country, which selects the flag shown beside a clock.
class CountryCodes
{
public:
    CountryCodes();

    // Exact, case-sensitive lookup; no value for identifiers the table lacks.
    std::optional<QString> findCountryCode(const QString& zoneId) const;

    // "flag-<code in lower case>.png", or no value when the zone has no country.
    std::optional<QString> flagFileName(const QString& zoneId) const;

    // Every identifier with its code (tests compare it with zone.tab).
    const QHash<QString, QString>& table() const { return *ccHT; }

private:
    // Built once per process and shared by every object.
    const QHash<QString, QString>* ccHT;
};

} // namespace vantor
