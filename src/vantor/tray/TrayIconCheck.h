#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class QDBusMessage;
class QDBusPendingCall;
class QSystemTrayIcon;

namespace vantor {

// Finds out whether a tray icon that was shown really reached the desktop's tray.
// QSystemTrayIcon::isVisible() only echoes show(): on Linux the tray takes the icon later,
// or never, and Qt reports neither. The icon counts as added once
//  - an XEmbed tray has embedded its window (Qt maps that window only when the tray says
//    so, so the window becomes exposed), or
//  - org.kde.StatusNotifierWatcher lists an item owned by this process.
// Neither within the wait means the icon was not added. Both ways are watched, whichever
// Qt took: it does not tell. One tray icon per program is assumed, as the XEmbed window
// cannot be told apart from another icon's.
class TrayIconCheck : public QObject
{
    Q_OBJECT

public:
    // A tray answers a dock or register request within milliseconds; a desktop still
    // starting up may take a few seconds.
    static constexpr int DEFAULT_WAIT_MS = 5000;

    // Starts watching at once: create it right after icon->show(). It is a child of the
    // icon, reports finished() once and then deletes itself.
    explicit TrayIconCheck(QSystemTrayIcon* icon, int waitMs = DEFAULT_WAIT_MS);
    ~TrayIconCheck() override;

    // Runs onFailure once if the icon shown last does not reach a tray within the wait;
    // not at all once context is gone.
    static void whenFailed(QSystemTrayIcon* icon, QObject* context,
                           std::function<void()> onFailure);

signals:
    // added is true as soon as a tray shows the icon, false when the wait has run out.
    // On platforms other than xcb and Wayland it is true at once: nothing can be told there.
    void finished(bool added);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void itemRegistered(const QString& item);

private:
    static bool embedded();
    void askWatcher();
    void askOwner(const QString& item);
    // Sends the question; read takes the answer and returns true when it ended the check.
    void ask(const QDBusMessage& question,
             const std::function<bool(const QDBusPendingCall&)>& read);
    void answered();
    void timeUp();
    void finish(bool added);

    QTimer wait_;
    // After the wait, the last answers from the bus may still be on their way.
    QTimer grace_;
    int pendingAnswers_ = 0;
    bool onBus_ = false;
    bool timeUp_ = false;
    bool done_ = false;
};

} // namespace vantor
