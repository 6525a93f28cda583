#pragma once

#include "vantor/planning/ClockTexts.h"

#include <QAccessible>
#include <QDateTime>
#include <QObject>

#include <memory>
#include <vector>

class QHelpEvent;
class QWidget;

namespace utils {
class LanguageTable;
}

namespace vantor {

class ShiftBadge;
class ShownMoment;
class TimeZoneObject;
class UserPreferences;

// What the clocks tell beyond their labels, for the moment shown: the badge over the
// window's corner while they are not on now, each clock's tooltip, the name a screen
// reader gives each clock, and the plain text Ctrl+C copies. It reads the clocks' data,
// never the texts of their labels.
class ClockPresentation : public QObject, public QAccessible::ActivationObserver
{
    Q_OBJECT

public:
    using Clocks = std::vector<std::unique_ptr<TimeZoneObject>>;

    ClockPresentation(QWidget* window, const utils::LanguageTable& labels, UserPreferences* uP,
                      const Clocks& clocks, ShownMoment& moment);
    ~ClockPresentation() override;

    // The badge for the present shift (none while the clocks show now).
    void showBadge();
    // A note on the badge for a few seconds.
    void showNote(const QString& text);
    // The screen readers' texts again at the next refresh (new clocks, new zone rules).
    void refreshTexts() { textsMinute_ = -1; }
    // Refreshes what screen readers are told of each clock when the shown minute or the
    // shift changed; nothing while no screen reader listens.
    void updateTexts(const QDateTime& shown);
    // The shown times of all clocks as plain text, one line per clock.
    QString copyText(const QDateTime& now);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void accessibilityActiveChanged(bool active) override;

private:
    // A clock's tooltip, made when the pointer rests on it.
    bool toolTip(QHelpEvent* event);
    QString tooltip(const TimeZoneObject& clock, const QDateTime& shown);
    void placeBadge();
    // Made when first needed: a start without a screen reader or a look ahead needs none.
    ClockTexts& texts();

    QWidget* window_;
    const utils::LanguageTable& labels_;
    UserPreferences* uP_;
    const Clocks& clocks_;
    ShownMoment& moment_;
    std::unique_ptr<ClockTexts> texts_;
    ShiftBadge* badge_;
    qint64 textsMinute_ = -1;
    qint64 textsShift_ = 0;
};

} // namespace vantor
