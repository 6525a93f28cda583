#include "vantor/FrameDragListener.h"

#include "vantor/Vantor.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QWindow>

#include <cstdio>

namespace vantor {

FrameDragListener::FrameDragListener(QWidget* frame, Vantor* vantor)
    : QObject(frame), frame(frame), vantor(vantor)
{}

bool FrameDragListener::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) {
            break;
        }
        const QPoint global = mouse->globalPosition().toPoint();
        mouseDownCompCoords = global - frame->pos();
        // Only a press on the window's own border, not one passed up from a panel.
        if (watched == frame && frame->childAt(mouse->position().toPoint()) == nullptr) {
            std::printf("1. mousePressed at : [x=%d,y=%d]\n", mouseDownCompCoords->x(),
                        mouseDownCompCoords->y());
            std::fflush(stdout);
        }
        // A Wayland client cannot place its window; the compositor moves it for us.
        if (QGuiApplication::platformName() == QLatin1String("wayland") &&
            frame->windowHandle() != nullptr) {
            frame->windowHandle()->startSystemMove();
        }
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouseDownCompCoords && (mouse->buttons() & Qt::LeftButton)) {
            frame->move(mouse->globalPosition().toPoint() - *mouseDownCompCoords);
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            mouseDownCompCoords.reset();
            // Also after a plain click: the stored position is always the shown one.
            vantor->saveWindowSettings();
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace vantor
