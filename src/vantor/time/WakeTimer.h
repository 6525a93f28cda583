#pragma once

#include <QObject>
#include <QTimer>

class QSocketNotifier;

namespace vantor {

// A single-shot timer for the refresh that also counts the time the machine slept, so a
// refresh due during a suspend comes at once on resume, and that says when the system
// clock was set. On Linux both come from the kernel (timerfd on the boot-time clock, and a
// wall-clock timerfd cancelled on a set), so nothing polls; elsewhere it is a plain timer
// and steps show at its next timeout.
class WakeTimer : public QObject
{
    Q_OBJECT

public:
    // Kernel: the timerfds where the system has them. Plain: a toolkit timer only, as on
    // systems without them (and in tests of that path).
    enum class Source
    {
        Kernel,
        Plain
    };

    explicit WakeTimer(QObject* parent = nullptr, Source source = Source::Kernel);
    ~WakeTimer() override;

    void start(int milliseconds);
    void stop();
    bool isActive() const;
    int remainingMs() const;

Q_SIGNALS:
    void timeout();
    // The system clock was set (a time service, a manual change).
    void clockSet();

private:
    void armClockWatch();

    QTimer fallback_{this};
    int timerFd_ = -1;
    int clockFd_ = -1;
    QSocketNotifier* timerNotifier_ = nullptr;
    QSocketNotifier* clockNotifier_ = nullptr;
    bool active_ = false;
};

} // namespace vantor
