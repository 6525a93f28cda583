#include "utils/gui/components/BlankIcon.h"

#include <QPainter>

#include <algorithm>

namespace utils {

BlankIcon::BlankIcon(const QColor& fillColor, int size)
    : fillColor_(fillColor), size_(std::max(size, 0))
{}

QPixmap BlankIcon::pixmap() const
{
    if (size_ == 0) {
        return {};
    }
    QPixmap pixmap(size_, size_);
    pixmap.fill(Qt::transparent);
    if (fillColor_.isValid() && size_ > 1) {
        // One pixel short on the right and bottom, so neighbouring squares stay apart.
        QPainter painter(&pixmap);
        painter.fillRect(0, 0, size_ - 1, size_ - 1, fillColor_);
    }
    return pixmap;
}

QIcon BlankIcon::icon() const
{
    const QPixmap image = pixmap();
    return image.isNull() ? QIcon() : QIcon(image);
}

} // namespace utils
