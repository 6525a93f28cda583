#include "vantor/clocks/ClockFrame.h"

#include "utils/gui/handlers/SpokenChange.h"
#include "vantor/clocks/DayStateCue.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QPainter>

namespace vantor {

namespace {

// Lines, and the working-hours mark, whose state the clock's name says in words.
bool isDecoration(const QObject* object)
{
    const auto* frame = qobject_cast<const QFrame*>(object);
    return qobject_cast<const DayStateCue*>(object) != nullptr ||
           (frame != nullptr &&
            (frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine));
}

// A clock as screen readers see it: the texts it shows, not the line beside its city,
// which a reader would announce as an unnamed frame.
class ClockAccessible : public QAccessibleWidget
{
public:
    explicit ClockAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Grouping) {}

    int childCount() const override { return int(shown().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = shown();
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children.at(index))
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child != nullptr ? int(shown().indexOf(child->object())) : -1;
    }

private:
    QList<QWidget*> shown() const
    {
        QList<QWidget*> children;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child != nullptr && !child->isWindow() && !child->isHidden() &&
                !isDecoration(child)) {
                children.append(child);
            }
        }
        return children;
    }
};

QAccessibleInterface* clockInterface(const QString& /*className*/, QObject* object)
{
    auto* frame = qobject_cast<ClockFrame*>(object);
    return frame != nullptr ? new ClockAccessible(frame) : nullptr;
}

} // namespace

ClockFrame::ClockFrame(int focusInset, QWidget* parent) : QWidget(parent), focusInset_(focusInset)
{
    // Clicks focus the clock too, so that the keys then act where the user pointed.
    setFocusPolicy(Qt::StrongFocus);
}

void ClockFrame::installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(clockInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

void ClockFrame::setSpokenName(const QString& name, bool announce)
{
    if (name == accessibleName()) {
        return;
    }
    setAccessibleName(name);
    if (announce && hasFocus()) {
        utils::SpokenChange::nameChanged(this);
    }
}

void ClockFrame::paintEvent(QPaintEvent* /*event*/)
{
    // As the desktop's own controls do: the frame shows where the keyboard moved the
    // focus, not after every click.
    if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        return;
    }
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 2, Qt::DotLine));
    painter.drawRect(QRectF(rect()).adjusted(focusInset_, focusInset_, -focusInset_, -focusInset_));
}

void ClockFrame::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void ClockFrame::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

} // namespace vantor
