#include "vantor/clocks/DayStateCue.h"

#include <QPainter>
#include <QPainterPath>

namespace vantor {

namespace {

// Each colour is picked for the background of its scheme: the light window (about
// #efefef) or the dark cards (#2d2d30).
QColor colorOf(DayState state, bool dark)
{
    switch (state) {
    case DayState::Working:
        return dark ? QColor(88, 204, 110) : QColor(30, 140, 60);
    case DayState::Outside:
        return dark ? QColor(240, 170, 50) : QColor(190, 110, 0);
    case DayState::Night:
        return dark ? QColor(140, 165, 255) : QColor(40, 60, 160);
    case DayState::DayOff:
        break;
    }
    return dark ? QColor(160, 160, 160) : QColor(120, 120, 120);
}

} // namespace

DayStateCue::DayStateCue(int diameter, bool dark, QWidget* parent)
    : QWidget(parent), diameter_(diameter), dark_(dark)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void DayStateCue::setState(DayState state)
{
    if (state != state_) {
        state_ = state;
        update();
    }
}

QSize DayStateCue::sizeHint() const
{
    return {diameter_, diameter_};
}

void DayStateCue::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = colorOf(state_, dark_);
    const qreal pen = std::max(1.5, diameter_ / 6.0);
    const QRectF disc = QRectF(0, 0, diameter_, diameter_).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    switch (state_) {
    case DayState::Working:
        painter.drawEllipse(disc);
        break;
    case DayState::Outside:
        painter.setPen(QPen(color, pen));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(disc.adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2));
        break;
    case DayState::Night: {
        // The disc less one shifted towards the top trailing side: a crescent.
        QPainterPath moon;
        moon.addEllipse(disc);
        QPainterPath bite;
        const qreal shift = diameter_ * 0.38;
        bite.addEllipse(disc.translated(layoutDirection() == Qt::RightToLeft ? -shift : shift,
                                        -diameter_ * 0.18));
        painter.drawPath(moon.subtracted(bite));
        break;
    }
    case DayState::DayOff: {
        const qreal height = std::max(2.0, diameter_ / 3.5);
        painter.drawRoundedRect(
            QRectF(disc.left(), disc.center().y() - height / 2, disc.width(), height), height / 2,
            height / 2);
        break;
    }
    }
}

} // namespace vantor
