#pragma once

#include <QString>

namespace utils {

// Key names of the shared window and font settings.
struct GUIConstants
{
    GUIConstants() = delete;

    static inline const QString KEY_EDIT_WINDOW_WIDTH = QStringLiteral("EditWindowWidth");
    static inline const QString KEY_EDIT_WINDOW_HEIGHT = QStringLiteral("EditWindowHeight");
    static inline const QString KEY_MAIN_WINDOW_WIDTH = QStringLiteral("MainWindowWidth");
    static inline const QString KEY_MAIN_WINDOW_HEIGHT = QStringLiteral("MainWindowHeight");
    static inline const QString KEY_MAIN_WINDOW_POSX = QStringLiteral("MainWindowPosX");
    static inline const QString KEY_MAIN_WINDOW_POSY = QStringLiteral("MainWindowPosY");
    static inline const QString KEY_MAIN_TOOLBAR_POSITION = QStringLiteral("MainToolbarPosition");
    static inline const QString KEY_FONT_FIXED_WIDTH_SIZE = QStringLiteral("FontFixedWidthSize");
    static inline const QString KEY_FONT_VARIABLE_WIDTH_SIZE =
        QStringLiteral("FontVariableWidthSize");
    static inline const QString KEY_LARGE_FONT = QStringLiteral("LargeFont");
    static inline const QString KEY_BACKGROUND_IMAGE_SELECTION =
        QStringLiteral("BackGroundImageSelection");
    static inline const QString KEY_USER_SELECTED_IMAGE = QStringLiteral("UserSelectedImage");
    static inline const QString KEY_LAST_USER_DIR = QStringLiteral("LastUserDir");
    static inline const QString KEY_LAST_REPORT_DIR = QStringLiteral("LastReportDir");
    static inline const QString KEY_LOCALE = QStringLiteral("Locale");

    static constexpr int DEFAULT_FONT_SIZE = 12;
    // Above this variable-width size, or on a screen of LARGE_FONT_DPI or more, fonts count as
    // large.
    static constexpr int LARGE_FONT_SIZE_LIMIT = 15;
    static constexpr int LARGE_FONT_DPI = 105;
};

} // namespace utils
