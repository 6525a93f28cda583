#include "vantor/instance/SingleInstance.h"

#include "utils/gui/handlers/Logger.h"

#include <QCryptographicHash>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWidget>

#include <unistd.h>

namespace vantor {

namespace {

const QString NAME = QStringLiteral("com.quorvane.Vantor");
const QString OBJECT_PATH = QStringLiteral("/com/quorvane/Vantor");
const QByteArray REQUEST = "show\n";
const QByteArray ANSWER = "shown\n";
// A start waits this long for the running program, which may still be building its window.
constexpr int ANSWER_MS = 25000;
// Each try ends with an answer unless the running program ends just then.
constexpr int TRIES = 3;
// A local socket that is listened on accepts at once, even from a busy program.
constexpr int CONNECT_MS = 2000;

// The display the window goes to: X11's, also under XWayland, or else Wayland's. Screens
// of one X display (":0.0", ":0.1") are one display.
QString displayName()
{
    QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) {
        return qEnvironmentVariable("WAYLAND_DISPLAY");
    }
    static const QRegularExpression screen(QStringLiteral("(:\\d+)\\.\\d+$"));
    return display.replace(screen, QStringLiteral("\\1"));
}

// Letters and digits as they are, any other byte as "_" and two hex digits.
QString nameElement(const QString& text)
{
    QString element;
    for (const char byte : text.toUtf8()) {
        const auto c = static_cast<unsigned char>(byte);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            element += QLatin1Char(byte);
        } else {
            element += QStringLiteral("_%1").arg(c, 2, 16, QLatin1Char('0'));
        }
    }
    return element;
}

// "d<display>.c<settings folder hash>": two valid elements of a D-Bus name. Copies on
// different settings files cannot lose each other's changes, so they may run side by
// side (the bench does so on one display).
QString instanceKey(const QString& display, const QString& settingsFolder)
{
    const QByteArray folderHash =
        QCryptographicHash::hash(settingsFolder.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("d") + nameElement(display) + QStringLiteral(".c") +
           QString::fromLatin1(folderHash.left(12));
}

} // namespace

SingleInstance::SingleInstance()
    : key_(instanceKey(displayName(),
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)))
{}

SingleInstance::~SingleInstance() = default;

SingleInstance::Claim SingleInstance::claim()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const bool onBus =
        bus.isConnected() &&
        bus.registerObject(OBJECT_PATH, this, QDBusConnection::ExportScriptableSlots);
    for (int i = 0; i < TRIES; ++i) {
        if (const std::optional<Claim> claim = onBus ? claimOnBus(bus) : claimOnSocket()) {
            return *claim;
        }
    }
    return Claim::NoAnswer;
}

std::optional<SingleInstance::Claim> SingleInstance::claimOnBus(QDBusConnection& bus)
{
    // The bus gives a name to one connection only, so of two starts at once one wins.
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        bus.interface()->registerService(busName());
    if (!reply.isValid()) {
        utils::Logger::log(QStringLiteral("The session bus refused the name %1 (%2); a local "
                                          "socket stands in.")
                               .arg(busName(), reply.error().message()));
        return claimOnSocket();
    }
    if (reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        return Claim::First;
    }
    // No interface named: the object has the one.
    const QDBusMessage answer = bus.call(
        QDBusMessage::createMethodCall(busName(), OBJECT_PATH, QString(), QStringLiteral("Show")),
        QDBus::Block, ANSWER_MS);
    if (answer.type() == QDBusMessage::ReplyMessage) {
        return Claim::HandedOver;
    }
    if (bus.interface()->isServiceRegistered(busName())) {
        return Claim::NoAnswer;
    }
    return std::nullopt;
}

QString SingleInstance::busName() const
{
    return NAME + QLatin1Char('.') + key_;
}

std::optional<SingleInstance::Claim> SingleInstance::claimOnSocket()
{
    // The user's runtime folder, which only the user can enter; the user id in the name
    // as well for where Qt has to fall back to a shared folder.
    const QString socketName = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
                               QLatin1Char('/') + NAME + QStringLiteral(".u%1.").arg(getuid()) +
                               key_;
    // Held from the connect to the listen, so that of two starts at once, with a socket
    // file left by a killed run, the second cannot remove the socket the first just made.
    // A lock left by a killed start is stale once its process is gone.
    QLockFile lock(socketName + QStringLiteral(".lock"));
    if (!lock.tryLock(ANSWER_MS)) {
        return Claim::NoAnswer;
    }
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (socket.waitForConnected(CONNECT_MS)) {
        lock.unlock();
        return handOver(socket);
    }
    // Nobody listens: the file, if any, is what a killed run left behind.
    QLocalServer::removeServer(socketName);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::answer);
    if (!server_->listen(socketName)) {
        utils::Logger::log(QStringLiteral("Cannot listen on %1 (%2); a second start would "
                                          "run beside this one.")
                               .arg(socketName, server_->errorString()));
    }
    return Claim::First;
}

std::optional<SingleInstance::Claim> SingleInstance::handOver(QLocalSocket& socket)
{
    socket.write(REQUEST);
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(ANSWER_MS)) {
            // Closed without an answer: the program ended meanwhile.
            if (socket.state() != QLocalSocket::ConnectedState) {
                return std::nullopt;
            }
            return Claim::NoAnswer;
        }
    }
    return socket.readLine() == ANSWER ? Claim::HandedOver : Claim::NoAnswer;
}

void SingleInstance::answer()
{
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] {
            if (!client->canReadLine()) {
                return;
            }
            if (client->readLine() == REQUEST) {
                Show();
                client->write(ANSWER);
            }
            client->disconnectFromServer();
        });
    }
}

void SingleInstance::setWindow(QWidget* window)
{
    window_ = window;
    bringToFront();
}

void SingleInstance::Show()
{
    showRequested_ = true;
    bringToFront();
}

void SingleInstance::bringToFront()
{
    if (!showRequested_ || window_ == nullptr) {
        return;
    }
    showRequested_ = false;
    if (window_->isMinimized()) {
        window_->showNormal();
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace vantor
