#pragma once

#include <QWidget>

namespace vantor {

// The four rows of one stacked clock, held together so that a screen reader meets the
// clock as one element, as it meets a card in the side-by-side layout. Clock cards and
// groups are reported to screen readers as groupings (installAccessibility).
class ClockGroup : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Makes clock cards and groups known to screen readers as groupings, not as empty
    // fillers they would pass over; once per program.
    static void installAccessibility();
};

} // namespace vantor
