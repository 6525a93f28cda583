#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace utils {

// Text, hexadecimal and byte helpers. A "missing" text is a null QString; an empty text
// (QString("")) is not missing. A "character" is one UTF-16 code unit. Members documented
// as throwing std::invalid_argument treat that input as a programming error of the caller.
class StringUtils
{
public:
    StringUtils() = delete;

    static constexpr QStringView HEX{u"0123456789ABCDEF"};
    // Blank, tab, LF, CR, FF, then . , : - ( ) [ ] { } < > / | \ ' "
    static constexpr QStringView WORD_SEPARATORS{u" \t\n\r\f.,:-()[]{}<>/|\\'\""};

    // Literal (no pattern syntax) replacement of every occurrence of find, left to right;
    // inserted text is never searched again. An empty find returns the text unchanged.
    // Throws std::invalid_argument when any argument is missing.
    static QString replaceAll(const QString& text, const QString& find, const QString& replacement);
    static QString replaceAll(const QString& text, const QString& find, QChar replacement);

    // Pad with the first character of pad up to length. The text comes back unchanged when
    // it is missing, pad is missing or empty, length <= 0, or the text is long enough.
    static QString padLeft(const QString& text, const QString& pad, int length);
    static QString padRight(const QString& text, const QString& pad, int length);

    // Drops null and empty entries, keeping order. When nothing is dropped the input is
    // returned as is: QStringList is implicitly shared, so the caller gets the very same data.
    static QStringList removeEmptyStrings(const QStringList& texts);

    // Missing -> missing, empty -> empty; otherwise the trimmed text's decimal digits, or the
    // trimmed text itself when it holds no digit.
    static QString toDigitsOnly(const QString& text);

    // Exactly max(length, 0) characters: the text cut, or padded with '\0' characters.
    static QString getFixedSB(const QString& text, int length);

    // Lines split at LF, CR or CRLF; a final terminator adds no empty line.
    static QStringList toArrayOfString(const QString& text);

    // One row of a hex dump of width bytes per row: the first count bytes of bytes, labelled
    // with offset. Empty unless 1 <= count <= min(width, bytes.size()), offset >= 0 and
    // width / 4 is a multiple of 4 and at least 4 (width 16..19, 32..35, ...).
    static QString formatHex(const QByteArray& bytes, int count, int offset, int width);

    // Signed decimal int (optional + or -, ASCII digits, no blanks); defaultValue on any failure.
    static int stringToInt(const QString& text, int defaultValue);

    // UTF-8 of the text in exactly max(length, 0) bytes: cut, or zero-filled.
    static QByteArray stringToByteArray(const QString& text, int length);

    // Pairs of hex digits (either case, "-F" style negatives allowed) to their low 8 bits.
    // A trailing odd character is ignored. Throws std::invalid_argument on a bad pair.
    static QByteArray hexStringToByteArray(const QString& text);
    // The same over the first length characters into length/2 bytes; bytes the text does
    // not reach stay 0.
    static QByteArray hexStringToByteArray(const QString& text, int length);

    // "/" and then "%" become "_". Throws std::invalid_argument for a missing text.
    static QString qNameToFileName(const QString& text);

    // Two upper-case digits per byte, no separators. A null QByteArray counts as missing and
    // throws std::invalid_argument; an empty one gives "".
    static QString bytesToHex(const QByteArray& bytes);

    // Eight upper-case hex digits, most significant first.
    static QString intToHex32(int value);

    // Two upper-case hex digits of the low 8 bits.
    static QString byteToHex(char value);
    static QString byteToHex(int value);
    static QString byteToHex(QChar value);

    // 0..9 -> '0'..'9'; any other v -> the character with code v + 55 (10..15 -> 'A'..'F').
    static QChar toHexChar(int value);
    // The value of an ASCII hexadecimal digit, or -1.
    static int hexDigitValue(QChar c);

    // value rounded up to a multiple of unit. Throws std::invalid_argument for unit 0 and
    // std::out_of_range when the result does not fit in an int.
    static int formatMemorySize(int value, int unit);

    // Breaks the text into two HTML lines at the first blank at or after position.
    static QString splitStringWrapHtml(const QString& text, int position);

    static bool isSeparator(QChar c);

    // True when any character after the first is a decimal digit.
    // Throws std::invalid_argument for a missing text.
    static bool hasDigits(const QString& text);

    // First character in title case, rest unchanged.
    // Throws std::invalid_argument for a missing or empty text.
    static QString titleCase(const QString& text);
};

} // namespace utils
