#pragma once

#include <QColor>
#include <QStyledItemDelegate>

class QAbstractItemView;

namespace vantor {

// Draws the rows of the dialogs' drop-down lists in the dark scheme: an opaque row with
// its text at the leading side, in the highlight text colour, on
// the drop colour (the row a drag would drop onto), the shade colour (selected) or the
// highlight colour (any other row).
class MyCellRenderer : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // Watches the view's drags so that it knows the drop row; the view owns the renderer.
    explicit MyCellRenderer(QAbstractItemView* view);

    static QColor rowBackground(bool dropTarget, bool selected);

    // The row a drop at the point (viewport coordinates) would land on; -1 between rows
    // (an insert position) and outside the rows.
    int dropRowAt(const QPoint& position) const;
    int dropRow() const { return dropRow_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setDropRow(int row);

    QAbstractItemView* view_;
    QWidget* viewport_;
    int dropRow_ = -1;
};

} // namespace vantor
