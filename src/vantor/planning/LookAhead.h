#pragma once

#include "vantor/planning/ClockPresentation.h"
#include "vantor/planning/LookAheadInput.h"
#include "vantor/time/ShownMoment.h"

#include <QDateTime>
#include <QObject>

namespace vantor {

// Looking ahead (or back) in time on all clocks at once: the moment they show, the
// gestures that move it and what the clocks tell of it. It refers to the window's
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
    ShownMoment moment_;
    ClockPresentation presentation_;
    LookAheadInput input_;
};

} // namespace vantor
