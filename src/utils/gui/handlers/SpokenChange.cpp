#include "utils/gui/handlers/SpokenChange.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QWidget>

namespace utils {

namespace {

// Where Qt's bridge puts its objects on the accessibility bus, and the connection it
// opens to that bus.
const QString objectPrefix = QStringLiteral("/org/a11y/atspi/accessible/");
const QString bridgeConnection = QStringLiteral("a11y");

} // namespace

void SpokenChange::nameChanged(QWidget* widget)
{
    if (!QAccessible::isActive()) {
        return;
    }
    QDBusConnection bus(bridgeConnection);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    if (!bus.isConnected() || accessible == nullptr) {
        return;
    }
    QDBusMessage event = QDBusMessage::createSignal(
        objectPrefix + QString::number(QAccessible::uniqueId(accessible)),
        QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("PropertyChange"));
    // The sender's application, as the bridge gives it with each of its events.
    QDBusArgument application;
    application.beginStructure();
    application << bus.baseService() << QDBusObjectPath(objectPrefix + QStringLiteral("root"));
    application.endStructure();
    event << QStringLiteral("accessible-name") << 0 << 0
          << QVariant::fromValue(QDBusVariant(accessible->text(QAccessible::Name)))
          << QVariant::fromValue(application);
    bus.send(event);
}

} // namespace utils
