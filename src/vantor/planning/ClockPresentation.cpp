#include "vantor/planning/ClockPresentation.h"

#include "utils/handlers/LanguageTable.h"
#include "utils/handlers/TextFormat.h"
#include "vantor/clocks/ClockFrame.h"
#include "vantor/objects/MyConstants.h"
#include "vantor/objects/TimeZoneObject.h"
#include "vantor/planning/ShiftBadge.h"
#include "vantor/preferences/UserPreferences.h"
#include "vantor/time/ShownMoment.h"

#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>
#include <QWidget>

#include <algorithm>

namespace vantor {

ClockPresentation::ClockPresentation(QWidget* window, const utils::LanguageTable& labels,
                                     UserPreferences* uP, const Clocks& clocks, ShownMoment& moment)
    : window_(window), labels_(labels), uP_(uP), clocks_(clocks), moment_(moment),
      badge_(new ShiftBadge(window))
{
    // The gestures of looking ahead, then those of planning.
    window->setToolTip(labels.getString(QStringLiteral("lbl.tip.window")) + QLatin1Char('\n') +
                       labels.getString(QStringLiteral("lbl.tip.planning")));
    window->installEventFilter(this);
    // Wherever its text changes its size, the badge stays in the corner.
    badge_->installEventFilter(this);
    connect(badge_, &ShiftBadge::clicked, &moment_, &ShownMoment::returnToNow);
    QAccessible::installActivationObserver(this);
}

ClockPresentation::~ClockPresentation()
{
    QAccessible::removeActivationObserver(this);
}

ClockTexts& ClockPresentation::texts()
{
    if (!texts_) {
        texts_ = std::make_unique<ClockTexts>(labels_);
    }
    return *texts_;
}

void ClockPresentation::accessibilityActiveChanged(bool active)
{
    // A screen reader that starts later finds every clock named at once.
    if (active) {
        refreshTexts();
        updateTexts(moment_.shown(QDateTime::currentDateTimeUtc()));
    }
}

void ClockPresentation::showBadge()
{
    badge_->showShift(texts().shiftText(moment_.nominalShiftMs()),
                      labels_.getString(QStringLiteral("lbl.lookahead.backtonow")));
}

void ClockPresentation::showNote(const QString& text)
{
    badge_->showNote(text);
}

void ClockPresentation::placeBadge()
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

bool ClockPresentation::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == badge_ && event->type() == QEvent::Resize) {
        placeBadge();
    }
    if (watched == window_) {
        switch (event->type()) {
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

bool ClockPresentation::toolTip(QHelpEvent* event)
{
    // Not over a clock, the window's own tooltip names the gestures.
    for (const QWidget* under = window_->childAt(event->pos()); under != nullptr;
         under = under->parentWidget()) {
        for (const auto& clock : clocks_) {
            const QWidget* label = clock->getNameLbl();
            if (under == label || under == label->parentWidget() ||
                under->parentWidget() == label->parentWidget()) {
                QToolTip::showText(event->globalPos(),
                                   tooltip(*clock, moment_.shown(QDateTime::currentDateTimeUtc())),
                                   window_);
                return true;
            }
        }
    }
    return false;
}

QString ClockPresentation::tooltip(const TimeZoneObject& clock, const QDateTime& shown)
{
    // The state of the last refresh, which the clock's mark shows.
    const QString tip =
        texts().tooltip(clock.zone(), shown, clock.dayState(), clock.standardOffset());
    const QString name = texts().nameLine(clock);
    return name.isEmpty() ? tip : name + QLatin1Char('\n') + tip;
}

void ClockPresentation::updateTexts(const QDateTime& shown)
{
    if (!QAccessible::isActive()) {
        return;
    }
    const qint64 minute = shown.toMSecsSinceEpoch() / 60'000;
    const qint64 shift = moment_.nominalShiftMs();
    if (minute == textsMinute_ && shift == textsShift_) {
        return;
    }
    // The clocks moved: the focused one says where to. The minutes that pass change the
    // names without a word.
    const bool moved = shift != textsShift_;
    textsMinute_ = minute;
    textsShift_ = shift;
    for (const auto& clock : clocks_) {
        const QString text = tooltip(*clock, shown);
        for (QLabel* label : {clock->getNameLbl(), clock->getTimeLbl(), clock->getTimeZoneLbl(),
                              clock->getDateLbl()}) {
            label->setAccessibleDescription(text);
        }
        // The card or group around the clock is the one element a screen reader names.
        if (auto* frame = qobject_cast<ClockFrame*>(clock->getNameLbl()->parentWidget())) {
            frame->setSpokenName(texts().accessibleName(*clock, shown, shift), moved);
            frame->setAccessibleDescription(text);
        }
    }
}

QString ClockPresentation::copyText(const QDateTime& now)
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
