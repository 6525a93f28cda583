#pragma once

#include <QDBusMessage>
#include <QString>
#include <QVariantList>

namespace vantor::watcherbus {

// The desktop's registry of StatusNotifierItems on the session bus.
inline const QString WATCHER = QStringLiteral("org.kde.StatusNotifierWatcher");
inline const QString WATCHER_PATH = QStringLiteral("/StatusNotifierWatcher");
// Bounds each question to the bus, so a hung watcher cannot hold the answer back.
constexpr int BUS_TIMEOUT_MS = 1000;

// A question to the bus that does not start a service the desktop did not start.
inline QDBusMessage call(const QString& service, const QString& path, const QString& interface,
                         const QString& method, const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    message.setAutoStartService(false);
    return message;
}

} // namespace vantor::watcherbus
