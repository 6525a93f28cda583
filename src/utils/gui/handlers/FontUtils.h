#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace utils {

// Text measuring and the start-up font adjustment.
class FontUtils
{
public:
    FontUtils() = delete;

    // Advance width of the text, in pixels, in the widget's current font.
    static int getStringWidth(const QString& text, const QWidget* component);
    // Advance width and bounding-rectangle height of the text in the widget's font.
    static QSize getDimension(const QString& text, const QWidget* component);

    // Makes the application font and the per-class fonts plain, of the default family,
    // at the given point size. Runs before any window exists.
    static void handleAdjustFontRemoveBold(int size);

    // The stored size clamped to what can be shown; a clamped value is logged once.
    static int usableFontSize(int size, const QString& settingName, int min = 6, int max = 48);
};

} // namespace utils
