#pragma once

#include "vantor/planning/WorkingHours.h"

#include <QWidget>

namespace vantor {

// The small mark beside a clock's time that tells at a glance whether people there are
// at work: a filled disc for working hours, a ring outside them, a crescent at night and
// a bar on a day off. Shape and colour both differ, so the states stay apart without
// colour too. Every state takes the same size: the clock never moves when it changes.
// A screen reader is told the state in the clock's name, so the mark itself is silent.
class DayStateCue : public QWidget
{
    Q_OBJECT

public:
    // diameter: the mark's size in pixels; dark: drawn for the dark scheme's background.
    DayStateCue(int diameter, bool dark, QWidget* parent = nullptr);

    DayState state() const { return state_; }
    // Repaints only when the state changed.
    void setState(DayState state);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int diameter_;
    bool dark_;
    DayState state_ = DayState::Outside;
};

} // namespace vantor
