#include "vantor/tray/TrayWait.h"

#include "vantor/tray/WatcherBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QSystemTrayIcon>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace vantor {

namespace {

using watcherbus::BUS_TIMEOUT_MS;
using watcherbus::WATCHER;
using watcherbus::WATCHER_PATH;
const QString HOST_REGISTERED = QStringLiteral("StatusNotifierHostRegistered");

std::uint32_t internAtom(xcb_connection_t* x, const QByteArray& name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(
            x, xcb_intern_atom(x, 0, static_cast<std::uint16_t>(name.size()), name.constData()),
            nullptr),
        &std::free);
    return reply ? reply->atom : 0;
}

} // namespace

TrayWait::TrayWait(QObject* parent, int waitMs) : QObject(parent), waitMs_(waitMs)
{
    wait_.setSingleShot(true);
    connect(&wait_, &QTimer::timeout, this, &TrayWait::notFound);
}

TrayWait::~TrayWait()
{
    finish();
}

void TrayWait::start()
{
    // Elsewhere a tray cannot be watched for, and Qt's answer is final.
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && !platform.startsWith(QLatin1String("wayland"))) {
        done_ = true;
        if (QSystemTrayIcon::isSystemTrayAvailable()) {
            emit found();
        } else {
            emit notFound();
        }
        return;
    }
    // Watched before looking, so a tray that comes in between is not missed.
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        x_ = x11->connection();
        char* host = nullptr;
        int display = 0;
        int screen = 0;
        if (xcb_parse_display(qgetenv("DISPLAY").constData(), &host, &display, &screen) == 0) {
            screen = 0;
        }
        std::free(host);
        managerAtom_ = internAtom(x_, QByteArrayLiteral("MANAGER"));
        selectionAtom_ =
            internAtom(x_, QByteArrayLiteral("_NET_SYSTEM_TRAY_S") + QByteArray::number(screen));
        qApp->installNativeEventFilter(this);
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        busWatch_ =
            new QDBusServiceWatcher(WATCHER, bus, QDBusServiceWatcher::WatchForRegistration, this);
        connect(busWatch_, &QDBusServiceWatcher::serviceRegistered, this, &TrayWait::askBusHost);
        bus.connect(WATCHER, WATCHER_PATH, WATCHER, HOST_REGISTERED, this, SLOT(hostRegistered()));
    }

    if (xembedTrayOwned()) {
        finish();
        emit found();
        return;
    }
    wait_.start(waitMs_);
    if (busWatch_ != nullptr && bus.interface()->isServiceRegistered(WATCHER)) {
        askBusHost();
    }
}

bool TrayWait::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/)
{
    if (done_ || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE) {
        const auto* manager = static_cast<const xcb_client_message_event_t*>(message);
        if (manager->format == 32 && manager->type == managerAtom_ &&
            manager->data.data32[1] == selectionAtom_) {
            // Told from the event loop, not from inside Qt's event dispatch.
            QMetaObject::invokeMethod(this, &TrayWait::hostRegistered, Qt::QueuedConnection);
        }
    }
    return false;
}

void TrayWait::hostRegistered()
{
    if (done_) {
        return;
    }
    finish();
    emit found();
}

bool TrayWait::xembedTrayOwned() const
{
    if (x_ == nullptr || selectionAtom_ == 0) {
        return false;
    }
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> reply(
        xcb_get_selection_owner_reply(x_, xcb_get_selection_owner(x_, selectionAtom_), nullptr),
        &std::free);
    return reply && reply->owner != XCB_NONE;
}

void TrayWait::askBusHost()
{
    const QDBusMessage question = watcherbus::call(
        WATCHER, WATCHER_PATH, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"), {WATCHER, QStringLiteral("IsStatusNotifierHostRegistered")});
    auto* answer = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(question, BUS_TIMEOUT_MS), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                const QDBusPendingReply<QDBusVariant> hosted = *call;
                // A watcher without a host yet announces the host when it comes.
                if (hosted.isValid() && hosted.value().variant().toBool()) {
                    hostRegistered();
                }
            });
}

void TrayWait::finish()
{
    if (done_) {
        return;
    }
    done_ = true;
    wait_.stop();
    if (x_ != nullptr) {
        qApp->removeNativeEventFilter(this);
    }
    if (busWatch_ != nullptr) {
        QDBusConnection::sessionBus().disconnect(WATCHER, WATCHER_PATH, WATCHER, HOST_REGISTERED,
                                                 this, SLOT(hostRegistered()));
        busWatch_->deleteLater();
        busWatch_ = nullptr;
    }
}

} // namespace vantor
