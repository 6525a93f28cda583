#include "vantor/tray/TrayIconCheck.h"

#include "vantor/tray/WatcherBus.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QEvent>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace vantor {

namespace {

using watcherbus::BUS_TIMEOUT_MS;
using watcherbus::call;
using watcherbus::WATCHER;
using watcherbus::WATCHER_PATH;
// The name Qt gives the widget of an XEmbed tray icon.
const QString EMBED_WIDGET = QStringLiteral("QSystemTrayIconSys");

} // namespace

TrayIconCheck::TrayIconCheck(QSystemTrayIcon* icon, int waitMs) : QObject(icon)
{
    wait_.setSingleShot(true);
    connect(&wait_, &QTimer::timeout, this, &TrayIconCheck::timeUp);
    grace_.setSingleShot(true);
    grace_.setInterval(BUS_TIMEOUT_MS);
    connect(&grace_, &QTimer::timeout, this, [this] { finish(false); });

    // Other platforms' trays are of neither kind: no failure can be told there, so none is
    // reported.
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && !platform.startsWith(QLatin1String("wayland"))) {
        QMetaObject::invokeMethod(
            this, [this] { finish(true); }, Qt::QueuedConnection);
        return;
    }

    // The XEmbed window is exposed when the tray maps it; it may also be recreated when
    // the tray changes, so every window's expose is looked at, not one window's.
    qApp->installEventFilter(this);

    QDBusConnection bus = QDBusConnection::sessionBus();
    onBus_ = bus.isConnected();
    if (onBus_) {
        // Subscribed before asking, so a registration between the two is not missed.
        bus.connect(WATCHER, WATCHER_PATH, WATCHER, QStringLiteral("StatusNotifierItemRegistered"),
                    this, SLOT(itemRegistered(QString)));
        askWatcher();
    }
    wait_.start(waitMs);
}

TrayIconCheck::~TrayIconCheck()
{
    qApp->removeEventFilter(this);
}

void TrayIconCheck::whenFailed(QSystemTrayIcon* icon, QObject* context,
                               std::function<void()> onFailure)
{
    auto* check = new TrayIconCheck(icon);
    connect(check, &TrayIconCheck::finished, context,
            [onFailure = std::move(onFailure)](bool added) {
                if (!added) {
                    onFailure();
                }
            });
}

bool TrayIconCheck::embedded()
{
    const QWidgetList widgets = QApplication::topLevelWidgets();
    return std::any_of(widgets.begin(), widgets.end(), [](const QWidget* widget) {
        return widget->objectName() == EMBED_WIDGET && widget->windowHandle() != nullptr &&
               widget->windowHandle()->isExposed();
    });
}

bool TrayIconCheck::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && !done_ && watched->isWindowType() && embedded()) {
        // Reported from the event loop, not from inside the window's expose handling.
        QMetaObject::invokeMethod(
            this, [this] { finish(true); }, Qt::QueuedConnection);
    }
    return false;
}

void TrayIconCheck::itemRegistered(const QString& item)
{
    askOwner(item);
}

void TrayIconCheck::askWatcher()
{
    ask(call(WATCHER, WATCHER_PATH, QStringLiteral("org.freedesktop.DBus.Properties"),
             QStringLiteral("Get"), {WATCHER, QStringLiteral("RegisteredStatusNotifierItems")}),
        [this](const QDBusPendingCall& answer) {
            const QDBusPendingReply<QDBusVariant> items = answer;
            // No watcher on the bus is no answer: an XEmbed tray may still take the icon.
            if (items.isValid()) {
                for (const QString& item : items.value().variant().toStringList()) {
                    askOwner(item);
                }
            }
            return false;
        });
}

void TrayIconCheck::askOwner(const QString& item)
{
    // Watchers list an item as "service" or as "service/path"; the service is the
    // connection's unique name or a name it owns.
    const QString service = item.section(QLatin1Char('/'), 0, 0);
    if (done_ || service.isEmpty()) {
        return;
    }
    ask(call(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
             QStringLiteral("org.freedesktop.DBus"), QStringLiteral("GetConnectionUnixProcessID"),
             {service}),
        [this](const QDBusPendingCall& answer) {
            const QDBusPendingReply<uint> pid = answer;
            if (pid.isValid() &&
                static_cast<qint64>(pid.value()) == QCoreApplication::applicationPid()) {
                finish(true); // may have deleted this check
                return true;
            }
            return false;
        });
}

void TrayIconCheck::ask(const QDBusMessage& question,
                        const std::function<bool(const QDBusPendingCall&)>& read)
{
    ++pendingAnswers_;
    auto* reply = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(question, BUS_TIMEOUT_MS), this);
    connect(reply, &QDBusPendingCallWatcher::finished, this,
            [this, read](QDBusPendingCallWatcher* answer) {
                answer->deleteLater();
                if (!read(*answer)) {
                    answered();
                }
            });
}

void TrayIconCheck::answered()
{
    --pendingAnswers_;
    if (timeUp_ && pendingAnswers_ == 0) {
        finish(false);
    }
}

void TrayIconCheck::timeUp()
{
    timeUp_ = true;
    if (embedded()) {
        finish(true);
    } else if (onBus_) {
        // A watcher that does not announce registrations is asked once more.
        askWatcher();
        grace_.start();
    } else {
        finish(false);
    }
}

void TrayIconCheck::finish(bool added)
{
    if (done_) {
        return;
    }
    done_ = true;
    wait_.stop();
    grace_.stop();
    qApp->removeEventFilter(this);
    if (onBus_) {
        QDBusConnection::sessionBus().disconnect(WATCHER, WATCHER_PATH, WATCHER,
                                                 QStringLiteral("StatusNotifierItemRegistered"),
                                                 this, SLOT(itemRegistered(QString)));
    }
    // A receiver may open a modal box or delete the icon, and with it this check.
    const QPointer<TrayIconCheck> self(this);
    emit finished(added);
    if (self) {
        deleteLater();
    }
}

} // namespace vantor
