#include "vantor/time/RefreshScheduler.h"

#include <QDateTime>

#include <algorithm>

namespace vantor {

RefreshScheduler::RefreshScheduler(QObject* parent, WallClock wallClock, ShowsSeconds showsSeconds)
    : QObject(parent), wallClock_(wallClock ? std::move(wallClock)
                                            : [] { return QDateTime::currentMSecsSinceEpoch(); }),
      showsSeconds_(showsSeconds ? std::move(showsSeconds) : [] { return true; })
{
    connect(&timer_, &WakeTimer::timeout, this, &RefreshScheduler::fire);
    // A set clock shows at once, whatever the period.
    connect(&timer_, &WakeTimer::clockSet, this, [this] {
        if (timer_.isActive()) {
            fire();
        }
    });
}

void RefreshScheduler::start(qint64 builtAtMs)
{
    timer_.stop();
    arm(builtAtMs);
}

void RefreshScheduler::stop()
{
    timer_.stop();
}

qint64 RefreshScheduler::shownInstant(qint64 nowMs, qint64 dueMs)
{
    // Only a tick a few milliseconds early shows its own second; after a step back the
    // clock is shown as it is, even if that second was shown before.
    return nowMs < dueMs && dueMs - nowMs <= EARLY_MS ? dueMs : nowMs;
}

void RefreshScheduler::fire()
{
    const qint64 shown = shownInstant(wallClock_(), dueMs_);
    arm(shown);
    emit refresh(shown);
}

void RefreshScheduler::arm(qint64 afterMs)
{
    periodMs_ = showsSeconds_() ? SECOND_MS : MINUTE_MS;
    // The next whole period, rounding toward the past also before 1970.
    dueMs_ = afterMs - ((afterMs % periodMs_) + periodMs_) % periodMs_ + periodMs_;
    // A due instant already past (building took long) runs at once; one more than a
    // period away cannot happen on a steady clock, so it is a step and is capped.
    const qint64 delay = std::clamp<qint64>(dueMs_ - wallClock_(), 0, periodMs_);
    timer_.start(static_cast<int>(delay));
}

} // namespace vantor
