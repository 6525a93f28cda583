#include "TestSupport.h"

#include "utils/handlers/LanguageTable.h"
#include "utils/handlers/TableLanguage.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using utils::LanguageTable;
using utils::MissingResourceError;
using utils::PropertiesFormatError;
using utils::tableLanguage;

using Entries = QHash<QString, QString>;

namespace {

const QString kApp = QStringLiteral("com.quorvane.vantor.lang/Lang");
const QString kUtils = QStringLiteral("com.quorvane.utils.lang/Lang");

QStringList files(std::initializer_list<const char*> stems)
{
    QStringList out;
    for (const char* stem : stems) {
        out << QString::fromLatin1(stem) + QStringLiteral(".properties");
    }
    return out;
}

} // namespace

class TestLanguageTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void parse_data();
    void parse();
    void parseSurrogatePair();
    void malformedEscape_data();
    void malformedEscape();

    void fallbackChain_data();
    void fallbackChain();
    void fallbackFromLocale_data();
    void fallbackFromLocale();
    void missingKey();
    void missingBase();
    void brokenTableNamesFile();

    void applicationBaseTable();
    void utilityBaseTable();
    void englishTablesResolveToBase_data();
    void englishTablesResolveToBase();
    void packedTablesMatchBaseKeys_data();
    void packedTablesMatchBaseKeys();
    void everyLanguageHasItsTables();
    void packedTablesFollowTheLocale_data();
    void packedTablesFollowTheLocale();
    void norwegianDesktopLocale_data();
    void norwegianDesktopLocale();

private:
    void write(const QString& name, const QByteArray& content);
    QTemporaryDir dir_;
};

