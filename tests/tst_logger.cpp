#include "utils/gui/handlers/Logger.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QtTest>

#include <iostream>
#include <sstream>
#include <streambuf>

using utils::Logger;

// Real callers of every shape the compiler names differently.
namespace sample {
class Clock
{
public:
    Clock() { Logger::log(QStringLiteral("m")); }
    static void tick() { Logger::log(QStringLiteral("m")); }
    void name() const { Logger::log(QStringLiteral("m")); }
    void withLambda()
    {
        auto inner = [] {
            Logger::log(QStringLiteral("m"));
        };
        inner();
    }
    void withNestedLambda()
    {
        [] {
            [](int) {
                Logger::log(QStringLiteral("m"));
            }(1);
        }();
    }
    template <typename T> void generic(T) { Logger::log(QStringLiteral("m")); }
    void operator()() { Logger::log(QStringLiteral("m")); }
    struct Hand
    {
        void move() { Logger::log(QStringLiteral("m")); }
    };
};
template <typename T> struct Box
{
    void put(T) { Logger::log(QStringLiteral("m")); }
};
void helper()
{
    Logger::log(QStringLiteral("m"));
}
} // namespace sample

namespace {
void anonymousHelper()
{
    Logger::log(QStringLiteral("m"));
}
} // namespace

void globalWithLambda()
{
    [] {
        Logger::log(QStringLiteral("m"));
    }();
}

using CallerFn = void (*)();
Q_DECLARE_METATYPE(CallerFn)

// Redirects a standard stream into a string for the lifetime of the object.
class Capture
{
public:
    explicit Capture(std::ostream& stream) : stream_(stream), old_(stream.rdbuf(text_.rdbuf())) {}
    ~Capture() { stream_.rdbuf(old_); }
    std::string text() const { return text_.str(); }

private:
    std::ostream& stream_;
    std::ostringstream text_;
    std::streambuf* old_;
};

// A stream buffer that refuses every byte, like a closed pipe or a full disk.
class BrokenBuffer : public std::streambuf
{
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

class TestLogger : public QObject
{
    Q_OBJECT

private slots:
    void init() { Logger::resetForTesting(); }
    void cleanup() { Logger::resetForTesting(); }

    void lineNamesTheCaller_data()
    {
        QTest::addColumn<CallerFn>("call");
        QTest::addColumn<QString>("expected");
        QTest::newRow("static method") << CallerFn([] { sample::Clock::tick(); }) << "Clock: tick";
        QTest::newRow("const member") << CallerFn([] { sample::Clock().name(); }) << "Clock: name";
        QTest::newRow("constructor") << CallerFn([] { sample::Clock(); }) << "Clock: Clock";
        QTest::newRow("lambda") << CallerFn([] { sample::Clock().withLambda(); })
                                << "Clock: withLambda";
        QTest::newRow("nested lambda")
            << CallerFn([] { sample::Clock().withNestedLambda(); }) << "Clock: withNestedLambda";
        QTest::newRow("member template")
            << CallerFn([] { sample::Clock().generic(1); }) << "Clock: generic";
        QTest::newRow("class template")
            << CallerFn([] { sample::Box<int>().put(1); }) << "Box: put";
        QTest::newRow("call operator")
            << CallerFn([] { sample::Clock()(); }) << "Clock: operator()";
        QTest::newRow("nested class")
            << CallerFn([] { sample::Clock::Hand().move(); }) << "Hand: move";
        QTest::newRow("namespace function") << CallerFn(sample::helper) << "tst_logger: helper";
        QTest::newRow("anonymous namespace")
            << CallerFn(anonymousHelper) << "tst_logger: anonymousHelper";
        QTest::newRow("lambda in free function")
            << CallerFn(globalWithLambda) << "tst_logger: globalWithLambda";
    }
    void lineNamesTheCaller()
    {
        QFETCH(CallerFn, call);
        QFETCH(QString, expected);
        std::ostringstream out;
        Logger::setStream(&out);
        call();
        // Rows that build a Clock first log from its constructor too; the call logs last.
        const QString last =
            QString::fromStdString(out.str()).split('\n', Qt::SkipEmptyParts).last();
        QCOMPARE(last.mid(20), expected + ": m");
    }

    void lineFormat()
    {
        std::ostringstream out;
        Logger::setStream(&out);
        const QDateTime before = QDateTime::currentDateTime().addMSecs(-1000);
        sample::Clock::tick();
        const QDateTime after = QDateTime::currentDateTime();
        const QString text = QString::fromStdString(out.str());
        static const QRegularExpression line(
            QStringLiteral("^(\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}:\\d{2}) Clock: tick: m\\n$"));
        const QRegularExpressionMatch match = line.match(text);
        QVERIFY2(match.hasMatch(), qPrintable(text));
        // Local time, 24-hour clock, month before day: the stamp lies between the two readings.
        const QDateTime stamp = QDateTime::fromString(match.captured(1), "yyyy/MM/dd HH:mm:ss");
        QVERIFY2(stamp >= before && stamp <= after, qPrintable(match.captured(1)));
    }

