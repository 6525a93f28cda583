#include "vantor/clocks/ClockCard.h"

#include <QPainter>

namespace vantor {

ClockCard::ClockCard(const QColor& border, QWidget* parent) : ClockFrame(2, parent), border_(border)
{}

void ClockCard::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.setPen(border_);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    ClockFrame::paintEvent(event);
}

} // namespace vantor
