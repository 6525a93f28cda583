#include "utils/gui/components/ImageLabel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace utils {

ImageLabel::ImageLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{}

void ImageLabel::setIcon(const QIcon& icon, int size)
{
    icon_ = icon;
    iconSize_ = size;
    updateMargins();
    update();
}

void ImageLabel::updateMargins()
{
    // The image sits in the leading margin, so QLabel lays out and measures the text as usual.
    const int room = icon_.isNull() ? 0 : iconSize_ + ICON_GAP;
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    setContentsMargins(rtl ? 0 : room, 0, rtl ? room : 0, 0);
    setMinimumHeight(icon_.isNull() ? 0 : iconSize_);
}

void ImageLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LayoutDirectionChange) {
        updateMargins();
    }
    QLabel::changeEvent(event);
}

void ImageLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (icon_.isNull()) {
        return;
    }
    // Next to the text, wherever the alignment puts it.
    const QRect text = contentsRect();
    const int textWidth = fontMetrics().horizontalAdvance(this->text());
    const QRect aligned = QStyle::alignedRect(
        layoutDirection(), alignment(), QSize(qMin(textWidth, text.width()), text.height()), text);
    const int x = layoutDirection() == Qt::RightToLeft ? aligned.right() + 1 + ICON_GAP
                                                       : aligned.left() - ICON_GAP - iconSize_;
    const int y = (height() - iconSize_) / 2;
    QPainter painter(this);
    icon_.paint(&painter, QRect(x, y, iconSize_, iconSize_));
}

} // namespace utils
