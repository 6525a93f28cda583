#pragma once

#include <QString>
#include <QStringList>

namespace vantor {

// Keys, defaults and command names of the application's own settings.
struct MyConstants
{
    MyConstants() = delete;

    static inline const QString KEY_DATE_PATTERN = QStringLiteral("DatePattern");
    static inline const QString KEY_TIME_PATTERN = QStringLiteral("TimePattern");
    static inline const QString KEY_TIME_FONT_WIDTH = QStringLiteral("TimeFontWidth");
    static inline const QString KEY_VERTICAL_LAYOUT = QStringLiteral("VerticalLayout");
    static inline const QString KEY_ROUND_FLAGS = QStringLiteral("RoundFlags");
    static inline const QString KEY_ON_TASKBAR = QStringLiteral("OnTaskBar");
    static inline const QString KEY_ALWAYS_ON_TOP = QStringLiteral("AlwaysOnTop");
    static inline const QString KEY_DARK_MODE = QStringLiteral("DarkMode");
    static inline const QString KEY_TIME_ZONES = QStringLiteral("TimeZones");

    static inline const QString DEFAULT_DATE_PATTERN = QStringLiteral("yyyy-MM-dd");
    static inline const QString DEFAULT_TIME_PATTERN = QStringLiteral("h:mm a");
    static constexpr int DEFAULT_FONT_WIDTH = 18;

    // Four zone lists; the default list is the local zone followed by one of them.
    static inline const QStringList DEFAULT_TIME_ZONES = {
        QStringLiteral("America/New_York;Europe/London;Australia/Sydney"),
        QStringLiteral("America/Los_Angeles;Europe/London;Australia/Sydney"),
        QStringLiteral("America/New_York;Europe/Berlin;Australia/Sydney"),
        QStringLiteral("America/New_York;Europe/London;Asia/Hong_Kong"),
    };

    static inline const QString TimeZonesCmd = QStringLiteral("TimeZones");
    static inline const QString SettingsCmd = QStringLiteral("Settings");
    // Save in both dialogs.
    static inline const QString SaveFileCmd = QStringLiteral("SaveFile");
};

} // namespace vantor
