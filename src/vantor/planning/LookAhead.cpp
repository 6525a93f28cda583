#include "vantor/planning/LookAhead.h"

namespace vantor {

LookAhead::LookAhead(QWidget* window, const utils::LanguageTable& labels, UserPreferences* uP,
                     const ClockPresentation::Clocks& clocks)
    : presentation_(window, labels, uP, clocks, moment_), input_(window, moment_, [this] {
          return presentation_.copyText(QDateTime::currentDateTimeUtc());
      })
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
}

} // namespace vantor