    void messageIsWrittenAsUtf8()
    {
        std::ostringstream out;
        Logger::setStream(&out);
        Logger::log(QStringLiteral("Z\u00fcrich \u2713"));
        QVERIFY(out.str().ends_with(": Z\xc3\xbcrich \xe2\x9c\x93\n"));
    }

    void nullStreamMeansStandardOutput()
    {
        std::ostringstream other;
        Logger::setStream(&other);
        Logger::setStream(nullptr);
        const Capture stdoutCapture(std::cout);
        Logger::log(QStringLiteral("to stdout"));
        QVERIFY(QString::fromStdString(stdoutCapture.text()).endsWith(": to stdout\n"));
        QVERIFY(other.str().empty());
    }

    void failureSwitchesLoggingOffForGood_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("write error") << 0;
        QTest::newRow("stream throws") << 1;
        QTest::newRow("stream already failed") << 2;
    }
    void failureSwitchesLoggingOffForGood()
    {
        QFETCH(int, kind);
        BrokenBuffer broken;
        std::ostream brokenStream(&broken);
        std::ostringstream failed;
        if (kind == 1) {
            brokenStream.exceptions(std::ios::badbit | std::ios::failbit);
        }
        if (kind == 2) {
            failed.setstate(std::ios::failbit);
        }
        Logger::setStream(kind == 2 ? static_cast<std::ostream*>(&failed) : &brokenStream);

        const Capture stderrCapture(std::cerr);
        Logger::log(QStringLiteral("first"));
        QVERIFY(!Logger::isLogging());

        std::ostringstream good;
        Logger::setStream(&good);
        Logger::log(QStringLiteral("second"));
        Logger::log(QStringLiteral("third"));
        QVERIFY(good.str().empty());
        QVERIFY(!Logger::isLogging());
        const QStringList errors =
            QString::fromStdString(stderrCapture.text()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors.first().contains("switched off"));
    }

    // Signatures the compiler writes for callers the real calls above cannot cover.
    void describeCaller_data()
    {
        QTest::addColumn<QString>("function");
        QTest::addColumn<QString>("expected");
        QTest::newRow("less operator") << "bool ns::A::operator<(const ns::A&) const"
                                       << "A operator<";
        QTest::newRow("shift operator") << "QDebug& ns::A::operator<<(QDebug&)"
                                        << "A operator<<";
        QTest::newRow("arrow operator") << "ns::B* ns::A::operator->()"
                                        << "A operator->";
        QTest::newRow("conversion") << "ns::A::operator std::vector<int>() const"
                                    << "A operator std::vector<int>";
        QTest::newRow("operator new") << "static void* ns::A::operator new [](std::size_t)"
                                      << "A operator new []";
        QTest::newRow("free operator") << "bool ns::operator==(const A&, const A&)"
                                       << "file operator==";
        QTest::newRow("destructor") << "ns::A::~A()"
                                    << "A ~A";
        QTest::newRow("function pointer return") << "static void (* ns::A::fp())(int)"
                                                 << "A fp";
        QTest::newRow("nested parameter types")
            << "void ns::A::fn(std::function<void(int)>, void (*)(int))"
            << "A fn";
        QTest::newRow("template trailer") << "void ns::B<T>::m(std::vector<T>) [with T = int]"
                                          << "B m";
        QTest::newRow("template return type")
            << "std::map<int, std::function<void()> > ns::A::table()"
            << "A table";
        QTest::newRow("abi tag") << "std::string ns::A::text[abi:cxx11](int)"
                                 << "A text";
        QTest::newRow("decltype auto") << "decltype(auto) ns::A::da()"
                                       << "A da";
        QTest::newRow("lambda with template parameter")
            << "ns::A::run()::<lambda(std::vector<int>)>"
            << "A run";
        QTest::newRow("mutable lambda") << "main()::<lambda()> mutable"
                                        << "file main";
        QTest::newRow("local class") << "void local()::Local::m()"
                                     << "Local m";
        QTest::newRow("global lambda") << "<lambda()>"
                                       << "file <lambda>";
        QTest::newRow("other compiler namespace") << "void (anonymous namespace)::helper()"
                                                  << "file helper";
        QTest::newRow("empty") << ""
                               << "file unknown";
        QTest::newRow("unbalanced") << "void ns::A::f(((("
                                    << "A f";
    }
    void describeCaller()
    {
        QFETCH(QString, function);
        QFETCH(QString, expected);
        const QByteArray utf8 = function.toUtf8();
        const Logger::Caller who =
            Logger::describeCaller(utf8.toStdString(), "/src/utils/file.cpp");
        QCOMPARE(who.className + ' ' + who.methodName, expected);
    }
};

QTEST_GUILESS_MAIN(TestLogger)
#include "tst_logger.moc"
