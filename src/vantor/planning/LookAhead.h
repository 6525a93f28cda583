#pragma once

#include "vantor/planning/ClockPresentation.h"
#include "vantor/planning/CommonSlot.h"
#include "vantor/planning/LookAheadInput.h"
#include "vantor/planning/TimeEntry.h"
#include "vantor/time/ShownMoment.h"

#include <QDateTime>
#include <QObject>

namespace vantor {

// Looking ahead (or back) in time on all clocks at once: the moment they show, the
// gestures that move it (the wheel and keys, a time typed on a clock, the next time that
// suits everyone) and what the clocks tell of it. It refers to the window's
// language table and clocks, so the window must destroy it before them.
class LookAhead : public QObject
{
    Q_OBJECT

public:
    LookAhead(QWidget* window, const utils::LanguageTable& labels, UserPreferences* uP,
              const ClockPresentation::Clocks& clocks);

    ClockPresentation& presentation() { return presentation_; }
    // New clocks: now again, and their screen readers' texts at the next refresh.
    void reset();
    // The instant the clocks show for the wall clock's now.
    QDateTime shown(const QDateTime& now) const { return moment_.shown(now); }

Q_SIGNALS:
    // The shown moment moved (the user, or its return to now): the clocks should show it
    // at once.
    void moved();

private:
    // To the next (or last) quarter hour at which every clock is in working hours, or a
    // note on the badge that there is none.
    void toCommonSlot(CommonSlot::Direction direction);

    const utils::LanguageTable& labels_;
    UserPreferences* uP_;
    const ClockPresentation::Clocks& clocks_;
    ShownMoment moment_;
    ClockPresentation presentation_;
    LookAheadInput input_;
    TimeEntry entry_;
};

} // namespace vantor
