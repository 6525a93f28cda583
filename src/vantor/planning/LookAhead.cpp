#include "vantor/planning/LookAhead.h"

#include "utils/handlers/LanguageTable.h"
#include "utils/handlers/TextFormat.h"
#include "vantor/objects/TimeZoneObject.h"
#include "vantor/preferences/UserPreferences.h"

namespace vantor {

LookAhead::LookAhead(QWidget* window, const utils::LanguageTable& labels, UserPreferences* uP,
                     const ClockPresentation::Clocks& clocks)
    : labels_(labels), uP_(uP), clocks_(clocks), presentation_(window, labels, uP, clocks, moment_),
      input_(
          window, moment_,
          [this] { return presentation_.copyText(QDateTime::currentDateTimeUtc()); },
          [this](CommonSlot::Direction direction) { toCommonSlot(direction); }),
      entry_(window, labels, clocks, moment_)
{
    connect(&moment_, &ShownMoment::changed, this, [this] {
        presentation_.showBadge();
        emit moved();
    });
}

void LookAhead::reset()
{
    moment_.returnToNow();
    presentation_.refreshTexts();
    entry_.attach();
}

void LookAhead::toCommonSlot(CommonSlot::Direction direction)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    // From the minute shown: Shift+N right after N goes back past the slot N found.
    const QDateTime from = moment_.shownMinute(now);
    QList<Place> places;
    for (const auto& clock : clocks_) {
        places.append(clock->place());
    }
    if (const std::optional<QDateTime> slot =
            CommonSlot::find(uP_->getWorkingHours(), places, from, direction)) {
        moment_.moveTo(*slot, now);
        return;
    }
    presentation_.showNote(
        utils::TextFormat::message(labels_.getString(direction == CommonSlot::Direction::Ahead
                                                         ? QStringLiteral("lbl.slot.none.ahead")
                                                         : QStringLiteral("lbl.slot.none.back")),
                                   CommonSlot::searchDays));
}

} // namespace vantor
