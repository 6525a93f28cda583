#include "vantor/RefreshScheduler.h"

#include <QDateTime>

#include <algorithm>

namespace vantor {

RefreshScheduler::RefreshScheduler(QObject* parent, WallClock wallClock)
    : QObject(parent), wallClock_(wallClock ? std::move(wallClock)
                                            : [] { return QDateTime::currentMSecsSinceEpoch(); })
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &RefreshScheduler::fire);
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
    // The next whole second, rounding toward the past also before 1970.
    dueMs_ = afterMs - ((afterMs % PERIOD_MS) + PERIOD_MS) % PERIOD_MS + PERIOD_MS;
    // A due second already past (building took long) runs at once; one more than a
    // period away cannot happen on a steady clock, so it is a step and is capped.
    const qint64 delay = std::clamp<qint64>(dueMs_ - wallClock_(), 0, PERIOD_MS);
    timer_.start(static_cast<int>(delay));
}

} // namespace vantor
