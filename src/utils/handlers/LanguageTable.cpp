#include "utils/handlers/LanguageTable.h"

#include "utils/handlers/StringUtils.h"
#include "utils/handlers/TableLanguage.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <vector>

namespace utils {

MissingResourceError::MissingResourceError(const QString& message, const QString& baseName,
                                           const QString& key)
    : std::runtime_error(message.toStdString()), baseName_(baseName), key_(key)
{}

PropertiesFormatError::PropertiesFormatError(const QString& message, const QString& source,
                                             int line)
    : std::runtime_error(QStringLiteral("%1:%2: %3")
                             .arg(source.isEmpty() ? QStringLiteral("<properties>") : source)
                             .arg(line)
                             .arg(message)
                             .toStdString()),
      source_(source), line_(line)
{}

namespace {

const QString kSuffix = QStringLiteral(".properties");

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\f';
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// One entry after joining its continuation lines. joins[i] is the offset in text where
// physical line firstLine + i + 1 begins, so errors can name the line they occur on.
struct LogicalLine
{
    QString text;
    int firstLine = 1;
    std::vector<qsizetype> joins;

    int lineAt(qsizetype offset) const
    {
        const auto after = std::upper_bound(joins.begin(), joins.end(), offset);
        return firstLine + static_cast<int>(after - joins.begin());
    }
};

class Parser
{
public:
    Parser(const QString& text, const QString& source) : text_(text), source_(source) {}

    QHash<QString, QString> parse()
    {
        QHash<QString, QString> result;
        LogicalLine line;
        while (nextLogicalLine(line)) {
            parseEntry(line, result);
        }
        return result;
    }

private:
    // Skips blank and comment lines; false at the end of the text.
    bool nextLogicalLine(LogicalLine& line)
    {
        const qsizetype n = text_.size();
        while (pos_ < n) {
            skipBlanks();
            if (pos_ >= n) {
                return false;
            }
            const QChar first = text_[pos_];
            if (isLineEnd(first)) {
                consumeLineEnd();
                continue;
            }
            if (first == u'#' || first == u'!') {
                // A comment never continues, whatever it ends with.
                while (pos_ < n && !isLineEnd(text_[pos_])) {
                    ++pos_;
                }
                consumeLineEnd();
                continue;
            }
            line.text.clear();
            line.joins.clear();
            line.firstLine = lineNo_;
            for (;;) {
                const qsizetype start = pos_;
                while (pos_ < n && !isLineEnd(text_[pos_])) {
                    ++pos_;
                }
                qsizetype backslashes = 0;
                while (pos_ - backslashes > start && text_[pos_ - backslashes - 1] == u'\\') {
                    ++backslashes;
                }
                const bool continues = backslashes % 2 == 1;
                line.text += QStringView(text_).mid(start, pos_ - start - (continues ? 1 : 0));
                const bool hadLineEnd = consumeLineEnd();
                if (!continues || !hadLineEnd) {
                    return true;
                }
                line.joins.push_back(line.text.size());
                skipBlanks();
            }
        }
        return false;
    }

    void skipBlanks()
    {
        while (pos_ < text_.size() && isBlank(text_[pos_])) {
            ++pos_;
        }
    }

    // CR LF, LF or a lone CR.
    bool consumeLineEnd()
    {
        if (pos_ >= text_.size()) {
            return false;
        }
        if (text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n') {
            ++pos_;
        }
        ++pos_;
        ++lineNo_;
        return true;
    }

    void parseEntry(const LogicalLine& line, QHash<QString, QString>& result) const
    {
        const QString& s = line.text;
        const qsizetype n = s.size();
        qsizetype keyEnd = 0;
        bool escaped = false;
        bool hasSeparator = false;
        for (; keyEnd < n; ++keyEnd) {
            const QChar c = s[keyEnd];
            if (escaped) {
                escaped = false;
            } else if (c == u'\\') {
                escaped = true;
            } else if (c == u'=' || c == u':') {
                hasSeparator = true;
                break;
            } else if (isBlank(c)) {
                break;
            }
        }
        qsizetype valueStart = keyEnd < n ? keyEnd + 1 : n;
        // "key = value", "key value" and "key  :value" all separate the same way.
        while (valueStart < n) {
            const QChar c = s[valueStart];
            if (!isBlank(c)) {
                if (hasSeparator || (c != u'=' && c != u':')) {
                    break;
                }
                hasSeparator = true;
            }
            ++valueStart;
        }
        result.insert(unescape(line, 0, keyEnd), unescape(line, valueStart, n));
    }

    QString unescape(const LogicalLine& line, qsizetype from, qsizetype to) const
    {
        const QString& s = line.text;
        QString out;
        out.reserve(to - from);
        for (qsizetype i = from; i < to; ++i) {
            QChar c = s[i];
            const qsizetype at = i;
            if (c == u'\\') {
                if (++i >= to) {
                    break; // a lone backslash at the very end of the text
                }
                c = s[i];
                switch (c.unicode()) {
                case u'u': {
                    char16_t unit = 0;
                    for (int k = 0; k < 4; ++k) {
                        const int digit = i + 1 < to ? StringUtils::hexDigitValue(s[i + 1]) : -1;
                        if (digit < 0) {
                            fail(QStringLiteral("malformed \\uXXXX escape \"%1\"")
                                     .arg(s.mid(at, std::min<qsizetype>(6, to - at))),
                                 line.lineAt(at));
                        }
                        unit = static_cast<char16_t>(unit * 16 + digit);
                        ++i;
                    }
                    c = QChar(unit);
                    break;
                }
                case u't':
                    c = u'\t';
                    break;
                case u'n':
                    c = u'\n';
                    break;
                case u'r':
                    c = u'\r';
                    break;
                case u'f':
                    c = u'\f';
                    break;
                default:
                    break; // "\=", "\:", "\#", "\\" and any other character stand for themselves
                }
            }
            // The text is UTF-16: a surrogate only makes sense as half of a pair.
            const bool pendingHigh = !out.isEmpty() && out.back().isHighSurrogate();
            if (pendingHigh != c.isLowSurrogate()) {
                fail(QStringLiteral("unpaired UTF-16 surrogate"), line.lineAt(at));
            }
            out.append(c);
        }
        if (!out.isEmpty() && out.back().isHighSurrogate()) {
            fail(QStringLiteral("unpaired UTF-16 surrogate"), line.lineAt(to));
        }
        return out;
    }

