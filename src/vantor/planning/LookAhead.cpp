#include "vantor/planning/LookAhead.h"

#include "utils/handlers/LanguageTable.h"
#include "utils/handlers/TextFormat.h"
#include "vantor/objects/MyConstants.h"
#include "vantor/objects/TimeZoneObject.h"
#include "vantor/planning/ShiftBadge.h"
#include "vantor/preferences/UserPreferences.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

namespace vantor {

LookAhead::LookAhead(QWidget* window, const utils::LanguageTable& labels, UserPreferences* uP,
                     const Clocks& clocks)
    : window_(window), labels_(labels), uP_(uP), clocks_(clocks), moment_(this),
      badge_(new ShiftBadge(window))
{
    window->setToolTip(labels.getString(QStringLiteral("lbl.tip.window")));
    window->installEventFilter(this);
    connect(&moment_, &ShownMoment::changed, this, [this] {
        showBadge();
        emit moved();
    });
    connect(badge_, &ShiftBadge::clicked, &moment_, &ShownMoment::returnToNow);
    QAccessible::installActivationObserver(this);
}

LookAhead::~LookAhead()
{
    QAccessible::removeActivationObserver(this);
}

ClockTexts& LookAhead::texts()
{
    if (!texts_) {
        texts_ = std::make_unique<ClockTexts>(labels_);
    }
    return *texts_;
}

void LookAhead::accessibilityActiveChanged(bool active)
{
    // A screen reader that starts later finds every clock named at once.
    if (active) {
        refreshTexts();
        updateTexts(moment_.shown(QDateTime::currentDateTimeUtc()));
    }
}

void LookAhead::showBadge()
{
    badge_->showShift(texts().shiftText(moment_.nominalShiftMs()),
                      labels_.getString(QStringLiteral("lbl.lookahead.backtonow")));
    placeBadge();
}

void LookAhead::placeBadge()
{
    // Over the window's top trailing corner, outside its layout: the clocks stay where
    // they are while the badge comes and goes.
    // On the window's edge, where it hides the least of the first clock.
    constexpr int margin = 1;
    const int x = window_->layoutDirection() == Qt::RightToLeft
                      ? margin
                      : window_->width() - badge_->width() - margin;
    badge_->move(std::max(x, 0), 0);
    badge_->raise();
}

bool LookAhead::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::Wheel:
            return wheel(static_cast<QWheelEvent*>(event));
        case QEvent::KeyPress:
            return key(static_cast<QKeyEvent*>(event));
        case QEvent::ToolTip:
            return toolTip(static_cast<QHelpEvent*>(event));
        case QEvent::Resize:
        case QEvent::LayoutDirectionChange:
            placeBadge();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool LookAhead::wheel(QWheelEvent* event)
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

bool LookAhead::key(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        QGuiApplication::clipboard()->setText(copyText(QDateTime::currentDateTimeUtc()));
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

bool LookAhead::toolTip(QHelpEvent* event)
{
    // Not over a clock, the window's own tooltip names the gestures.
    for (const QWidget* under = window_->childAt(event->pos()); under != nullptr;
         under = under->parentWidget()) {
        for (const auto& clock : clocks_) {
            const QWidget* label = clock->getNameLbl();
            if (under == label || under == label->parentWidget() ||
                under->parentWidget() == label->parentWidget()) {
                QToolTip::showText(
                    event->globalPos(),
                    texts().tooltip(clock->zone(), moment_.shown(QDateTime::currentDateTimeUtc())),
                    window_);
                return true;
            }
        }
    }
    return false;
}

void LookAhead::reset()
{
    moment_.returnToNow();
    refreshTexts();
}

void LookAhead::updateTexts(const QDateTime& shown)
{
    if (!QAccessible::isActive()) {
        return;
    }
    const qint64 minute = shown.toMSecsSinceEpoch() / 60'000;
    const qint64 shift = moment_.nominalShiftMs();
    if (minute == textsMinute_ && shift == textsShift_) {
        return;
    }
    textsMinute_ = minute;
    textsShift_ = shift;
    for (const auto& clock : clocks_) {
        const QString text = texts().tooltip(clock->zone(), shown);
        for (QLabel* label : {clock->getNameLbl(), clock->getTimeLbl(), clock->getTimeZoneLbl(),
                              clock->getDateLbl()}) {
            label->setAccessibleDescription(text);
        }
        // The card or group around the clock is the one element a screen reader names.
        if (QWidget* group = clock->getNameLbl()->parentWidget(); group != nullptr) {
            group->setAccessibleName(texts().accessibleName(*clock, shown));
            group->setAccessibleDescription(text);
        }
    }
}

QString LookAhead::copyText(const QDateTime& now)
{
    const QDateTime shownNow = moment_.shown(now);
    QStringList lines;
    const qint64 shift = moment_.nominalShiftMs();
    if (shift != 0) {
        lines.append(utils::TextFormat::message(
            labels_.getString(QStringLiteral("lbl.copy.shifted")), {texts().shiftText(shift)}));
    }
    const QString datePattern = uP_->getDatePattern(MyConstants::DEFAULT_DATE_PATTERN);
    const QString timePattern = uP_->getTimePattern(MyConstants::DEFAULT_TIME_PATTERN);
    for (const auto& clock : clocks_) {
        lines.append(texts().copyLine(*clock, shownNow, datePattern, timePattern));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace vantor
