#include "vantor/Vantor.h"
#include "vantor/instance/SingleInstance.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // On a Wayland desktop a client can neither place itself nor stay on top; through
    // XWayland it can, and the window can be dragged as everywhere else.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    // Each refresh repaints a few small labels. Through X shared memory every repaint
    // waits for the server's answer before the next may draw, which wakes the program
    // twice more per refresh; sent over the socket the same few pixels cost no more, and
    // nothing waits.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) {
        qputenv("QT_XCB_NO_MITSHM", "1");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(vantor::Vantor::WHO_AM_I);
    QApplication::setApplicationVersion(vantor::Vantor::VERSION);
    QApplication::setDesktopFileName(QStringLiteral("com.quorvane.Vantor"));
    // The window ends the program itself, also when it is a utility window.
    QApplication::setQuitOnLastWindowClosed(false);

    // A second start hands over to the running program before it builds any window.
    vantor::SingleInstance instance;
    switch (instance.claim()) {
    case vantor::SingleInstance::Claim::First:
        break;
    case vantor::SingleInstance::Claim::HandedOver:
        std::puts("Vantor is already running; its window was brought to the front.");
        return 0;
    case vantor::SingleInstance::Claim::NoAnswer:
        std::puts("Vantor is already running but does not answer.");
        return 1;
    }

    vantor::Vantor::applyDefaultLocale(QLocale::system());
    vantor::Vantor window;
    instance.setWindow(&window);
    return QApplication::exec();
}
