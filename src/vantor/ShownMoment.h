#pragma once

#include <QDateTime>
#include <QObject>
#include <QTimer>

#include <functional>

namespace vantor {

// The moment all clocks show: now, or now moved ahead or back by the user to see what
// time it will be (or was) in every zone. Minutes and hours move the instant; days move
// the local calendar date and keep the local wall time, also across a daylight-saving
// change. Three minutes after the last move it is now again. Nothing is stored.
class ShownMoment : public QObject
{
    Q_OBJECT

public:
    using Monotonic = std::function<qint64()>;

    static constexpr qint64 RETURN_MS = 3 * 60 * 1000;

    explicit ShownMoment(QObject* parent = nullptr, Monotonic monotonic = {});

    void moveBy(qint64 milliseconds);
    void moveByDays(int days);
    void returnToNow();

    // True while the moment is not now (and not yet timed out).
    bool isShifted();
    // How far ahead (negative: back) the shown moment is, for the badge and the copy.
    qint64 nominalShiftMs();
    // The instant to show for the wall clock's now.
    QDateTime shown(const QDateTime& now);

Q_SIGNALS:
    // The shift changed: by a move, a return to now, or the timeout.
    void changed();

private:
    void expireIfIdle();
    // Starts the three minutes again and tells the clocks.
    void moved();

    Monotonic monotonic_;
    // Ends the shift on time also when the clocks refresh only once a minute.
    QTimer returnTimer_{this};
    qint64 shiftMs_ = 0;
    int days_ = 0;
    qint64 lastMoveMs_ = 0;
};

} // namespace vantor
