#pragma once

#include <QString>

namespace vantor {

// Starting the program with the desktop session, as an XDG autostart entry. The entry
// file itself is the state: present means on, so a user who removes it by hand turns it
// off, and an entry the user edited is kept until they turn it off here.
class LoginStart
{
public:
    // Only desktops that read XDG autostart entries (Linux and the BSDs) offer it.
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    static constexpr bool available = true;
#else
    static constexpr bool available = false;
#endif

    // $XDG_CONFIG_HOME/autostart/com.quorvane.Vantor.desktop
    static QString entryPath();
    static bool isEnabled();
    // Writes the entry unless one is there already; a failure is logged.
    static void enable();
    // Removes the entry; a failure is logged.
    static void disable();

    // The entry for the running program: the name and icon of the installed desktop entry
    // (the packaged one where none is installed), and the installed command when the
    // running program is the installed one, otherwise its own path.
    static QString entryText();
    // A program path as one argument of an Exec line.
    static QString execArgument(const QString& program);
};

} // namespace vantor
