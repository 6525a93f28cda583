#pragma once

#include <QColor>

namespace utils {

// The named colours every window uses. Text colours keep at least 4.5:1 contrast
// against the background they are drawn on: NAME and BASE on the light window
// background (about #efefef), LIGHT_TEXT, AHEAD on BASE, HIGHLIGHT_TEXT and LIGHT_TEXT
// on SHADE, HIGHLIGHT_TEXT on HIGHLIGHT and DROP.
struct StandardColors
{
    StandardColors() = delete;

    static inline const QColor NAME{0, 51, 153};              // captions, light scheme
    static inline const QColor LIGHT_TEXT{236, 236, 236};     // texts in the dark scheme
    static inline const QColor BASE{45, 45, 48};              // dark background; light-scheme text
    static inline const QColor AHEAD{255, 138, 250};          // later date, dark scheme
    static inline const QColor SHADE{60, 60, 64};             // dark menus and dialog panels
    static inline const QColor HIGHLIGHT_TEXT{222, 222, 222}; // dark dialog label texts
    static inline const QColor HIGHLIGHT{50, 90, 150};        // card lines, selected rows
    static inline const QColor DROP{0, 84, 180};              // drop rows; links, darkened
    static inline const QColor WINDOW{28, 28, 30};            // dark window background
};

} // namespace utils
