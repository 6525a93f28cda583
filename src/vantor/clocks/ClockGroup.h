#pragma once

#include "vantor/clocks/ClockFrame.h"

namespace vantor {

// The four rows of one stacked clock, held together so that the keyboard and a screen
// reader meet the clock as one element, as they meet a card side by side.
class ClockGroup : public ClockFrame
{
    Q_OBJECT

public:
    // The rows have no margin: the frame runs along the group's edge.
    explicit ClockGroup(QWidget* parent = nullptr) : ClockFrame(1, parent) {}
};

} // namespace vantor
