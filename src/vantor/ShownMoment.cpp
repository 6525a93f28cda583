#include "vantor/ShownMoment.h"

#include <QElapsedTimer>

namespace vantor {

ShownMoment::ShownMoment(QObject* parent, Monotonic monotonic)
    : QObject(parent), monotonic_(monotonic ? std::move(monotonic) : [] {
          static QElapsedTimer since;
          if (!since.isValid()) {
              since.start();
          }
          return since.elapsed();
      })
{}

void ShownMoment::moveBy(qint64 milliseconds)
{
    expireIfIdle();
    shiftMs_ += milliseconds;
    moved();
}

void ShownMoment::moveByDays(int days)
{
    expireIfIdle();
    days_ += days;
    moved();
}

void ShownMoment::moved()
{
    lastMoveMs_ = monotonic_();
    returnTimer_.start();
    emit changed();
}

void ShownMoment::returnToNow()
{
    if (shiftMs_ != 0 || days_ != 0) {
        shiftMs_ = 0;
        days_ = 0;
        returnTimer_.stop();
        emit changed();
    }
}

void ShownMoment::expireIfIdle()
{
    if ((shiftMs_ != 0 || days_ != 0) && monotonic_() - lastMoveMs_ >= RETURN_MS) {
        returnToNow();
    }
}

bool ShownMoment::isShifted()
{
    expireIfIdle();
    return shiftMs_ != 0 || days_ != 0;
}

qint64 ShownMoment::nominalShiftMs()
{
    expireIfIdle();
    return qint64(days_) * 24 * 3600 * 1000 + shiftMs_;
}

QDateTime ShownMoment::shown(const QDateTime& now)
{
    expireIfIdle();
    if (days_ == 0) {
        return now.addMSecs(shiftMs_);
    }
    return now.addMSecs(shiftMs_).toLocalTime().addDays(days_).toUTC();
}

} // namespace vantor
