#pragma once

#include <QString>

#include <ostream>
#include <source_location>

namespace utils {

// Diagnostic lines on standard output: "yyyy/MM/dd HH:mm:ss Class: method: message".
// A failure while writing switches logging off for the rest of the run.
class Logger
{
public:
    Logger() = delete;

    static void log(const QString& message,
                    std::source_location caller = std::source_location::current());

    static bool isLogging();

    // Redirects the lines (tests); nullptr restores standard output.
    static void setStream(std::ostream* stream);
    // Re-enables logging after a failure (tests only).
    static void resetForTesting();
};

} // namespace utils
