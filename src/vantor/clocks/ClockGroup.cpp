#include "vantor/clocks/ClockGroup.h"

#include "vantor/clocks/ClockCard.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace vantor {

namespace {

QAccessibleInterface* clockInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String(ClockGroup::staticMetaObject.className()) ||
        className == QLatin1String(ClockCard::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Grouping);
    }
    return nullptr;
}

} // namespace

void ClockGroup::installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(clockInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace vantor