    [[noreturn]] void fail(const QString& message, int line) const
    {
        throw PropertiesFormatError(message, source_, line);
    }

    const QString& text_;
    const QString& source_;
    qsizetype pos_ = 0;
    int lineNo_ = 1;
};

// Tables are ASCII by contract; a raw UTF-8 table still reads right, anything else is
// taken as ISO 8859-1 as the format traditionally was.
QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        text = QString::fromLatin1(bytes);
    }
    return text;
}

// The entry of names equal to wanted, where only the part from caseFrom on may differ in case.
QString findEntry(const QStringList& names, const QString& wanted, qsizetype caseFrom)
{
    if (names.contains(wanted)) {
        return wanted;
    }
    for (const QString& name : names) {
        if (name.size() == wanted.size() && name.startsWith(wanted.left(caseFrom)) &&
            QStringView(name).mid(caseFrom).compare(QStringView(wanted).mid(caseFrom),
                                                    Qt::CaseInsensitive) == 0) {
            return name;
        }
    }
    return QString();
}

} // namespace

QHash<QString, QString> LanguageTable::parseProperties(const QByteArray& bytes,
                                                       const QString& sourceName)
{
    const QString text = decode(bytes);
    return Parser(text, sourceName).parse();
}

QString LanguageTable::fileLanguageCode(const QString& language)
{
    const QString code = language.toLower();
    if (code == u"id") {
        return QStringLiteral("in");
    }
    if (code == u"he") {
        return QStringLiteral("iw");
    }
    return code;
}

LanguageTable LanguageTable::load(const QString& baseName, const QString& language,
                                  const QString& country)
{
    const QString path = QString(baseName).replace(u'.', u'/');
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString directory = QStringLiteral(":/") + (slash < 0 ? QString() : path.left(slash));
    return loadChain(directory, path.mid(slash + 1), language, country, baseName);
}

LanguageTable LanguageTable::load(const QString& baseName, const QLocale& locale)
{
    return load(baseName, tableLanguage(locale), QLocale::territoryToCode(locale.territory()));
}

LanguageTable LanguageTable::loadFromDirectory(const QString& directory, const QString& stem,
                                               const QString& language, const QString& country)
{
    return loadChain(directory, stem, language, country, QDir(directory).filePath(stem));
}

LanguageTable LanguageTable::loadFromDirectory(const QString& directory, const QString& stem,
                                               const QLocale& locale)
{
    return loadFromDirectory(directory, stem, tableLanguage(locale),
                             QLocale::territoryToCode(locale.territory()));
}

LanguageTable LanguageTable::loadChain(const QString& directory, const QString& stem,
                                       const QString& language, const QString& country,
                                       const QString& baseName)
{
    const QDir dir(directory);
    // Listed once: candidates are matched against real names, never opened by a made-up path.
    const QStringList names = dir.entryList(QDir::Files);
    const QString lang = fileLanguageCode(language);

    QStringList chain;
    if (!lang.isEmpty()) {
        if (!country.isEmpty()) {
            const QString prefix = stem + u'_' + lang + u'_';
            const QString found = findEntry(names, prefix + country + kSuffix, prefix.size());
            if (!found.isEmpty()) {
                chain.append(found);
            }
        }
        const QString languageFile = stem + u'_' + lang + kSuffix;
        if (names.contains(languageFile)) {
            chain.append(languageFile);
        }
    }
    const QString baseFile = stem + kSuffix;
    if (!names.contains(baseFile)) {
        throw MissingResourceError(
            QStringLiteral("No base language table %1 for %2").arg(baseFile, baseName), baseName,
            QString());
    }
    chain.append(baseFile);

    LanguageTable table;
    table.baseName_ = baseName;
    table.chain_ = chain;
    // Base first, so each more specific table overrides what it defines.
    for (auto it = chain.crbegin(); it != chain.crend(); ++it) {
        const QString path = dir.filePath(*it);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            throw MissingResourceError(
                QStringLiteral("Cannot read language table %1: %2").arg(path, file.errorString()),
                baseName, QString());
        }
        const QHash<QString, QString> entries = parseProperties(file.readAll(), path);
        for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
            table.texts_.insert(entry.key(), entry.value());
        }
    }
    return table;
}

QString LanguageTable::getString(const QString& key) const
{
    const auto it = texts_.constFind(key);
    if (it == texts_.cend()) {
        throw MissingResourceError(
            QStringLiteral("Can't find resource for bundle %1, key %2")
                .arg(baseName_.isEmpty() ? QStringLiteral("<not loaded>") : baseName_, key),
            baseName_, key);
    }
    return it.value();
}

QStringList LanguageTable::keys() const
{
    QStringList result = texts_.keys();
    result.sort();
    return result;
}

} // namespace utils
