#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace utils {

// An empty square icon: it keeps the room of an image (menu entries without a picture line
// up with those that have one), optionally filled with a colour.
class BlankIcon
{
public:
    static constexpr int DEFAULT_SIZE = 16;

    // Transparent, DEFAULT_SIZE pixels.
    BlankIcon() = default;
    // An invalid colour paints nothing; a size below 1 gives an empty icon.
    BlankIcon(const QColor& fillColor, int size);

    QColor fillColor() const { return fillColor_; }
    int size() const { return size_; }
    int iconWidth() const { return size_; }
    int iconHeight() const { return size_; }

    QPixmap pixmap() const;
    QIcon icon() const;
    operator QIcon() const { return icon(); }

private:
    QColor fillColor_;
    int size_ = DEFAULT_SIZE;
};

} // namespace utils
