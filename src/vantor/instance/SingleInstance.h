#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <optional>

class QDBusConnection;
class QLocalServer;
class QLocalSocket;
class QWidget;

namespace vantor {

// One running program per user, display and settings folder: two copies on one settings
// file would each save the zone list they read at their start and lose the other's
// changes. The first start takes a name on the session bus, or where there is none a
// local socket; a later start asks that one to bring its window to the front and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.quorvane.Vantor.Instance")

public:
    enum class Claim
    {
        First,      // this process is the one to run
        HandedOver, // another runs and has brought its window to the front
        NoAnswer,   // another runs but did not answer
    };

    SingleInstance();
    ~SingleInstance() override;

    // Call once, before building the window.
    Claim claim();
    // The window a later start brings to the front; a request that came before the
    // window existed is served now.
    void setWindow(QWidget* window);

public slots:
    // What a later start calls over the bus (hence the D-Bus spelling).
    Q_SCRIPTABLE void Show();

private:
    // An outcome, or none when the running program went away meanwhile and the claim
    // should be tried again.
    std::optional<Claim> claimOnBus(QDBusConnection& bus);
    std::optional<Claim> claimOnSocket();
    static std::optional<Claim> handOver(QLocalSocket& socket);
    void answer();
    void bringToFront();

    QString busName() const;

    // Names this user's program on this display with these settings.
    const QString key_;
    QLocalServer* server_ = nullptr;
    QPointer<QWidget> window_;
    bool showRequested_ = false;
};

} // namespace vantor
