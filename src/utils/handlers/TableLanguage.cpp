#include "utils/handlers/TableLanguage.h"

#include <QtGlobal>

#include <algorithm>

namespace utils {

namespace {

// "no" from "no_NO.UTF-8@euro": the language part of the POSIX locale that names the
// language of messages.
QString environmentLanguage()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty()) {
            const auto end = std::find_if(value.cbegin(), value.cend(), [](QChar c) {
                return c == u'_' || c == u'.' || c == u'@';
            });
            return QStringView(value.cbegin(), end).toString().toLower();
        }
    }
    return QString();
}

} // namespace

QString tableLanguage(const QLocale& locale)
{
    const QLocale::Language language = locale.language();
    if (language == QLocale::C || language == QLocale::AnyLanguage) {
        return QString();
    }
    if (language == QLocale::NorwegianBokmal && environmentLanguage() == u"no") {
        return QStringLiteral("no");
    }
    return QLocale::languageToCode(language);
}

} // namespace utils