void TestLanguageTable::write(const QString& name, const QByteArray& content)
{
    QFile file(dir_.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void TestLanguageTable::initTestCase()
{
    QVERIFY(dir_.isValid());
    write("Lang.properties", "who=base\r\nbase.only=from base\r\n");
    for (const char* suffix : {"de", "de_CH", "in", "iw", "zh_tw", "zh_cn", "no", "pt"}) {
        write(QStringLiteral("Lang_%1.properties").arg(suffix), QByteArray("who=") + suffix + "\n");
    }
    write("Lang_de.properties", "who=de\r\nde.only=Schlie\\u00dfen\r\n");
    write("Lang_en.properties", "# currently no changes from the default strings.\n");
    write("Lang_en_US.properties", "# currently no changes from the English strings.\n");
    // A table of another stem in the same folder must never be picked up.
    write("Other_ka.properties", "who=other\n");
}

void TestLanguageTable::parse_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<Entries>("expected");

    QTest::newRow("crlf") << QByteArray("a=1\r\nb=2\r\n") << Entries{{"a", "1"}, {"b", "2"}};
    QTest::newRow("lf, no final newline")
        << QByteArray("a=1\nb=2") << Entries{{"a", "1"}, {"b", "2"}};
    QTest::newRow("lone cr") << QByteArray("a=1\rb=2\r") << Entries{{"a", "1"}, {"b", "2"}};
    QTest::newRow("blank lines") << QByteArray("\r\n  \t\r\n\na=1\r\n\f\r\n")
                                 << Entries{{"a", "1"}};
    QTest::newRow("comments") << QByteArray(
                                     "# c=1\r\n! d=2\r\n   # indented\r\na=#not a comment\r\n")
                              << Entries{{"a", "#not a comment"}};
    QTest::newRow("comment ending in backslash does not continue")
        << QByteArray("# note \\\nb=1\n") << Entries{{"b", "1"}};
    QTest::newRow("value kept as written") << QByteArray("lbl.x=Application is always on top?\r\n")
                                           << Entries{{"lbl.x", "Application is always on top?"}};
    QTest::newRow("trailing blanks kept, leading dropped")
        << QByteArray("  a   =   b c  \r\n") << Entries{{"a", "b c  "}};
    QTest::newRow("separators") << QByteArray("a:1\nb 2\nc\t:\t3\nd = =4\ne:=5\nf=6=7\ng:8:9\n")
                                << Entries{{"a", "1"},  {"b", "2"},   {"c", "3"},  {"d", "=4"},
                                           {"e", "=5"}, {"f", "6=7"}, {"g", "8:9"}};
    QTest::newRow("key without value")
        << QByteArray("a\nb=\nc  \n") << Entries{{"a", ""}, {"b", ""}, {"c", ""}};
    QTest::newRow("escaped separators in key")
        << QByteArray("a\\=b\\:c\\ d=v\n") << Entries{{"a=b:c d", "v"}};
    QTest::newRow("escapes") << QByteArray("k=\\t\\n\\r\\f\\\\\\=\\:\\#\\!\\q\n")
                             << Entries{{"k", QStringLiteral("\t\n\r\f\\=:#!q")}};
    QTest::newRow("unicode escape")
        << QByteArray("button.close=Schlie\\u00dfen\r\nx=\\u00DF\\u0041\r\n")
        << Entries{{"button.close", QStringLiteral("Schlie\u00dfen")},
                   {"x", QStringLiteral("\u00dfA")}};
    QTest::newRow("continuation") << QByteArray("a=one \\\n     two \\\r\n\tthree\nb=x\n")
                                  << Entries{{"a", "one two three"}, {"b", "x"}};
    QTest::newRow("continued line starting with #")
        << QByteArray("a=1\\\n#2\n") << Entries{{"a", "1#2"}};
    QTest::newRow("even backslashes do not continue")
        << QByteArray("a=x\\\\\nb=y\n") << Entries{{"a", "x\\"}, {"b", "y"}};
    QTest::newRow("odd backslashes continue")
        << QByteArray("a=x\\\\\\\ny\n") << Entries{{"a", "x\\y"}};
    QTest::newRow("continuation at end of text") << QByteArray("a=x\\") << Entries{{"a", "x"}};
    QTest::newRow("last definition wins") << QByteArray("a=1\na=2\n") << Entries{{"a", "2"}};
    QTest::newRow("utf-8 bom and text") << QByteArray("\xef\xbb\xbf"
                                                      "a=Schlie\xc3\x9f"
                                                      "en\n")
                                        << Entries{{"a", QStringLiteral("Schlie\u00dfen")}};
    QTest::newRow("latin-1 text") << QByteArray("a=Schlie\xdf"
                                                "en\n")
                                  << Entries{{"a", QStringLiteral("Schlie\u00dfen")}};
}

void TestLanguageTable::parse()
{
    QFETCH(QByteArray, input);
    QFETCH(Entries, expected);
    QCOMPARE(LanguageTable::parseProperties(input), expected);
}

void TestLanguageTable::parseSurrogatePair()
{
    const Entries entries = LanguageTable::parseProperties("smile=\\ud83d\\ude00!\n");
    const QString value = entries.value("smile");
    QCOMPARE(value.size(), 3);
    QCOMPARE(value.toUcs4().first(), 0x1F600u);
}

void TestLanguageTable::malformedEscape_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("line");

    QTest::newRow("non-hex digit") << QByteArray("a=1\r\nb=2\r\nc=\\u00g1\r\n") << 3;
    QTest::newRow("too few digits") << QByteArray("a=\\u12\nb=1\n") << 1;
    QTest::newRow("at end of text") << QByteArray("a=x\\u") << 1;
    QTest::newRow("in the key") << QByteArray("\\uzz=1\n") << 1;
    QTest::newRow("on a continued line") << QByteArray("a=1\\\n  2\\\n  \\u0x41\n") << 3;
    QTest::newRow("lone high surrogate") << QByteArray("a=\\ud83d\n") << 1;
    QTest::newRow("high surrogate then letter") << QByteArray("\n\na=\\ud83dx\n") << 3;
    QTest::newRow("lone low surrogate") << QByteArray("a=\\ude00\n") << 1;
}

void TestLanguageTable::malformedEscape()
{
    QFETCH(QByteArray, input);
    QFETCH(int, line);
    try {
        LanguageTable::parseProperties(input, QStringLiteral("Lang_xx.properties"));
        QFAIL("no error for a malformed escape");
    } catch (const PropertiesFormatError& e) {
        QCOMPARE(e.line(), line);
        QCOMPARE(e.source(), QStringLiteral("Lang_xx.properties"));
        QVERIFY2(QString::fromUtf8(e.what()).startsWith(
                     QStringLiteral("Lang_xx.properties:%1: ").arg(line)),
                 e.what());
    }
}

