#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QLocale>
#include <QString>

class QFont;
class QFrame;
class QWidget;

namespace utils {

// Separator rows for ConstraintLayout panels, where the packed images live, and the
// reading direction of a locale.
class LayoutUtils
{
public:
    LayoutUtils() = delete;

    // Colour of the caption labels the text forms of addSeparator() create.
    static inline const QColor LABEL_COLOR = QColor(0, 70, 213);
    // Root of the packed images and language tables.
    static inline const QString RESOURCE_ROOT = QStringLiteral(":/com/quorvane/");

    // Adds the component and a horizontal line to the panel's ConstraintLayout as one row:
    // the line follows the caption and fills the rest of the width, and the row ends.
    // Returns the line, or nullptr (with a warning) when the panel has no ConstraintLayout.
    static QFrame* addSeparator(QWidget* panel, QWidget* component);
    // The same with a caption label in LABEL_COLOR made from the text; the row stays open
    // for further components.
    static QFrame* addSeparator(QWidget* panel, const QString& caption);
    static QFrame* addSeparator(QWidget* panel, const QString& caption, const QFont& font);

    // "images/16/exit.gif" -> ":/com/quorvane/images/16/exit.gif". A path that already
    // names a resource (":/...") is returned as it is.
    static QString resourcePath(const QString& path);
    // The packed image at the path; a null icon (and a diagnostic line) when there is none.
    static QIcon loadIcon(const QString& path);
    // The image in the file, decoded by the format its name ends in; null when unreadable.
    static QImage readImage(const QString& fileName);

    // Arabic, Persian, Hebrew ("he" or the old "iw") and Urdu read right to left; every
    // other language, Pashto and Sindhi included, left to right.
    static bool isRightToLeft(const QLocale& locale = QLocale());
    static Qt::LayoutDirection layoutDirection(const QLocale& locale = QLocale());
    // Horizontal text alignment for that direction, fixed to the physical side, so that
    // a widget mirrored by its own layout direction does not turn it round again.
    static Qt::Alignment textAlignment(const QLocale& locale = QLocale());

    // The largest size a top-level window can take on the available area of its screen,
    // less the window manager's frame; invalid when there is no screen.
    static QSize roomOnScreen(const QWidget* window);
    // Gives a top-level window the size it wants and moves it, as little as needed, so
    // that all of it lies on the available area of its screen. Only a window larger
    // than that area is cut to it; then the result is false.
    static bool fitOnScreen(QWidget* window, const QSize& wanted);
    // Each time the window is shown, it is fitted to the available area of its screen as
    // fitOnScreen() does, at the size it had when first shown; again once the window
    // manager's frame is known. A fixed-size window stays fixed at the size it gets; a
    // resizable one keeps its minimum size as far as the screen allows.
    static void keepOnScreen(QWidget* window);
    // Lays the window out as the content above the buttons. The content sits in a scroll
    // area without a frame, showing the window's background, that scrolls only where
    // keepOnScreen() cuts the window; the buttons stay below it, always in reach.
    static void setScrollingContent(QWidget* window, QWidget* content, QWidget* buttons);
    // Disabled widgets inside keep the colours of enabled ones: a window that is
    // disabled while a box is open still shows its texts as they are.
    static void keepColorsWhenDisabled(QWidget* widget);

    // Where setColors puts its colours: the window roles only (window text, window), so
    // children such as buttons keep their own look; or the text, field and button roles
    // too.
    enum class ColorRoles
    {
        Window,
        All
    };
    // Gives a widget its text and background colours; an invalid colour leaves its roles
    // as they are. With fill, a widget given a background also paints it.
    static void setColors(QWidget* widget, const QColor& text, const QColor& background,
                          ColorRoles roles = ColorRoles::Window, bool fill = false);
};

} // namespace utils
