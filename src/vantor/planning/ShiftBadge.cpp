#include "vantor/planning/ShiftBadge.h"

#include "utils/objects/constants/StandardColors.h"

#include <QMouseEvent>
#include <QPainter>

namespace vantor {

ShiftBadge::ShiftBadge(QWidget* window) : QLabel(window)
{
    setObjectName(QStringLiteral("shiftBadge"));
    setCursor(Qt::PointingHandCursor);
    // A rounded pill, painted here: a style sheet would cost every start a style engine.
    setContentsMargins(7, 1, 7, 1);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, utils::StandardColors::HIGHLIGHT_TEXT);
    setPalette(palette);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    small.setBold(true);
    setFont(small);
    noteTimer_.setSingleShot(true);
    noteTimer_.setInterval(NOTE_MS);
    connect(&noteTimer_, &QTimer::timeout, this, [this] { setShown(shift_, hint_); });
    hide();
}

void ShiftBadge::showShift(const QString& text, const QString& hint)
{
    shift_ = text;
    hint_ = hint;
    noteTimer_.stop();
    setShown(text, hint);
}

void ShiftBadge::showNote(const QString& text)
{
    setShown(text, hint_);
    noteTimer_.start();
}

void ShiftBadge::setShown(const QString& text, const QString& hint)
{
    if (text.isEmpty()) {
        // Screen readers may still list a hidden label; an empty one says nothing.
        clear();
        setAccessibleName(QString());
        hide();
        return;
    }
    setText(text);
    adjustSize();
    setToolTip(hint);
    setAccessibleName(text);
    setAccessibleDescription(hint);
    show();
}

void ShiftBadge::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(utils::StandardColors::HIGHLIGHT);
        const qreal radius = height() / 2.0;
        painter.drawRoundedRect(QRectF(rect()), radius, radius);
    }
    QLabel::paintEvent(event);
}

void ShiftBadge::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void ShiftBadge::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

} // namespace vantor
