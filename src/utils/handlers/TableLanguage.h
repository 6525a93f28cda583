#pragma once

#include <QLocale>
#include <QString>

namespace utils {

// The language code whose tables a locale reads, as LanguageTable::load takes it. Qt reads a
// desktop's Norwegian "no" (LANG=no_NO.UTF-8) as Bokmål, "nb", which the tables leave on
// English; so an "nb" locale reads the "no" tables when the environment names "no" for
// messages (the first of LC_ALL, LC_MESSAGES and LANG that is not empty). Otherwise the
// locale's own code; empty for the C locale.
QString tableLanguage(const QLocale& locale);

} // namespace utils