void TestLanguageTable::fallbackChain_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QStringList>("chain");
    QTest::addColumn<QString>("who");

    QTest::newRow("de_DE") << "de"
                           << "DE" << files({"Lang_de", "Lang"}) << "de";
    QTest::newRow("de_CH") << "de"
                           << "CH" << files({"Lang_de_CH", "Lang_de", "Lang"}) << "de_CH";
    QTest::newRow("DE upper case") << "DE"
                                   << "" << files({"Lang_de", "Lang"}) << "de";
    QTest::newRow("en_US") << "en"
                           << "US" << files({"Lang_en_US", "Lang_en", "Lang"}) << "base";
    QTest::newRow("en_GB") << "en"
                           << "GB" << files({"Lang_en", "Lang"}) << "base";
    QTest::newRow("ka") << "ka"
                        << "" << files({"Lang"}) << "base";
    QTest::newRow("id") << "id"
                        << "ID" << files({"Lang_in", "Lang"}) << "in";
    QTest::newRow("he") << "he"
                        << "IL" << files({"Lang_iw", "Lang"}) << "iw";
    QTest::newRow("zh_TW") << "zh"
                           << "TW" << files({"Lang_zh_tw", "Lang"}) << "zh_tw";
    QTest::newRow("zh_CN") << "zh"
                           << "CN" << files({"Lang_zh_cn", "Lang"}) << "zh_cn";
    QTest::newRow("zh_SG") << "zh"
                           << "SG" << files({"Lang"}) << "base";
    QTest::newRow("zh alone") << "zh"
                              << "" << files({"Lang"}) << "base";
    QTest::newRow("nb") << "nb"
                        << "NO" << files({"Lang"}) << "base";
    QTest::newRow("no") << "no"
                        << "NO" << files({"Lang_no", "Lang"}) << "no";
    QTest::newRow("pt_BR") << "pt"
                           << "BR" << files({"Lang_pt", "Lang"}) << "pt";
    QTest::newRow("no language") << ""
                                 << "DE" << files({"Lang"}) << "base";
    QTest::newRow("path in country") << "de"
                                     << "../de" << files({"Lang_de", "Lang"}) << "de";
}

void TestLanguageTable::fallbackChain()
{
    QFETCH(QString, language);
    QFETCH(QString, country);
    QFETCH(QStringList, chain);
    QFETCH(QString, who);

    const LanguageTable table =
        LanguageTable::loadFromDirectory(dir_.path(), "Lang", language, country);
    QCOMPARE(table.chain(), chain);
    QCOMPARE(table.getString("who"), who);
    QCOMPARE(table.getString("base.only"), QStringLiteral("from base"));
    QCOMPARE(table.contains("de.only"), chain.contains("Lang_de.properties"));
}

void TestLanguageTable::fallbackFromLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("who");

    QTest::newRow("de_DE") << QLocale("de_DE") << "de";
    QTest::newRow("de_CH") << QLocale("de_CH") << "de_CH";
    QTest::newRow("he_IL") << QLocale("he_IL") << "iw";
    QTest::newRow("id_ID") << QLocale("id_ID") << "in";
    QTest::newRow("zh_TW") << QLocale("zh_TW") << "zh_tw";
    QTest::newRow("zh_SG") << QLocale("zh_SG") << "base";
    QTest::newRow("nb_NO") << QLocale("nb_NO") << "base";
    QTest::newRow("C") << QLocale::c() << "base";
}

void TestLanguageTable::fallbackFromLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, who);
    QCOMPARE(LanguageTable::loadFromDirectory(dir_.path(), "Lang", locale).getString("who"), who);
}

