#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QTimer>

#include <cstdint>

class QDBusServiceWatcher;
struct xcb_connection_t;

namespace vantor {

// Waits for a desktop tray that can take an icon: an XEmbed tray owning the screen's
// _NET_SYSTEM_TRAY_S<n> selection, or a StatusNotifierWatcher on the session bus with a
// host registered. At login the panel often starts after the programs of the session.
//
// Qt decides only once per process whether the bus has a tray, the first time a tray icon
// is made or QSystemTrayIcon::isSystemTrayAvailable() is asked; asked before the panel is
// up, it would never use the bus. So this looks at both protocols itself, and the icon is
// made only once found() has come.
//
// Nothing is polled: the XEmbed tray announces itself to every client with a MANAGER
// message on the root window, the bus announces the watcher's name, and the watcher
// announces its host.
class TrayWait : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // A desktop at login brings up its panel within seconds; after this the user is told.
    static constexpr int DEFAULT_WAIT_MS = 30000;

    explicit TrayWait(QObject* parent, int waitMs = DEFAULT_WAIT_MS);
    ~TrayWait() override;

    // Emits found() before it returns when an XEmbed tray is there already, and soon after
    // when the bus has one; otherwise watches. Where no tray can be watched for (platforms
    // other than xcb and Wayland), emits found() or notFound() at once, as Qt answers.
    void start();

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // Once, when a tray is there; the watching ends with it.
    void found();
    // Once, when no tray came within the wait; the watching goes on, and found() may follow.
    void notFound();

private slots:
    void hostRegistered();

private:
    bool xembedTrayOwned() const;
    bool busHostRegistered() const;
    void askBusHost();
    void finish();

    int waitMs_;
    QTimer wait_;
    QDBusServiceWatcher* busWatch_ = nullptr;
    xcb_connection_t* x_ = nullptr;
    std::uint32_t managerAtom_ = 0;
    std::uint32_t selectionAtom_ = 0;
    bool done_ = false;
};

} // namespace vantor
