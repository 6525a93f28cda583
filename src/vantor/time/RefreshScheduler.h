#pragma once

#include "vantor/time/WakeTimer.h"

#include <QObject>

#include <functional>

namespace vantor {

// Decides when the clocks refresh and which instant they show: on every whole second of
// the wall clock while a pattern shows seconds, otherwise on every whole minute (every
// date change and daylight-saving change falls on one), one instant for all clocks. The timer runs
// on the monotonic clock, so a wall clock that is set back or forward (a time service correcting
// it, a resume from suspend) is shown right from the next tick on, at most a second later.
class RefreshScheduler : public QObject
{
    Q_OBJECT

public:
    using WallClock = std::function<qint64()>;
    using ShowsSeconds = std::function<bool()>;

    static constexpr qint64 SECOND_MS = 1000;
    static constexpr qint64 MINUTE_MS = 60 * 1000;
    // A tick that comes this much before its second is a timer firing early, not a
    // clock that went back: it shows the second it was armed for.
    static constexpr qint64 EARLY_MS = 50;

    // showsSeconds tells, at every refresh, whether the texts change every second.
    explicit RefreshScheduler(QObject* parent = nullptr, WallClock wallClock = {},
                              ShowsSeconds showsSeconds = {});

    // Arms the first tick for the second after builtAtMs, the instant the clocks were
    // built for: also when building them crossed a second boundary, no second is left
    // out.
    void start(qint64 builtAtMs);
    void stop();
    bool isActive() const { return timer_.isActive(); }
    // The whole second the armed tick is meant for.
    qint64 dueMs() const { return dueMs_; }
    // Milliseconds until the armed tick, as the timer counts them.
    int remainingMs() const { return timer_.remainingMs(); }
    // The period of the armed refresh: a second or a minute.
    qint64 periodMs() const { return periodMs_; }
    qint64 now() const { return wallClock_(); }

    // The instant a tick that runs at nowMs shows.
    static qint64 shownInstant(qint64 nowMs, qint64 dueMs);

public Q_SLOTS:
    // Runs one tick: emits refresh with the instant to show and arms the next.
    void fire();

Q_SIGNALS:
    void refresh(qint64 shownMs);

private:
    void arm(qint64 afterMs);

    WallClock wallClock_;
    ShowsSeconds showsSeconds_;
    WakeTimer timer_{this};
    qint64 periodMs_ = SECOND_MS;
    qint64 dueMs_ = 0;
};

} // namespace vantor
