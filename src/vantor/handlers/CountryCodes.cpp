#include "vantor/handlers/CountryCodes.h"

#include <utility>

namespace vantor {

namespace {

constexpr std::pair<const char*, const char*> byCodes[] = {
#include "vantor/handlers/CountryCodeRows.inc"
};

const QHash<QString, QString>& sharedTable()
{
    // Function-local static: filled exactly once, even when the first objects are made on
    // several threads at the same time.
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> rows;
        rows.reserve(500);
        for (const auto& [zoneId, code] : byCodes) {
            rows.insert(QString::fromLatin1(zoneId), QString::fromLatin1(code));
        }
        return rows;
    }();
    return table;
}

} // namespace

CountryCodes::CountryCodes() : ccHT(&sharedTable())
{}

std::optional<QString> CountryCodes::findCountryCode(const QString& zoneId) const
{
    const auto it = ccHT->constFind(zoneId);
    if (it == ccHT->cend()) {
        return std::nullopt;
    }
    return it.value();
}

std::optional<QString> CountryCodes::flagFileName(const QString& zoneId) const
{
    const std::optional<QString> code = findCountryCode(zoneId);
    if (!code) {
        return std::nullopt;
    }
    return QStringLiteral("flag-") + code->trimmed().toLower() + QStringLiteral(".png");
}

} // namespace vantor
