#pragma once

#include "vantor/planning/CommonSlot.h"

#include <QObject>

#include <functional>

class QKeyEvent;
class QWheelEvent;
class QWidget;

namespace vantor {

class ShownMoment;

// The gestures that look ahead (or back) on all clocks at once: the mouse wheel (15
// minutes a notch, an hour with Shift, a day with Ctrl) and the keys (Left/Right,
// Up/Down, Page Up/Down; Home or Escape for now; N and Shift+N for the next and the last
// time at which every clock is in working hours), and Ctrl+C to copy the shown times.
// It watches the window's events, so the window itself needs no code for any of it.
class LookAheadInput : public QObject
{
    Q_OBJECT

public:
    using CopyText = std::function<QString()>;
    using ToCommonSlot = std::function<void(CommonSlot::Direction)>;

    static constexpr qint64 NOTCH_MS = 15 * 60 * 1000;
    static constexpr qint64 HOUR_MS = 60 * 60 * 1000;

    LookAheadInput(QWidget* window, ShownMoment& moment, CopyText copyText,
                   ToCommonSlot toCommonSlot);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool wheel(QWheelEvent* event);
    bool key(QKeyEvent* event);

    QWidget* window_;
    ShownMoment& moment_;
    CopyText copyText_;
    ToCommonSlot toCommonSlot_;
    // Wheel turns of touchpads come in small parts; a notch is 120 of them.
    int wheelRest_ = 0;
};

} // namespace vantor
