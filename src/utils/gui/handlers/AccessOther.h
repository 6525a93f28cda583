#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace utils {

// Hands web addresses, mail addresses and files to the desktop. Failures are logged, never
// shown: these are conveniences, the program works on without them.
class AccessOther
{
public:
    AccessOther() = delete;

    // Each returns whether the desktop (or the fallback launcher) accepted the request.
    static bool openWebPage(const QString& url);
    static bool createEmail(const QString& mailtoUri);
    static bool openFile(const QString& fileName);
    // Starts the platform's own open command with the target as its one argument.
    static bool openWithRuntime(const QString& target);

    // The operating-system name the fallback launcher decides by.
    static QString operatingSystemName();

    // Seams, so tests never launch anything real. An empty function (or a null name)
    // restores the real one.
    using DesktopService = std::function<bool(const QUrl& url)>;
    using ProcessStarter =
        std::function<bool(const QString& program, const QStringList& arguments)>;
    static void setOperatingSystemName(const QString& name);
    static void setDesktopService(DesktopService service);
    static void setProcessStarter(ProcessStarter starter);
    static void resetForTesting();
};

} // namespace utils
