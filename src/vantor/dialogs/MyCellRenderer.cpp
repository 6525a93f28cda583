#include "vantor/dialogs/MyCellRenderer.h"

#include "utils/objects/constants/StandardColors.h"

#include <QAbstractItemView>
#include <QDragMoveEvent>
#include <QPainter>
#include <QStyle>

namespace vantor {

using utils::StandardColors;

MyCellRenderer::MyCellRenderer(QAbstractItemView* view)
    : QStyledItemDelegate(view), view_(view), viewport_(view->viewport())
{
    viewport_->installEventFilter(this);
}

QColor MyCellRenderer::rowBackground(bool dropTarget, bool selected)
{
    if (dropTarget) {
        return StandardColors::DROP;
    }
    return selected ? StandardColors::SHADE : StandardColors::HIGHLIGHT;
}

int MyCellRenderer::dropRowAt(const QPoint& position) const
{
    const QModelIndex index = view_->indexAt(position);
    if (!index.isValid()) {
        return -1;
    }
    // Near the top or bottom edge a drop goes between rows, as the views decide it.
    const QRect rect = view_->visualRect(index);
    const int margin = qBound(2, qRound(rect.height() / 5.5), 12);
    if (position.y() - rect.top() < margin || rect.bottom() - position.y() < margin) {
        return -1;
    }
    return index.row();
}

void MyCellRenderer::setDropRow(int row)
{
    if (row != dropRow_) {
        dropRow_ = row;
        viewport_->update();
    }
}

bool MyCellRenderer::eventFilter(QObject* watched, QEvent* event)
{
    // Compared with the stored pointer: the viewport still sends events while the view
    // around it is being destroyed.
    if (watched == viewport_) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            setDropRow(dropRowAt(static_cast<QDropEvent*>(event)->position().toPoint()));
            break;
        case QEvent::DragLeave:
        case QEvent::Drop:
            setDropRow(-1);
            break;
        default:
            break;
        }
    }
    return QStyledItemDelegate::eventFilter(watched, event);
}

void MyCellRenderer::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    painter->save();
    painter->fillRect(option.rect, rowBackground(index.row() == dropRow_, selected));
    painter->setPen(StandardColors::HIGHLIGHT_TEXT);
    painter->setFont(option.font);
    const int margin = option.fontMetrics.horizontalAdvance(QLatin1Char(' '));
    const QRect textRect = option.rect.adjusted(margin, 0, -margin, 0);
    const Qt::Alignment leading =
        QStyle::visualAlignment(view_->layoutDirection(), Qt::AlignLeading);
    const QString text = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                       Qt::ElideRight, textRect.width());
    painter->drawText(textRect, int(leading | Qt::AlignVCenter), text);
    painter->restore();
}

} // namespace vantor
