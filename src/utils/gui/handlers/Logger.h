#pragma once

#include <QString>

#include <ostream>
#include <source_location>
#include <string_view>

namespace utils {

// Diagnostic lines on standard output: "yyyy/MM/dd HH:mm:ss Class: method: message".
// A failure while writing switches logging off for the rest of the run.
class Logger
{
public:
    Logger() = delete;

    // Who called log(): the simple class name (no namespace, no template arguments) and
    // the method name. A lambda reports the function it was written in.
    struct Caller
    {
        QString className;
        QString methodName;
    };

    static void log(const QString& message,
                    std::source_location caller = std::source_location::current());

    // Logs the message the first time this run that `what` (a key and its value, say)
    // is reported; a value read again on every refresh gives one line, not one a second.
    static void logOnce(const QString& what, const QString& message,
                        std::source_location caller = std::source_location::current());

    // A value as a log line quotes it: cut to a readable length, with its full length
    // when it was cut.
    static QString excerpt(const QString& value);

    static bool isLogging();

    // Splits a compiler-generated function signature (as in
    // std::source_location::function_name()) into class and method. A function outside any
    // class reports the base name of its source file as the class.
    static Caller describeCaller(std::string_view functionName, std::string_view fileName);

    // Redirects the lines (tests); nullptr restores standard output.
    static void setStream(std::ostream* stream);
    // Re-enables logging after a failure and restores standard output (tests only).
    static void resetForTesting();
};

} // namespace utils
