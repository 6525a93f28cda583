#include "utils/gui/handlers/AccessOther.h"

#include "utils/gui/handlers/Logger.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QSysInfo>

namespace utils {

namespace {

QString injectedOsName;
AccessOther::DesktopService injectedDesktopService;
AccessOther::ProcessStarter injectedProcessStarter;

QString platformName()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("windows");
#elif defined(Q_OS_MACOS)
    // The kernel type would be "darwin", which contains "win" and would pick the Windows
    // launcher.
    return QStringLiteral("mac os x");
#else
    const QString kernel = QSysInfo::kernelType();
#if defined(Q_OS_UNIX)
    // The BSDs and other Unix systems have xdg-open as well, but their kernel names
    // ("freebsd", "openbsd") do not say "unix".
    if (!kernel.contains(QLatin1String("nix")) && !kernel.contains(QLatin1String("nux"))) {
        return kernel + QLatin1String(" (unix)");
    }
#endif
    return kernel;
#endif
}

bool askDesktop(const QUrl& url)
{
    if (injectedDesktopService) {
        return injectedDesktopService(url);
    }
    // Without a GUI application there is no desktop integration to ask.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return false;
    }
    return QDesktopServices::openUrl(url);
}

bool startProgram(const QString& program, const QStringList& arguments)
{
    if (injectedProcessStarter) {
        return injectedProcessStarter(program, arguments);
    }
    return QProcess::startDetached(program, arguments);
}

// A text that does not parse as a URI counts as a failure of the desktop service.
bool askDesktopFor(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && askDesktop(url);
}

} // namespace

bool AccessOther::openWebPage(const QString& url)
{
    if (url.isNull()) {
        Logger::log(QStringLiteral("Error: The url cannot be null."));
        return false;
    }
    if (askDesktopFor(url)) {
        return true;
    }
    return openWithRuntime(url);
}

bool AccessOther::createEmail(const QString& mailtoUri)
{
    if (mailtoUri.isNull()) {
        Logger::log(QStringLiteral("Error: The emailStr cannot be null."));
        return false;
    }
    QString escaped = mailtoUri;
    escaped.replace(QLatin1Char(' '), QLatin1String("%20"));
    if (askDesktopFor(escaped)) {
        return true;
    }
    return openWithRuntime(escaped);
}

bool AccessOther::openFile(const QString& fileName)
{
    if (fileName.isNull()) {
        Logger::log(QStringLiteral("Error: The fileName cannot be null."));
        return false;
    }
    const QFileInfo info(fileName);
    if (!info.exists()) {
        Logger::log(QStringLiteral("Error: The file does not exist - ") + fileName);
        return false;
    }
    // The absolute path, so that a name beginning with '-' never reads as an option of the
    // open command, and a relative name does not depend on how the desktop resolves it.
    const QString path = info.absoluteFilePath();
    if (askDesktop(QUrl::fromLocalFile(path))) {
        return true;
    }
    return openWithRuntime(path);
}

bool AccessOther::openWithRuntime(const QString& target)
{
    const QString os = operatingSystemName().toLower();
    QString program;
    QStringList arguments;
    // The order matters: a name containing both "win" and "nux" counts as Windows.
    if (os.contains(QLatin1String("win"))) {
        program = QStringLiteral("rundll32");
        arguments = {QStringLiteral("url.dll,FileProtocolHandler"), target};
    } else if (os.contains(QLatin1String("mac"))) {
        program = QStringLiteral("open");
        arguments = {target};
    } else if (os.contains(QLatin1String("nix")) || os.contains(QLatin1String("nux"))) {
        program = QStringLiteral("xdg-open");
        arguments = {target};
    } else {
        Logger::log(QStringLiteral("Unknown operating system: ") + os +
                    QLatin1String(" : cannot open web page."));
        return false;
    }
    if (program != QLatin1String("rundll32") && target.startsWith(QLatin1Char('-'))) {
        // open and xdg-open would take it for an option.
        Logger::log(QStringLiteral("Error: Refusing to open a target that begins with '-': ") +
                    target);
        return false;
    }
    if (!startProgram(program, arguments)) {
        Logger::log(QStringLiteral("Error: Could not start ") + program + QLatin1String(" for ") +
                    target);
        return false;
    }
    return true;
}

QString AccessOther::operatingSystemName()
{
    return injectedOsName.isNull() ? platformName() : injectedOsName;
}

void AccessOther::setOperatingSystemName(const QString& name)
{
    injectedOsName = name;
}

void AccessOther::setDesktopService(DesktopService service)
{
    injectedDesktopService = std::move(service);
}

void AccessOther::setProcessStarter(ProcessStarter starter)
{
    injectedProcessStarter = std::move(starter);
}

void AccessOther::resetForTesting()
{
    injectedOsName = QString();
    injectedDesktopService = nullptr;
    injectedProcessStarter = nullptr;
}

} // namespace utils
