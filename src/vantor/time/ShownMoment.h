#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

namespace vantor {

// The moment all clocks show: now, or now moved ahead or back by the user to see what
// time it will be (or was) in every zone. Minutes and hours move the instant; days move
// the local calendar date and keep the local wall time, also across a daylight-saving
// change. Three minutes after the last move it is now again. Nothing is stored.
class ShownMoment : public QObject
{
    Q_OBJECT

public:
    static constexpr int RETURN_MS = 3 * 60 * 1000;

    // returnMs: how long after the last move the clocks show now again.
    explicit ShownMoment(QObject* parent = nullptr, int returnMs = RETURN_MS);

    void moveBy(qint64 milliseconds);
    // Moves so that the shown minute is target's minute; the seconds run on as before, so
    // the shift stays in whole minutes.
    void moveTo(const QDateTime& target, const QDateTime& now);
    void moveByDays(int days);
    void returnToNow();

    // True while the moment is not now.
    bool isShifted() const { return shiftMs_ != 0 || days_ != 0; }
    // How far ahead (negative: back) the shown moment is, for the badge and the copy.
    qint64 nominalShiftMs() const;
    // The instant to show for the wall clock's now.
    QDateTime shown(const QDateTime& now) const;
    // That instant without its seconds: the minute the clocks show.
    QDateTime shownMinute(const QDateTime& now) const;
    // Milliseconds until the return to now, or -1 while the clocks show now.
    int returnsInMs() const { return returnTimer_.remainingTime(); }

Q_SIGNALS:
    // The shift changed: by a move, a return to now, or the timeout.
    void changed();

private:
    // Starts the three minutes again, or stops them when the moves cancelled out, and
    // tells the clocks.
    void moved();

    // Ends the shift on time, also when the clocks refresh only once a minute; nothing
    // runs while the clocks show now.
    QTimer returnTimer_{this};
    qint64 shiftMs_ = 0;
    int days_ = 0;
};

} // namespace vantor
