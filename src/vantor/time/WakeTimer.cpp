#include "vantor/time/WakeTimer.h"

#include <QSocketNotifier>

#ifdef Q_OS_LINUX
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>
#endif

namespace vantor {

WakeTimer::WakeTimer(QObject* parent, Source source) : QObject(parent)
{
    fallback_.setSingleShot(true);
    fallback_.setTimerType(Qt::PreciseTimer);
    connect(&fallback_, &QTimer::timeout, this, [this] {
        active_ = false;
        emit timeout();
    });
    if (source == Source::Plain) {
        return;
    }
#ifdef Q_OS_LINUX
    timerFd_ = timerfd_create(CLOCK_BOOTTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timerFd_ >= 0) {
        timerNotifier_ = new QSocketNotifier(timerFd_, QSocketNotifier::Read, this);
        connect(timerNotifier_, &QSocketNotifier::activated, this, [this] {
            std::uint64_t expirations = 0;
            if (read(timerFd_, &expirations, sizeof expirations) > 0 && active_) {
                active_ = false;
                emit timeout();
            }
        });
    }
    clockFd_ = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (clockFd_ >= 0) {
        clockNotifier_ = new QSocketNotifier(clockFd_, QSocketNotifier::Read, this);
        connect(clockNotifier_, &QSocketNotifier::activated, this, [this] {
            std::uint64_t expirations = 0;
            // A set clock cancels the watch: the read fails with ECANCELED.
            const bool set =
                read(clockFd_, &expirations, sizeof expirations) < 0 && errno == ECANCELED;
            armClockWatch();
            if (set) {
                emit clockSet();
            }
        });
        armClockWatch();
    }
#endif
}

WakeTimer::~WakeTimer()
{
#ifdef Q_OS_LINUX
    delete timerNotifier_;
    delete clockNotifier_;
    if (timerFd_ >= 0) {
        close(timerFd_);
    }
    if (clockFd_ >= 0) {
        close(clockFd_);
    }
#endif
}

void WakeTimer::armClockWatch()
{
#ifdef Q_OS_LINUX
    // A deadline that never comes; only a set of the clock wakes this.
    itimerspec far{};
    far.it_value.tv_sec = std::time(nullptr) + 10LL * 365 * 24 * 3600;
    timerfd_settime(clockFd_, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &far, nullptr);
#endif
}

void WakeTimer::start(int milliseconds)
{
    active_ = true;
#ifdef Q_OS_LINUX
    if (timerFd_ >= 0) {
        // Zero would disarm the timer; a due refresh comes after a microsecond instead.
        const long long ns = milliseconds > 0 ? milliseconds * 1'000'000LL : 1000;
        itimerspec when{};
        when.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
        when.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
        timerfd_settime(timerFd_, 0, &when, nullptr);
        return;
    }
#endif
    fallback_.start(milliseconds);
}

void WakeTimer::stop()
{
    active_ = false;
#ifdef Q_OS_LINUX
    if (timerFd_ >= 0) {
        const itimerspec off{};
        timerfd_settime(timerFd_, 0, &off, nullptr);
        return;
    }
#endif
    fallback_.stop();
}

bool WakeTimer::isActive() const
{
    return active_;
}

int WakeTimer::remainingMs() const
{
#ifdef Q_OS_LINUX
    if (timerFd_ >= 0) {
        itimerspec left{};
        if (!active_ || timerfd_gettime(timerFd_, &left) != 0) {
            return -1;
        }
        return static_cast<int>(left.it_value.tv_sec * 1000 + left.it_value.tv_nsec / 1'000'000);
    }
#endif
    return fallback_.remainingTime();
}

} // namespace vantor