void TestLanguageTable::missingKey()
{
    const LanguageTable table = LanguageTable::loadFromDirectory(dir_.path(), "Lang", "de", "DE");
    QVERIFY(!table.contains("no.such.key"));
    try {
        table.getString("no.such.key");
        QFAIL("no error for a missing key");
    } catch (const MissingResourceError& e) {
        QCOMPARE(e.key(), QStringLiteral("no.such.key"));
        const QString message = QString::fromUtf8(e.what());
        QVERIFY2(message.contains("no.such.key") && message.contains(e.baseName()), e.what());
        QVERIFY(e.baseName().endsWith("Lang"));
    }
    QCOMPARE(table.keys(), QStringList({"base.only", "de.only", "who"}));

    QVERIFY_THROWS_EXCEPTION(MissingResourceError, LanguageTable().getString("who"));
}

void TestLanguageTable::missingBase()
{
    QTemporaryDir noBase;
    QFile orphan(noBase.filePath("Lang_de.properties"));
    QVERIFY(orphan.open(QIODevice::WriteOnly));
    orphan.write("who=de\n");
    orphan.close();

    QVERIFY_THROWS_EXCEPTION(MissingResourceError,
                             LanguageTable::loadFromDirectory(noBase.path(), "Lang", "de", ""));
    QVERIFY_THROWS_EXCEPTION(MissingResourceError,
                             LanguageTable::loadFromDirectory(dir_.path(), "Other", "ka", ""));
    QVERIFY_THROWS_EXCEPTION(MissingResourceError, LanguageTable::loadFromDirectory(
                                                       noBase.filePath("gone"), "Lang", "", ""));
    QVERIFY_THROWS_EXCEPTION(MissingResourceError,
                             LanguageTable::load("com.quorvane.nothing.lang/Lang", "en", "US"));
}

