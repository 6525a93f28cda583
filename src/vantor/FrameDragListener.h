#pragma once

#include <QObject>
#include <QPoint>

#include <optional>

class QWidget;

namespace vantor {

class Vantor;

// Moves the borderless main window while it is dragged by any point of its content.
// Presses and moves on the clock area, the cards and their labels reach the window
// as well, so one listener on the window serves them all.
class FrameDragListener : public QObject
{
    Q_OBJECT

public:
    FrameDragListener(QWidget* frame, Vantor* vantor);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* frame;
    // Where inside the window the pointer grabbed it; none while no drag is under way.
    std::optional<QPoint> mouseDownCompCoords;
    Vantor* vantor;
};

} // namespace vantor
