#include "vantor/autostart/LoginStart.h"

#include "utils/gui/handlers/Logger.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QList>
#include <QPair>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace vantor {

using utils::Logger;

namespace {

using Entry = QList<QPair<QString, QString>>;

QString entryName()
{
    return QGuiApplication::desktopFileName() + QStringLiteral(".desktop");
}

// The keys of the [Desktop Entry] group with their values as written (still escaped).
Entry readEntry(const QString& path)
{
    QFile file(path);
    Entry entry;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return entry;
    }
    bool inGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == QStringLiteral("[Desktop Entry]");
        } else if (inGroup && !line.startsWith(u'#') && line.contains(u'=')) {
            const qsizetype equals = line.indexOf(u'=');
            entry.append({line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
        }
    }
    return entry;
}

// The installed desktop entry, or the one packed into the program when none is installed.
Entry desktopEntry()
{
    const QString installed = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                     QStringLiteral("applications/") + entryName());
    Entry entry = installed.isEmpty() ? Entry() : readEntry(installed);
    if (entry.isEmpty()) {
        entry = readEntry(QStringLiteral(":/com/quorvane/vantor/") + entryName());
    }
    return entry;
}

QString valueOf(const Entry& entry, const QString& key)
{
    for (const auto& [k, value] : entry) {
        if (k == key) {
            return value;
        }
    }
    return {};
}

// The general escapes of a string value; an Exec argument is quoted before them.
QString escapeString(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\\') {
            out += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c == u'\t') {
            out += QStringLiteral("\\t");
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
        } else {
            out += c;
        }
    }
    return out;
}

struct Command
{
    QString program; // TryExec's value
    QString exec;
};

// The installed program's command when the running program is the one its name finds
// on the PATH, so that an update or a move of the installation keeps working; otherwise
// the running program's own path.
Command command(const QString& installedExec)
{
    const QString running = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QString name = installedExec.section(u' ', 0, 0, QString::SectionSkipEmpty);
    const QString found = name.isEmpty() ? QString() : QStandardPaths::findExecutable(name);
    if (!found.isEmpty() && QFileInfo(found).canonicalFilePath() == running) {
        return {name, installedExec};
    }
    return {escapeString(running), LoginStart::execArgument(running)};
}

} // namespace

QString LoginStart::entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/autostart/") + entryName();
}

bool LoginStart::isEnabled()
{
    return QFileInfo::exists(entryPath());
}

QString LoginStart::execArgument(const QString& program)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString argument = program;
    argument.replace(u'%', QStringLiteral("%%"));
    if (std::any_of(argument.begin(), argument.end(),
                    [](QChar c) { return reserved.contains(c); })) {
        QString quoted;
        for (const QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
                quoted += u'\\';
            }
            quoted += c;
        }
        argument = u'"' + quoted + u'"';
    }
    return escapeString(argument);
}

QString LoginStart::entryText()
{
    const Entry installed = desktopEntry();
    const Command start = command(valueOf(installed, QStringLiteral("Exec")));
    QStringList lines = {QStringLiteral("[Desktop Entry]"), QStringLiteral("Type=Application")};
    // The name (in every language the entry has), comment and icon of the menu's entry, so
    // that the session's list of programs started at login reads as the menu does.
    for (const auto& [key, value] : installed) {
        if (key == QStringLiteral("Name") || key.startsWith(QStringLiteral("Name[")) ||
            key == QStringLiteral("Comment") || key.startsWith(QStringLiteral("Comment[")) ||
            key == QStringLiteral("Icon")) {
            lines.append(key + u'=' + value);
        }
    }
    // A session skips the entry once the program is gone (say, uninstalled).
    lines.append(QStringLiteral("TryExec=") + start.program);
    lines.append(QStringLiteral("Exec=") + start.exec);
    lines.append(QStringLiteral("Terminal=false"));
    lines.append(QStringLiteral("X-GNOME-Autostart-enabled=true"));
    return lines.join(u'\n') + u'\n';
}

void LoginStart::enable()
{
    const QString path = entryPath();
    if (QFileInfo::exists(path)) {
        return;
    }
    QString error;
    if (!QDir().mkpath(QFileInfo(path).path())) {
        error = QStringLiteral("the folder cannot be made");
    } else {
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(entryText().toUtf8());
            if (file.commit()) {
                return;
            }
        }
        error = file.errorString();
    }
    Logger::log(QStringLiteral("Could not write %1 (%2); the program does not start at login.")
                    .arg(path, Logger::excerpt(error)));
}

void LoginStart::disable()
{
    QFile file(entryPath());
    if (!file.exists() || file.remove()) {
        return;
    }
    Logger::log(QStringLiteral("Could not remove %1 (%2); the program still starts at login.")
                    .arg(file.fileName(), Logger::excerpt(file.errorString())));
}

} // namespace vantor
