#include "utils/gui/components/MyJComboBox.h"

#include "utils/gui/components/ComboAccessible.h"
#include "utils/gui/components/LayoutUtils.h"

#include <QAbstractItemModel>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QWheelEvent>

namespace utils {

MyJComboBox::MyJComboBox(const QStringList& items, ActionListener listener)
    : MyJComboBox(items, std::move(listener), 0, DEFAULT_SIZE, true)
{}

MyJComboBox::MyJComboBox(const QStringList& items, ActionListener listener, int selectedIndex)
    : MyJComboBox(items, std::move(listener), selectedIndex, DEFAULT_SIZE, true)
{}

MyJComboBox::MyJComboBox(const QStringList& items, ActionListener listener, int selectedIndex,
                         QSize preferredSize)
    : MyJComboBox(items, std::move(listener), selectedIndex, preferredSize, true)
{}

MyJComboBox::MyJComboBox(const QStringList& items, ActionListener listener, int selectedIndex,
                         bool enabled)
    : MyJComboBox(items, std::move(listener), selectedIndex, DEFAULT_SIZE, enabled)
{}

MyJComboBox::MyJComboBox(const QStringList& items, ActionListener listener, QSize preferredSize)
    : MyJComboBox(items, std::move(listener), 0, preferredSize, true)
{}

MyJComboBox::MyJComboBox(const QStringList& items, ActionListener listener, bool enabled)
    : MyJComboBox(items, std::move(listener), 0, DEFAULT_SIZE, enabled)
{}

MyJComboBox::MyJComboBox(const QStringList& items, ActionListener listener, int selectedIndex,
                         QSize preferredSize, bool enabled)
    : listener_(std::move(listener)), preferredSize_(preferredSize),
      alignment_(LayoutUtils::textAlignment())
{
    ComboAccessible::install();
    setEditable(false);
    // Some styles draw the list like a menu and ignore the rows' alignment; the plain item
    // delegate (and the row renderers windows derive from it) keep it.
    setItemDelegate(new QStyledItemDelegate(this));
    // Rows added later (a window filling the box after building it) line up as well.
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& parent, int first, int last) {
                if (!parent.isValid()) {
                    alignRows(first, last);
                }
            });
    addItems(items);
    setEnabled(enabled);
    if (!items.isEmpty()) {
        // An index past the end falls back to the first item; -1 asks for no selection.
        const bool valid = selectedIndex >= -1 && selectedIndex < items.size();
        setCurrentIndex(valid ? selectedIndex : 0);
    }
    connect(this, &QComboBox::activated, this, &MyJComboBox::notifyListener);
}

// QComboBox draws its current text with the alignment of the current row as well.
void MyJComboBox::alignRows(int first, int last)
{
    const Qt::Alignment alignment = alignment_ | Qt::AlignVCenter;
    for (int row = first; row <= last; ++row) {
        setItemData(row, QVariant::fromValue(alignment), Qt::TextAlignmentRole);
    }
}

void MyJComboBox::setSelectedIndex(int index)
{
    setCurrentIndex(index);
    notifyListener();
}

void MyJComboBox::selectValue(const QVariant& value, int row)
{
    int index = findData(value);
    if (index < 0) {
        index = row < 0 || row > count() ? count() : row;
        insertItem(index, value.toString(), value);
    }
    setSelectedIndex(index);
}

void MyJComboBox::setPreferredSize(QSize size)
{
    preferredSize_ = size;
    updateGeometry();
}

void MyJComboBox::notifyListener()
{
    if (!listener_) {
        return;
    }
    // The listener may close and delete the window that owns this box.
    const ActionListener listener = listener_;
    listener(actionCommand_);
}

void MyJComboBox::mousePressEvent(QMouseEvent* event)
{
    if (readOnly_) {
        event->accept();
        return;
    }
    QComboBox::mousePressEvent(event);
}

void MyJComboBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (readOnly_) {
        event->accept();
        return;
    }
    QComboBox::mouseReleaseEvent(event);
}

void MyJComboBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (readOnly_) {
        event->accept();
        return;
    }
    QComboBox::mouseDoubleClickEvent(event);
}

#if QT_CONFIG(wheelevent)
void MyJComboBox::wheelEvent(QWheelEvent* event)
{
    if (readOnly_) {
        event->accept();
        return;
    }
    QComboBox::wheelEvent(event);
}
#endif

} // namespace utils
