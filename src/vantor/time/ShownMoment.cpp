#include "vantor/time/ShownMoment.h"

#include <QTimeZone>

namespace vantor {

ShownMoment::ShownMoment(QObject* parent, int returnMs) : QObject(parent)
{
    // One shot, on time to the millisecond: a coarse timer may be seconds late after
    // three minutes.
    returnTimer_.setSingleShot(true);
    returnTimer_.setTimerType(Qt::PreciseTimer);
    returnTimer_.setInterval(returnMs);
    connect(&returnTimer_, &QTimer::timeout, this, &ShownMoment::returnToNow);
}

void ShownMoment::moveBy(qint64 milliseconds)
{
    shiftMs_ += milliseconds;
    moved();
}

void ShownMoment::moveTo(const QDateTime& target, const QDateTime& now)
{
    moveBy(shownMinute(now).msecsTo(target));
}

void ShownMoment::moveByDays(int days)
{
    days_ += days;
    moved();
}

void ShownMoment::moved()
{
    if (isShifted()) {
        returnTimer_.start();
    } else {
        returnTimer_.stop();
    }
    emit changed();
}

void ShownMoment::returnToNow()
{
    returnTimer_.stop();
    if (isShifted()) {
        shiftMs_ = 0;
        days_ = 0;
        emit changed();
    }
}

qint64 ShownMoment::nominalShiftMs() const
{
    return qint64(days_) * 24 * 3600 * 1000 + shiftMs_;
}

QDateTime ShownMoment::shown(const QDateTime& now) const
{
    if (days_ == 0) {
        return now.addMSecs(shiftMs_);
    }
    return now.addMSecs(shiftMs_).toLocalTime().addDays(days_).toUTC();
}

QDateTime ShownMoment::shownMinute(const QDateTime& now) const
{
    const qint64 ms = shown(now).toMSecsSinceEpoch();
    // Every zone's minutes begin on UTC's.
    return QDateTime::fromMSecsSinceEpoch(ms - ((ms % 60'000) + 60'000) % 60'000, QTimeZone::utc());
}

} // namespace vantor
