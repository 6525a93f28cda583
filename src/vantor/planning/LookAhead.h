#pragma once

#include "vantor/planning/ClockTexts.h"
#include "vantor/time/ShownMoment.h"

#include <QAccessible>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class QHelpEvent;
class QKeyEvent;
class QWheelEvent;
class QWidget;

namespace utils {
class LanguageTable;
}

namespace vantor {

class ShiftBadge;
class TimeZoneObject;
class UserPreferences;

// Looking ahead (or back) in time on all clocks at once, by the mouse wheel (15 minutes a
// notch, an hour with Shift, a day with Ctrl) or the keys (Left/Right, Up/Down, Page
// Up/Down; Home or Escape for now), with a badge while the clocks are not on now; Ctrl+C
// copies the shown times. It also keeps each clock's tooltip and the name a screen
// reader gives the clock. It watches the window's events, so the window itself needs no
// code for any of it. It refers to the window's language table and clocks, so the window
// must destroy it before them.
class LookAhead : public QObject, public QAccessible::ActivationObserver
{
    Q_OBJECT

public:
    using Clocks = std::vector<std::unique_ptr<TimeZoneObject>>;

    static constexpr qint64 NOTCH_MS = 15 * 60 * 1000;
    static constexpr qint64 HOUR_MS = 60 * 60 * 1000;

    LookAhead(QWidget* window, const utils::LanguageTable& labels, UserPreferences* uP,
              const Clocks& clocks);
    ~LookAhead() override;

    ShownMoment& moment() { return moment_; }
    // New clocks: now again, and their tooltips at the next refresh.
    void reset();
    // The tooltips again at the next refresh (new zone rules, a new local zone).
    void refreshTexts() { textsMinute_ = -1; }
    // The instant the clocks show for the wall clock's now.
    QDateTime shown(const QDateTime& now) { return moment_.shown(now); }
    // Refreshes what screen readers are told of each clock when the shown minute or the
    // shift changed; nothing while no screen reader listens.
    void updateTexts(const QDateTime& shown);
    // The shown times of all clocks as plain text, one line per clock.
    QString copyText(const QDateTime& now);
    ShiftBadge* badge() const { return badge_; }

Q_SIGNALS:
    // The shown moment moved (the user, or its return to now): the clocks should show it
    // at once.
    void moved();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void accessibilityActiveChanged(bool active) override;

private:
    bool wheel(QWheelEvent* event);
    bool key(QKeyEvent* event);
    // A clock's tooltip, made when the pointer rests on it.
    bool toolTip(QHelpEvent* event);
    void showBadge();
    void placeBadge();

    QWidget* window_;
    const utils::LanguageTable& labels_;
    UserPreferences* uP_;
    const Clocks& clocks_;
    ShownMoment moment_;
    // Made when first needed: a start without a screen reader or a look ahead needs none.
    std::unique_ptr<ClockTexts> texts_;
    ClockTexts& texts();
    ShiftBadge* badge_;
    // Wheel turns of touchpads come in small parts; a notch is 120 of them.
    int wheelRest_ = 0;
    qint64 textsMinute_ = -1;
    qint64 textsShift_ = 0;
};

} // namespace vantor
