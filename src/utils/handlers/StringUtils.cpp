#include "utils/handlers/StringUtils.h"

#include <climits>
#include <stdexcept>
#include <string>

namespace utils {

namespace {

void requireText(const QString& text, const char* member, const char* argument)
{
    if (text.isNull()) {
        throw std::invalid_argument(std::string("StringUtils::") + member + ": " + argument +
                                    " is missing");
    }
}

// One pair of characters read as a base-16 integer; a leading minus is allowed ("-F" is -15).
int parseHexPair(const QString& text, qsizetype at)
{
    const bool negative = text.at(at) == u'-';
    const int high = negative ? 0 : StringUtils::hexDigitValue(text.at(at));
    const int low = StringUtils::hexDigitValue(text.at(at + 1));
    if (high < 0 || low < 0) {
        throw std::invalid_argument("StringUtils::hexStringToByteArray: \"" +
                                    text.mid(at, 2).toStdString() + "\" at " + std::to_string(at) +
                                    " is not a hexadecimal number");
    }
    return negative ? -low : high * 16 + low;
}

QString replaceLiteral(const QString& text, const QString& find, QStringView replacement)
{
    if (find.isEmpty()) {
        return text;
    }
    qsizetype hit = text.indexOf(find, 0, Qt::CaseSensitive);
    if (hit < 0) {
        return text;
    }
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    while (hit >= 0) {
        result += QStringView(text).sliced(from, hit - from);
        result += replacement;
        // Continue in the input after the match, so inserted text is never searched.
        from = hit + find.size();
        hit = text.indexOf(find, from, Qt::CaseSensitive);
    }
    result += QStringView(text).sliced(from);
    return result;
}

} // namespace

QString StringUtils::replaceAll(const QString& text, const QString& find,
                                const QString& replacement)
{
    requireText(text, "replaceAll", "text");
    requireText(find, "replaceAll", "find");
    requireText(replacement, "replaceAll", "replacement");
    return replaceLiteral(text, find, replacement);
}

QString StringUtils::replaceAll(const QString& text, const QString& find, QChar replacement)
{
    requireText(text, "replaceAll", "text");
    requireText(find, "replaceAll", "find");
    return replaceLiteral(text, find, QStringView(&replacement, 1));
}

QString StringUtils::padLeft(const QString& text, const QString& pad, int length)
{
    if (text.isNull() || pad.isEmpty() || length <= 0 || text.size() >= length) {
        return text;
    }
    return QString(length - text.size(), pad.at(0)) + text;
}

QString StringUtils::padRight(const QString& text, const QString& pad, int length)
{
    if (text.isNull() || pad.isEmpty() || length <= 0 || text.size() >= length) {
        return text;
    }
    return text + QString(length - text.size(), pad.at(0));
}

QStringList StringUtils::removeEmptyStrings(const QStringList& texts)
{
    qsizetype kept = 0;
    for (const QString& s : texts) {
        kept += s.isEmpty() ? 0 : 1;
    }
    if (kept == texts.size()) {
        return texts; // shares the caller's data
    }
    QStringList result;
    result.reserve(kept);
    for (const QString& s : texts) {
        if (!s.isEmpty()) {
            result.append(s);
        }
    }
    return result;
}

QString StringUtils::toDigitsOnly(const QString& text)
{
    if (text.isEmpty()) {
        return text; // missing stays missing, empty stays the same empty text
    }
    const QString trimmed = text.trimmed();
    QString digits;
    for (QChar c : trimmed) {
        if (c.isDigit()) {
            digits += c;
        }
    }
    return digits.isEmpty() ? trimmed : digits;
}

QString StringUtils::getFixedSB(const QString& text, int length)
{
    if (length <= 0) {
        return QStringLiteral(""); // an empty buffer, not a missing one
    }
    QString buffer = text.left(length);
    buffer.resize(length, QChar(u'\0'));
    return buffer;
}

QStringList StringUtils::toArrayOfString(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == u'\n' || c == u'\r') {
            lines.append(text.sliced(start, i - start));
            if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < size) {
        lines.append(text.sliced(start));
    }
    return lines;
}

QString StringUtils::formatHex(const QByteArray& bytes, int count, int offset, int width)
{
    // count beyond the data would read past the end: no row rather than garbage.
    if (count < 1 || count > width || count > bytes.size() || offset < 0 || (width / 4) % 4 != 0 ||
        9 * (width / 4) < 36) {
        return QStringLiteral("");
    }
    // A full hex area: two digits per byte plus a blank after every fourth byte. For widths
    // that are multiples of 4 this is 9 * (width / 4); using the exact length keeps rows of
    // other accepted widths (17..19, ...) the same length too.
    const qsizetype hexArea = 2 * qsizetype(width) + width / 4;

    QString row = padLeft(QString::number(offset, 16).toUpper(), QStringLiteral("0"), 6);
    row += u": ";
    for (int i = 0; i < count; ++i) {
        row += byteToHex(bytes.at(i));
        if ((i + 1) % 4 == 0) {
            row += u' ';
        }
    }
    row += QString(hexArea - 2 * qsizetype(count) - count / 4, u' ');
    row += u' ';
    for (int i = 0; i < count; ++i) {
        const auto code = static_cast<unsigned char>(bytes.at(i));
        const bool printable = (code >= 32 && code <= 126) || code >= 160;
        row += printable ? QChar(char16_t(code)) : QChar(u'.');
    }
    row += QString(width - count, u' ');
    return row;
}

