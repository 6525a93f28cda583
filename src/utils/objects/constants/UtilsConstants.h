#pragma once

#include <QString>

namespace utils {

struct UtilsConstants
{
    UtilsConstants() = delete;

    // Environment variables that may name the host for the About box.
    static inline const QString QUORVANE_PROGRAM_HOSTNAME =
        QStringLiteral("QUORVANE_PROGRAM_HOSTNAME");
    static inline const QString QUORVANE_PROGRAM_CANONICAL_HOSTNAME =
        QStringLiteral("QUORVANE_PROGRAM_CANONICAL_HOSTNAME");
};

} // namespace utils
