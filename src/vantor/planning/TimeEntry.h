#pragma once

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QLineEdit;
class QWidget;

namespace utils {
class LanguageTable;
}

namespace vantor {

class ShownMoment;
class TimeZoneObject;

// Typing a time on a clock: a double click on its time, or Enter or F2 on the focused
// clock, opens a field in place of the time. Enter moves every clock together to the
// first moment at or after the shown one at which that clock shows the typed time;
// Escape or leaving the field changes nothing. Text that is no time gets a red frame and
// a tooltip that says why, and Enter then does nothing.
class TimeEntry : public QObject
{
    Q_OBJECT

public:
    using Clocks = std::vector<std::unique_ptr<TimeZoneObject>>;

    TimeEntry(QWidget* window, const utils::LanguageTable& labels, const Clocks& clocks,
              ShownMoment& moment);
    ~TimeEntry() override;

    // Watches the clocks built since the last call.
    void attach();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open(const TimeZoneObject& clock);
    void check();
    void commit();
    void close();
    const TimeZoneObject* clockOf(const QObject* object) const;

    QWidget* window_;
    const utils::LanguageTable& labels_;
    const Clocks& clocks_;
    ShownMoment& moment_;
    // The open field, a child of the clock's panel, and the clock it is on.
    QPointer<QLineEdit> field_;
    const TimeZoneObject* clock_ = nullptr;
};

} // namespace vantor