int StringUtils::stringToInt(const QString& text, int defaultValue)
{
    const qsizetype size = text.size();
    qsizetype i = 0;
    bool negative = false;
    if (size > 0 && (text.at(0) == u'-' || text.at(0) == u'+')) {
        negative = text.at(0) == u'-';
        i = 1;
    }
    if (i == size) {
        return defaultValue; // missing, empty or a lone sign
    }
    // Accumulate as a negative number: its range reaches INT_MIN.
    long long value = 0;
    for (; i < size; ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < u'0' || u > u'9') {
            return defaultValue;
        }
        value = value * 10 - (u - u'0');
        if (value < INT_MIN) {
            return defaultValue;
        }
    }
    if (!negative) {
        if (value < -static_cast<long long>(INT_MAX)) {
            return defaultValue;
        }
        value = -value;
    }
    return static_cast<int>(value);
}

QByteArray StringUtils::stringToByteArray(const QString& text, int length)
{
    if (length <= 0) {
        return QByteArray("");
    }
    QByteArray bytes = text.toUtf8().left(length);
    bytes.resize(length, '\0');
    return bytes;
}

QByteArray StringUtils::hexStringToByteArray(const QString& text)
{
    return hexStringToByteArray(text, int(qMin<qsizetype>(text.size(), INT_MAX)));
}

QByteArray StringUtils::hexStringToByteArray(const QString& text, int length)
{
    if (length < 2) {
        return QByteArray("");
    }
    QByteArray bytes(length / 2, '\0');
    // Only whole pairs are read; a half pair at the end of the text is ignored.
    const qsizetype pairs = qMin<qsizetype>(bytes.size(), text.size() / 2);
    for (qsizetype i = 0; i < pairs; ++i) {
        bytes[i] = static_cast<char>(parseHexPair(text, 2 * i) & 0xFF);
    }
    return bytes;
}

QString StringUtils::qNameToFileName(const QString& text)
{
    requireText(text, "qNameToFileName", "text");
    return replaceAll(replaceAll(text, QStringLiteral("/"), QChar(u'_')), QStringLiteral("%"),
                      QChar(u'_'));
}

QString StringUtils::bytesToHex(const QByteArray& bytes)
{
    if (bytes.isNull()) {
        throw std::invalid_argument("StringUtils::bytesToHex: bytes are missing");
    }
    QString hex = QStringLiteral("");
    hex.reserve(2 * bytes.size());
    for (char b : bytes) {
        hex += byteToHex(b);
    }
    return hex;
}

QString StringUtils::intToHex32(int value)
{
    const auto bits = static_cast<unsigned>(value);
    QString hex;
    hex.reserve(8);
    for (int shift = 24; shift >= 0; shift -= 8) {
        hex += byteToHex(static_cast<int>((bits >> shift) & 0xFFu));
    }
    return hex;
}

QString StringUtils::byteToHex(char value)
{
    return byteToHex(static_cast<int>(static_cast<unsigned char>(value)));
}

QString StringUtils::byteToHex(int value)
{
    const auto bits = static_cast<unsigned>(value);
    const QChar digits[2] = {HEX[(bits >> 4) & 0xFu], HEX[bits & 0xFu]};
    return QString(digits, 2);
}

QString StringUtils::byteToHex(QChar value)
{
    return byteToHex(static_cast<int>(value.unicode()));
}

QChar StringUtils::toHexChar(int value)
{
    if (value >= 0 && value <= 9) {
        return QChar(char16_t(u'0' + value));
    }
    // Unsigned arithmetic: the code wraps to 16 bits instead of overflowing an int.
    return QChar(char16_t(static_cast<unsigned>(value) + 55u));
}

int StringUtils::formatMemorySize(int value, int unit)
{
    if (unit == 0) {
        throw std::invalid_argument("StringUtils::formatMemorySize: unit is 0");
    }
    // 64-bit: neither value + unit - 1 nor the product may overflow silently.
    const long long rounded =
        (static_cast<long long>(value) + unit - 1) / unit * static_cast<long long>(unit);
    if (rounded < INT_MIN || rounded > INT_MAX) {
        throw std::out_of_range("StringUtils::formatMemorySize: " + std::to_string(value) +
                                " rounded to a multiple of " + std::to_string(unit) +
                                " does not fit in an int");
    }
    return static_cast<int>(rounded);
}

QString StringUtils::splitStringWrapHtml(const QString& text, int position)
{
    if (position >= text.size()) {
        return text;
    }
    const qsizetype blank = text.indexOf(u' ', qMax(position, 0));
    if (blank < 0) {
        return text;
    }
    QString html = QStringLiteral("<html>");
    html += QStringView(text).first(blank);
    html += u"<br />";
    html += QStringView(text).sliced(blank);
    html += u"</html>";
    return html;
}

bool StringUtils::isSeparator(QChar c)
{
    return WORD_SEPARATORS.contains(c);
}

bool StringUtils::hasDigits(const QString& text)
{
    requireText(text, "hasDigits", "text");
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text.at(i).isDigit()) {
            return true;
        }
    }
    return false;
}

QString StringUtils::titleCase(const QString& text)
{
    requireText(text, "titleCase", "text");
    if (text.isEmpty()) {
        throw std::invalid_argument("StringUtils::titleCase: text is empty");
    }
    QString result(1, text.at(0).toTitleCase());
    result += QStringView(text).sliced(1);
    return result;
}

int StringUtils::hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    return -1;
}

} // namespace utils