void TestLanguageTable::brokenTableNamesFile()
{
    QTemporaryDir broken;
    for (const auto& [name, content] : {std::pair{"Lang.properties", "a=1\n"},
                                        std::pair{"Lang_fr.properties", "a=1\n\nb=\\u00e\n"}}) {
        QFile file(broken.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    try {
        LanguageTable::loadFromDirectory(broken.path(), "Lang", "fr", "FR");
        QFAIL("a broken table loaded");
    } catch (const PropertiesFormatError& e) {
        QCOMPARE(e.source(), broken.filePath("Lang_fr.properties"));
        QCOMPARE(e.line(), 3);
    }
}

void TestLanguageTable::applicationBaseTable()
{
    const LanguageTable table = LanguageTable::load(kApp, "ka", "");
    QCOMPARE(table.chain(), files({"Lang"}));
    const QStringList keys = table.keys();
    QCOMPARE(keys.size(), 74);
    QCOMPARE(table.getString("lbl.applicationisalwaysontop"),
             QStringLiteral("Application is always on top?"));
    QCOMPARE(table.getString("popup.warningnotsavedyourchanges"),
             QStringLiteral("Warning: You have not saved your changes."));
    QCOMPARE(table.getString("vantor.name"), QStringLiteral("Vantor"));

    const QRegularExpression keyShape(
        "^(button|cb|dialog|format|lbl|menu|popup|radio|sys|vantor)(\\.[a-z]+)+$");
    for (const QString& key : keys) {
        QVERIFY2(keyShape.match(key).hasMatch(), qPrintable(key));
        const QString value = table.getString(key);
        QVERIFY2(!value.isEmpty() && !value.contains(u'\r') && !value.contains(u'\n') &&
                     value == value.trimmed(),
                 qPrintable(key));
    }
}

void TestLanguageTable::utilityBaseTable()
{
    const LanguageTable table = LanguageTable::load(kUtils, QLocale("nb_NO"));
    QCOMPARE(table.chain(), files({"Lang"}));
    QCOMPARE(table.keys(),
             QStringList({"button.close", "dialog.by", "dialog.copyright", "dialog.released",
                          "dialog.support", "dialog.version", "menu.about", "sys.canonicalhostname",
                          "sys.hostname", "sys.jvmversion"}));
    QCOMPARE(table.getString("sys.canonicalhostname"), QStringLiteral("Canonical Hostname"));
}

void TestLanguageTable::englishTablesResolveToBase_data()
{
    QTest::addColumn<QString>("baseName");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("chain");

    for (const QString& base : {kApp, kUtils}) {
        const QByteArray family = base.section(u'.', 2, 2).toLatin1();
        QTest::newRow((family + " en_US").constData())
            << base << QLocale("en_US") << files({"Lang_en_US", "Lang_en", "Lang"});
        QTest::newRow((family + " en_GB").constData())
            << base << QLocale("en_GB") << files({"Lang_en", "Lang"});
    }
}

void TestLanguageTable::englishTablesResolveToBase()
{
    QFETCH(QString, baseName);
    QFETCH(QLocale, locale);
    QFETCH(QStringList, chain);

    const LanguageTable base = LanguageTable::load(baseName, "", "");
    const LanguageTable english = LanguageTable::load(baseName, locale);
    QCOMPARE(english.chain(), chain);
    QCOMPARE(english.keys(), base.keys());
    for (const QString& key : base.keys()) {
        QCOMPARE(english.getString(key), base.getString(key));
    }
}

// Whatever translated tables are packed: each must decode and define exactly its family's keys
// (the English ones none), or a screen would show a missing text or a stale key.
void TestLanguageTable::packedTablesMatchBaseKeys_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("expectedKeys");

    for (const char* folder : {":/com/quorvane/vantor/lang", ":/com/quorvane/utils/lang"}) {
        const QDir dir(QString::fromLatin1(folder));
        const QStringList baseKeys =
            LanguageTable::loadFromDirectory(dir.path(), "Lang", "", "").keys();
        QVERIFY(!baseKeys.isEmpty());
        for (const QString& name : dir.entryList({"Lang_*.properties"}, QDir::Files)) {
            const bool english = name.startsWith("Lang_en");
            QTest::newRow(qPrintable(dir.filePath(name)))
                << dir.filePath(name) << (english ? QStringList() : baseKeys);
        }
    }
}

void TestLanguageTable::packedTablesMatchBaseKeys()
{
    QFETCH(QString, path);
    QFETCH(QStringList, expectedKeys);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QHash<QString, QString> entries = LanguageTable::parseProperties(bytes, path);
    QStringList keys = entries.keys();
    keys.sort();
    QCOMPARE(keys, expectedKeys);
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        QVERIFY2(!it.value().trimmed().isEmpty(), qPrintable(it.key()));
        QVERIFY2(!it.value().contains(u"\\u"_qs), qPrintable(it.key()));
    }
    // The packed form: plain ASCII, and entries sorted by key.
    for (const char c : bytes) {
        QVERIFY2(static_cast<unsigned char>(c) < 128, "a byte outside ASCII");
    }
    if (!expectedKeys.isEmpty()) {
        QVERIFY(bytes.endsWith("\r\n"));
        QStringList order;
        for (const QByteArray& line : bytes.split('\n')) {
            if (!line.trimmed().isEmpty()) {
                order << QString::fromLatin1(line.left(line.indexOf('=')));
            }
        }
        QStringList sorted = order;
        sorted.sort();
        QCOMPARE(order, sorted);
    }
}

void TestLanguageTable::everyLanguageHasItsTables()
{
    for (const char* folder : {":/com/quorvane/vantor/lang", ":/com/quorvane/utils/lang"}) {
        QCOMPARE(QDir(QString::fromLatin1(folder)).entryList({"Lang_*.properties"}).size(), 56);
    }
}

// The packed tables themselves along the fallback chain of a desktop's locale.
void TestLanguageTable::packedTablesFollowTheLocale_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("country");
    QTest::addColumn<QString>("first");
    QTest::newRow("German (Germany)") << "de"
                                      << "DE"
                                      << "Lang_de.properties";
    QTest::newRow("English (UK)") << "en"
                                  << "GB"
                                  << "Lang_en.properties";
    QTest::newRow("Georgian") << "ka"
                              << "GE"
                              << "Lang.properties";
    QTest::newRow("Indonesian as id") << "id"
                                      << "ID"
                                      << "Lang_in.properties";
    QTest::newRow("Hebrew as he") << "he"
                                  << "IL"
                                  << "Lang_iw.properties";
    QTest::newRow("Chinese (Taiwan)") << "zh"
                                      << "TW"
                                      << "Lang_zh_tw.properties";
    QTest::newRow("Chinese (China)") << "zh"
                                     << "CN"
                                     << "Lang_zh_cn.properties";
    QTest::newRow("Chinese (Singapore)") << "zh"
                                         << "SG"
                                         << "Lang.properties";
    QTest::newRow("Norwegian as nb") << "nb"
                                     << "NO"
                                     << "Lang.properties";
    QTest::newRow("Norwegian as no") << "no"
                                     << "NO"
                                     << "Lang_no.properties";
    QTest::newRow("Portuguese (Brazil)") << "pt"
                                         << "BR"
                                         << "Lang_pt.properties";
}

