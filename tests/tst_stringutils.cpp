#include "utils/handlers/StringUtils.h"

#include <QtTest>

#include <climits>
#include <stdexcept>

using utils::StringUtils;
using Bytes = QByteArray;

class TestStringUtils : public QObject
{
    Q_OBJECT

private slots:
    void replaceAll_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zone") << "America/Port_of_Spain"
                              << "_"
                              << " "
                              << "America/Port of Spain";
        QTest::newRow("dot is literal") << "com.quorvane.Vantor"
                                        << "."
                                        << "/"
                                        << "com/quorvane/Vantor";
        QTest::newRow("no re-replace") << "aaa"
                                       << "a"
                                       << "aa"
                                       << "aaaaaa";
        QTest::newRow("non-overlapping") << "aaaaa"
                                         << "aa"
                                         << "b"
                                         << "bba";
        QTest::newRow("empty find ends") << "abc"
                                         << ""
                                         << "y"
                                         << "abc";
    }
    void replaceAll()
    {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(QString, replacement);
        QFETCH(QString, expected);
        QCOMPARE(StringUtils::replaceAll(text, find, replacement), expected);
        if (replacement.size() == 1) {
            QCOMPARE(StringUtils::replaceAll(text, find, replacement.at(0)), expected);
        }
    }

    void callerErrorsThrow()
    {
        const QString a = QStringLiteral("a");
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, StringUtils::replaceAll(QString(), a, a));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, StringUtils::replaceAll(a, a, QString()));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 StringUtils::replaceAll(a, QString(), u'b'));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, StringUtils::qNameToFileName(QString()));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, StringUtils::hasDigits(QString()));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, StringUtils::titleCase(QStringLiteral("")));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, StringUtils::bytesToHex(Bytes()));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, StringUtils::formatMemorySize(5, 0));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, StringUtils::formatMemorySize(INT_MAX, 8));
        for (const char* bad : {"0g", "g0", "--", "+1", " 1", "121-"}) {
            QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                     StringUtils::hexStringToByteArray(QString::fromLatin1(bad)));
        }
    }

    void padding()
    {
        QCOMPARE(StringUtils::padLeft("7", "0", 3), QStringLiteral("007"));
        QCOMPARE(StringUtils::padLeft("1234", "0", 3), QStringLiteral("1234"));
        QCOMPARE(StringUtils::padLeft("7", "xy", 3), QStringLiteral("xx7"));
        QCOMPARE(StringUtils::padRight("ab", "-", 4), QStringLiteral("ab--"));
        QCOMPARE(StringUtils::padRight("ab", "", 4), QStringLiteral("ab"));
        QCOMPARE(StringUtils::padLeft("ab", "0", -4), QStringLiteral("ab"));
    }

    void toDigitsOnly()
    {
        QVERIFY(StringUtils::toDigitsOnly(QString()).isNull());
        const QString blanks = StringUtils::toDigitsOnly("  ");
        QVERIFY(blanks.isEmpty() && !blanks.isNull());
        QCOMPARE(StringUtils::toDigitsOnly(" 12-34\t"), QStringLiteral("1234"));
        QCOMPARE(StringUtils::toDigitsOnly(" abc "), QStringLiteral("abc"));
        QCOMPARE(StringUtils::toDigitsOnly(u"\u0664-\u0662"_qs), u"\u0664\u0662"_qs);
    }

    void stringToInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        const int fallback = -1;
        QTest::newRow("trailing junk") << "12x" << fallback;
        QTest::newRow("negative") << "-42" << -42;
        QTest::newRow("leading blank") << " 5" << fallback;
        QTest::newRow("trailing blank") << "5 " << fallback;
        QTest::newRow("missing") << QString() << fallback;
        QTest::newRow("lone sign") << "-" << fallback;
        QTest::newRow("max") << "+2147483647" << INT_MAX;
        QTest::newRow("min") << "-2147483648" << INT_MIN;
        QTest::newRow("above max") << "2147483648" << fallback;
        QTest::newRow("below min") << "-2147483649" << fallback;
    }
    void stringToInt()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(StringUtils::stringToInt(text, -1), expected);
    }

    void bytesAndHex()
    {
        QCOMPARE(StringUtils::hexStringToByteArray("0aFf1"), Bytes("\x0a\xff", 2));
        QCOMPARE(StringUtils::hexStringToByteArray("-F7f"), Bytes("\xf1\x7f", 2));
        QCOMPARE(StringUtils::hexStringToByteArray("0aFf", 2), Bytes("\x0a", 1));
        QCOMPARE(StringUtils::hexStringToByteArray("abc", 6), Bytes("\xab\0\0", 3));
        QCOMPARE(StringUtils::stringToByteArray(u"\u00e9"_qs, 3), Bytes("\xc3\xa9\0", 3));
        QCOMPARE(StringUtils::stringToByteArray("abc", 2), Bytes("ab"));
        QCOMPARE(StringUtils::bytesToHex(Bytes("\x00\x7f\x80", 3)), QStringLiteral("007F80"));
        QVERIFY(!StringUtils::bytesToHex(Bytes("")).isNull());
        QCOMPARE(StringUtils::intToHex32(255), QStringLiteral("000000FF"));
        QCOMPARE(StringUtils::intToHex32(INT_MIN), QStringLiteral("80000000"));
        QCOMPARE(StringUtils::byteToHex(char(-1)), QStringLiteral("FF"));
        QCOMPARE(StringUtils::byteToHex(0x1A5), QStringLiteral("A5"));
        QCOMPARE(StringUtils::byteToHex(QChar(0x20AC)), QStringLiteral("AC"));
        QCOMPARE(StringUtils::toHexChar(10), QChar(u'A'));
    }

    void formatHex()
    {
        const QString row = StringUtils::formatHex(Bytes("ABC\n\xff", 5), 5, 0, 32);
        QCOMPARE(row, "000000: 4142430A FF" + QString(61, u' ') + " ABC." + QChar(0xFF) +
                          QString(27, u' '));
        QCOMPARE(StringUtils::formatHex(Bytes(16, 'a'), 16, 0x1abcdef, 16).left(9), "1ABCDEF: ");
        // Width 16: 8 offset characters, a 36-character hex area, a blank, 16 characters.
        QCOMPARE(StringUtils::formatHex(Bytes(16, 'z'), 16, 0, 16).size(), 8 + 36 + 1 + 16);
        for (int width : {16, 17, 32}) { // the last row of a dump lines up with the full ones
            const qsizetype full = StringUtils::formatHex(Bytes(width, 1), width, 16, width).size();
            for (int count = 1; count < width; ++count) {
                QCOMPARE(StringUtils::formatHex(Bytes(width, 1), count, 16, width).size(), full);
            }
        }
        const Bytes b(40, 'x');
        QVERIFY(StringUtils::formatHex(b, 4, 0, 24).isEmpty()); // 24/4 is not a multiple of 4
        QVERIFY(StringUtils::formatHex(b, 4, 0, 12).isEmpty()); // hex area below 36
        QVERIFY(StringUtils::formatHex(b, 33, 0, 32).isEmpty());
        QVERIFY(StringUtils::formatHex(b, 4, -1, 32).isEmpty());
        QVERIFY(StringUtils::formatHex(Bytes(3, 'x'), 4, 0, 32).isEmpty()); // past the data
    }

    void toArrayOfString()
    {
        QCOMPARE(StringUtils::toArrayOfString("a\nb\r\nc\rd"), QStringList({"a", "b", "c", "d"}));
        QCOMPARE(StringUtils::toArrayOfString("a\r\n"), QStringList{"a"});
        QCOMPARE(StringUtils::toArrayOfString("a\n\n\r\r\nb"), QStringList({"a", "", "", "", "b"}));
        QCOMPARE(StringUtils::toArrayOfString(""), QStringList());
    }

    void textHelpers()
    {
        const QString la = QStringLiteral("Los Angeles time");
        QCOMPARE(StringUtils::splitStringWrapHtml(la, 4), "<html>Los Angeles<br /> time</html>");
        QCOMPARE(StringUtils::splitStringWrapHtml(la, 3), "<html>Los<br /> Angeles time</html>");
        QCOMPARE(StringUtils::splitStringWrapHtml(la, 12), la);
        QCOMPARE(StringUtils::splitStringWrapHtml(la, 20), la);

        QCOMPARE(StringUtils::WORD_SEPARATORS.size(), 22);
        QVERIFY(StringUtils::isSeparator(u'"') && StringUtils::isSeparator(u'\f'));
        QVERIFY(!StringUtils::isSeparator(u'_') && !StringUtils::isSeparator(u'\0'));

        QVERIFY(!StringUtils::hasDigits("5ab"));
        QVERIFY(StringUtils::hasDigits("a5"));
        QCOMPARE(StringUtils::titleCase(u"\u01C6emal"_qs), u"\u01C5emal"_qs); // digraph dz
        QCOMPARE(StringUtils::qNameToFileName("a/b%c"), QStringLiteral("a_b_c"));
        QCOMPARE(StringUtils::getFixedSB("abcdef", 3), QStringLiteral("abc"));
        QCOMPARE(StringUtils::getFixedSB("ab", 4), u"ab\0\0"_qs);
        QCOMPARE(StringUtils::formatMemorySize(100, 8), 104);
        QCOMPARE(StringUtils::formatMemorySize(96, 8), 96);
    }

    void removeEmptyStrings()
    {
        const QStringList full{"a", "b"};
        QCOMPARE(StringUtils::removeEmptyStrings(full).constData(), full.constData());
        QCOMPARE(StringUtils::removeEmptyStrings({"", "a", QString(), "b", ""}), full);
    }
};

QTEST_GUILESS_MAIN(TestStringUtils)
#include "tst_stringutils.moc"
