#include "vantor/planning/LookAheadInput.h"

#include "vantor/time/ShownMoment.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

namespace vantor {

LookAheadInput::LookAheadInput(QWidget* window, ShownMoment& moment, CopyText copyText,
                               ToCommonSlot toCommonSlot)
    : QObject(window), window_(window), moment_(moment), copyText_(std::move(copyText)),
      toCommonSlot_(std::move(toCommonSlot))
{
    window->installEventFilter(this);
}

bool LookAheadInput::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        if (event->type() == QEvent::Wheel) {
            return wheel(static_cast<QWheelEvent*>(event));
        }
        if (event->type() == QEvent::KeyPress) {
            return key(static_cast<QKeyEvent*>(event));
        }
    }
    return QObject::eventFilter(watched, event);
}

bool LookAheadInput::wheel(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    wheelRest_ += delta.y() != 0 ? delta.y() : delta.x();
    const int notches = wheelRest_ / QWheelEvent::DefaultDeltasPerStep;
    wheelRest_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) {
        // Up is later, as a spin box counts up.
        if (event->modifiers() & Qt::ControlModifier) {
            moment_.moveByDays(notches);
        } else {
            moment_.moveBy(notches *
                           ((event->modifiers() & Qt::ShiftModifier) ? HOUR_MS : NOTCH_MS));
        }
    }
    event->accept();
    return true;
}

bool LookAheadInput::key(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(copyText_());
        return true;
    }
    if (event->key() == Qt::Key_N && (event->modifiers() & ~Qt::ShiftModifier) == 0) {
        toCommonSlot_((event->modifiers() & Qt::ShiftModifier) ? CommonSlot::Direction::Back
                                                               : CommonSlot::Direction::Ahead);
        return true;
    }
    if (event->modifiers() & ~(Qt::KeypadModifier)) {
        return false;
    }
    // Left and right follow the reading direction: the later side is the forward one.
    const bool rtl = window_->layoutDirection() == Qt::RightToLeft;
    switch (event->key()) {
    case Qt::Key_Right:
        moment_.moveBy(rtl ? -NOTCH_MS : NOTCH_MS);
        break;
    case Qt::Key_Left:
        moment_.moveBy(rtl ? NOTCH_MS : -NOTCH_MS);
        break;
    case Qt::Key_Up:
        moment_.moveBy(HOUR_MS);
        break;
    case Qt::Key_Down:
        moment_.moveBy(-HOUR_MS);
        break;
    case Qt::Key_PageUp:
        moment_.moveByDays(1);
        break;
    case Qt::Key_PageDown:
        moment_.moveByDays(-1);
        break;
    case Qt::Key_Home:
    case Qt::Key_Escape:
        if (!moment_.isShifted()) {
            return false;
        }
        moment_.returnToNow();
        break;
    default:
        return false;
    }
    return true;
}

} // namespace vantor
