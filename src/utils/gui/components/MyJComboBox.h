#pragma once

#include "utils/gui/components/ActionListener.h"

#include <QComboBox>
#include <QSize>
#include <QStringList>
#include <QVariant>

namespace utils {

// A non-editable drop-down list of strings with a fixed preferred size. Its texts sit on
// the left for a left-to-right default locale and on the right for a right-to-left one.
//
// The listener hears every choice the user makes (mouse, keys, wheel; also choosing the
// item that was already selected) and every setSelectedIndex(), with actionCommand().
// Selections made while building, and plain setCurrentIndex() calls, are not reported.
class MyJComboBox : public QComboBox
{
    Q_OBJECT

public:
    static constexpr QSize DEFAULT_SIZE{50, 25};

    MyJComboBox(const QStringList& items, ActionListener listener);
    MyJComboBox(const QStringList& items, ActionListener listener, int selectedIndex);
    MyJComboBox(const QStringList& items, ActionListener listener, int selectedIndex,
                QSize preferredSize);
    MyJComboBox(const QStringList& items, ActionListener listener, int selectedIndex,
                QSize preferredSize, bool enabled);
    MyJComboBox(const QStringList& items, ActionListener listener, int selectedIndex, bool enabled);
    MyJComboBox(const QStringList& items, ActionListener listener, QSize preferredSize);
    MyJComboBox(const QStringList& items, ActionListener listener, bool enabled);

    // Selects the item and tells the listener, as a choice of the user would.
    void setSelectedIndex(int index);
    // Selects, as setSelectedIndex() does, the item whose data is the value. A value that no
    // item holds first gets an item of its own, showing the value as text, at the row (at
    // the end for -1): a setting stored outside the list is shown and kept as it is.
    void selectValue(const QVariant& value, int row = -1);

    // Empty unless set; windows that tell their boxes apart give each its own.
    QString actionCommand() const { return actionCommand_; }
    void setActionCommand(const QString& command) { actionCommand_ = command; }

    // The list can no longer be opened or changed with the mouse; keys still work.
    void setReadOnly(bool readOnly = true) { readOnly_ = readOnly; }
    bool isReadOnly() const { return readOnly_; }

    void setPreferredSize(QSize size);
    QSize preferredSize() const { return preferredSize_; }
    QSize sizeHint() const override { return preferredSize_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
#if QT_CONFIG(wheelevent)
    void wheelEvent(QWheelEvent* event) override;
#endif

private:
    void alignRows(int first, int last);
    void notifyListener();

    ActionListener listener_;
    QString actionCommand_;
    QSize preferredSize_;
    Qt::Alignment alignment_;
    bool readOnly_ = false;
};

} // namespace utils