void TestLanguageTable::packedTablesFollowTheLocale()
{
    QFETCH(QString, language);
    QFETCH(QString, country);
    QFETCH(QString, first);
    for (const char* family : {"com.quorvane.vantor.lang/Lang", "com.quorvane.utils.lang/Lang"}) {
        const LanguageTable table =
            LanguageTable::load(QString::fromLatin1(family), language, country);
        QCOMPARE(table.chain().first(), first);
        QCOMPARE(table.chain().last(), u"Lang.properties"_qs);
    }
    if (language == u"de"_qs) {
        QCOMPARE(LanguageTable::load(u"com.quorvane.vantor.lang/Lang"_qs, language, country)
                     .getString(u"button.close"_qs),
                 u"Schlie\u00dfen"_qs);
    }
}

// Qt turns a desktop's "no" into "nb" before the tables are chosen; what the environment named
// decides, and a desktop that says "nb" itself keeps English.
void TestLanguageTable::norwegianDesktopLocale_data()
{
    QTest::addColumn<QByteArray>("lcAll");
    QTest::addColumn<QByteArray>("lcMessages");
    QTest::addColumn<QByteArray>("lang");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("about");

    const QLocale bokmal("nb_NO");
    const QByteArray none;
    QTest::newRow("LANG=no_NO.UTF-8")
        << none << none << QByteArray("no_NO.UTF-8") << bokmal << "Om";
    QTest::newRow("LANG=no") << none << none << QByteArray("no") << bokmal << "Om";
    QTest::newRow("LANG=nb_NO.UTF-8")
        << none << none << QByteArray("nb_NO.UTF-8") << bokmal << "About";
    QTest::newRow("LC_ALL before LANG")
        << QByteArray("nb_NO.UTF-8") << none << QByteArray("no_NO.UTF-8") << bokmal << "About";
    QTest::newRow("LC_MESSAGES before LANG") << none << QByteArray("no_NO.ISO-8859-1@euro")
                                             << QByteArray("en_US.UTF-8") << bokmal << "Om";
    QTest::newRow("LC_ALL before LC_MESSAGES")
        << QByteArray("no_NO") << QByteArray("nb_NO") << none << bokmal << "Om";
    QTest::newRow("a locale Qt did not rename")
        << none << none << QByteArray("no_NO.UTF-8") << QLocale("de_DE") << u"\u00dcber"_qs;
}

void TestLanguageTable::norwegianDesktopLocale()
{
    QFETCH(QByteArray, lcAll);
    QFETCH(QByteArray, lcMessages);
    QFETCH(QByteArray, lang);
    QFETCH(QLocale, locale);
    QFETCH(QString, about);
    // Empty counts as unset, as for the C library.
    const EnvironmentGuard all("LC_ALL", lcAll);
    const EnvironmentGuard messages("LC_MESSAGES", lcMessages);
    const EnvironmentGuard language("LANG", lang);

    const QString country = QLocale::territoryToCode(locale.territory());
    const LanguageTable utility = LanguageTable::load(kUtils, tableLanguage(locale), country);
    QCOMPARE(utility.getString("menu.about"), about);
    const LanguageTable application = LanguageTable::load(kApp, tableLanguage(locale), country);
    QCOMPARE(application.chain().first(), utility.chain().first());
}

QTEST_GUILESS_MAIN(TestLanguageTable)
#include "tst_languagetable.moc"
