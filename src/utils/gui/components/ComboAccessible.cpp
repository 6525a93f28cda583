#include "utils/gui/components/ComboAccessible.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace utils {

namespace {

QAccessibleInterface* comboInterface(const QString& /*className*/, QObject* object)
{
    auto* combo = qobject_cast<QComboBox*>(object);
    return combo != nullptr ? new ComboAccessible(combo) : nullptr;
}

} // namespace

ComboAccessible::ComboAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox)
{}

void ComboAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(comboInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

QComboBox* ComboAccessible::combo() const
{
    return static_cast<QComboBox*>(widget());
}

void* ComboAccessible::interface_cast(QAccessible::InterfaceType type)
{
    // An editable drop-down has its own text field for readers to read.
    if (type == QAccessible::TextInterface && !combo()->isEditable()) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State ComboAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = combo()->view()->isVisible();
    state.collapsed = !state.expanded;
    state.editable = combo()->isEditable();
    return state;
}

QString ComboAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Value) {
        return combo()->currentText();
    }
    return QAccessibleWidget::text(type);
}

QList<QObject*> ComboAccessible::parts() const
{
    // The list it opens, and the field of an editable one.
    QList<QObject*> parts{combo()->view()};
    if (combo()->lineEdit() != nullptr) {
        parts.append(combo()->lineEdit());
    }
    return parts;
}

int ComboAccessible::childCount() const
{
    return int(parts().size());
}

QAccessibleInterface* ComboAccessible::child(int index) const
{
    const QList<QObject*> children = parts();
    return index >= 0 && index < children.size()
               ? QAccessible::queryAccessibleInterface(children.at(index))
               : nullptr;
}

int ComboAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    return child != nullptr ? int(parts().indexOf(child->object())) : -1;
}

QStringList ComboAccessible::actionNames() const
{
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void ComboAccessible::doAction(const QString& action)
{
    if (action == showMenuAction() || action == pressAction()) {
        combo()->showPopup();
        return;
    }
    QAccessibleWidget::doAction(action);
}

QString ComboAccessible::text(int startOffset, int endOffset) const
{
    return combo()->currentText().mid(startOffset, endOffset - startOffset);
}

int ComboAccessible::characterCount() const
{
    return int(combo()->currentText().size());
}

void ComboAccessible::selection(int /*selectionIndex*/, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = 0;
}

QString ComboAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    *startOffset = offset;
    *endOffset = offset;
    return {};
}

} // namespace utils
