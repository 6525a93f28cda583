#include "vantor/ShiftBadge.h"

#include "utils/objects/constants/StandardColors.h"

#include <QMouseEvent>

namespace vantor {

ShiftBadge::ShiftBadge(QWidget* window) : QLabel(window)
{
    setObjectName(QStringLiteral("shiftBadge"));
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; border-radius: 7px; "
                                 "padding: 1px 7px; }")
                      .arg(utils::StandardColors::HIGHLIGHT.name(),
                           utils::StandardColors::HIGHLIGHT_TEXT.name()));
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    small.setBold(true);
    setFont(small);
    hide();
}

void ShiftBadge::showShift(const QString& text, const QString& hint)
{
    if (text.isEmpty()) {
        // Screen readers may still list a hidden label; an empty one says nothing.
        clear();
        setAccessibleName(QString());
        hide();
        return;
    }
    setText(text);
    setToolTip(hint);
    setAccessibleName(text);
    setAccessibleDescription(hint);
    show();
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
