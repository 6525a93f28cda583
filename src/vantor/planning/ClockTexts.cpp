#include "vantor/planning/ClockTexts.h"

#include "utils/handlers/LanguageTable.h"
#include "utils/handlers/TextFormat.h"
#include "vantor/objects/TimeZoneObject.h"
#include "vantor/zones/ZoneFacts.h"

namespace vantor {

using utils::TextFormat;

ClockTexts::ClockTexts(const utils::LanguageTable& labels)
    : labels_(labels), fullDate_(TextFormat::skeletonPattern(QStringLiteral("yMMMMEEEEd")),
                                 QStringLiteral("EEEE, d MMMM y")),
      weekdayDate_(TextFormat::skeletonPattern(QStringLiteral("MMMMEEEEd")),
                   QStringLiteral("EEEE d MMMM")),
      changeTime_(TextFormat::skeletonPattern(QStringLiteral("jmm")), QStringLiteral("HH:mm")),
      copyDate_(QStringLiteral("EEE yyyy-MM-dd"), QStringLiteral("EEE yyyy-MM-dd")),
      copyTime_(QStringLiteral("HH:mm"), QStringLiteral("HH:mm"))
{}

QString ClockTexts::shiftText(qint64 shiftMs) const
{
    if (shiftMs == 0) {
        return {};
    }
    return TextFormat::message(labels_.getString(shiftMs > 0
                                                     ? QStringLiteral("lbl.lookahead.later")
                                                     : QStringLiteral("lbl.lookahead.earlier")),
                               {TextFormat::duration(shiftMs, TextFormat::Width::Narrow)});
}

QString ClockTexts::nameLine(const TimeZoneObject& clock) const
{
    if (clock.label().isEmpty()) {
        return {};
    }
    const QString place =
        clock.country().isEmpty()
            ? clock.city()
            : TextFormat::message(labels_.getString(QStringLiteral("lbl.label.place")),
                                  {clock.city(), ZoneFacts::countryName(clock.country())});
    return TextFormat::message(labels_.getString(QStringLiteral("lbl.label.tip")),
                               {clock.label(), place});
}

QString ClockTexts::withCity(const TimeZoneObject& clock, const QString& key) const
{
    if (clock.label().isEmpty()) {
        return clock.city();
    }
    return TextFormat::message(labels_.getString(key), {clock.label(), clock.city()});
}

QString ClockTexts::relationToLocal(const QTimeZone& zone, const QDateTime& shown) const
{
    const qint64 aheadMs =
        qint64(zone.offsetFromUtc(shown) - shown.toLocalTime().offsetFromUtc()) * 1000;
    if (aheadMs == 0) {
        return labels_.getString(QStringLiteral("lbl.tip.same"));
    }
    return TextFormat::message(labels_.getString(aheadMs > 0 ? QStringLiteral("lbl.tip.ahead")
                                                             : QStringLiteral("lbl.tip.behind")),
                               {TextFormat::duration(aheadMs, TextFormat::Width::Short)});
}

QString ClockTexts::comingChange(const QTimeZone& zone, const QDateTime& shown)
{
    if (!zone.hasTransitions()) {
        return {};
    }
    const QTimeZone::OffsetData next = zone.nextTransition(shown);
    if (!next.atUtc.isValid() || shown.msecsTo(next.atUtc) > CHANGE_AHEAD_MS) {
        return {};
    }
    const int before = zone.offsetFromUtc(next.atUtc.addMSecs(-1));
    const int change = next.offsetFromUtc - before;
    if (change == 0) {
        return {}; // a new name or a new standard time with the same offset
    }
    // Date and time as the zone's clocks read just before they change.
    const QTimeZone old(before);
    return TextFormat::message(
        labels_.getString(change > 0 ? QStringLiteral("lbl.tip.forward")
                                     : QStringLiteral("lbl.tip.back")),
        {TextFormat::duration(qint64(change) * 1000, TextFormat::Width::Short),
         weekdayDate_.format(next.atUtc, old), changeTime_.format(next.atUtc, old)});
}

QString ClockTexts::offsetText(int offset) const
{
    return labels_.getString(QStringLiteral("lbl.utc")) +
           TextFormat::utcOffset(qint64(offset) * 1000);
}

QString ClockTexts::withState(const QString& text, DayState state) const
{
    QString key;
    switch (state) {
    case DayState::Working:
        key = QStringLiteral("lbl.state.working");
        break;
    case DayState::Night:
        key = QStringLiteral("lbl.state.night");
        break;
    case DayState::DayOff:
        key = QStringLiteral("lbl.state.dayoff");
        break;
    case DayState::Outside:
        key = QStringLiteral("lbl.state.outside");
        break;
    }
    return TextFormat::message(labels_.getString(QStringLiteral("lbl.state.with")),
                               {text, labels_.getString(key)});
}

QString ClockTexts::tooltip(const QTimeZone& zone, const QDateTime& shown, DayState state,
                            int standardOffset)
{
    QStringList lines{withState(fullDate_.format(shown, zone), state),
                      relationToLocal(zone, shown)};
    const int offset = zone.offsetFromUtc(shown);
    if (offset != standardOffset) {
        lines.append(TextFormat::message(labels_.getString(QStringLiteral("lbl.tip.offsetnow")),
                                         {offsetText(offset)}));
    }
    const QString change = comingChange(zone, shown);
    if (!change.isEmpty()) {
        lines.append(change);
    }
    return lines.join(QLatin1Char('\n'));
}

QString ClockTexts::accessibleName(const TimeZoneObject& clock, const QDateTime& shown,
                                   qint64 shiftMs)
{
    const QTimeZone& zone = clock.zone();
    const QString name =
        withState(TextFormat::message(labels_.getString(QStringLiteral("lbl.copy.line")),
                                      {withCity(clock, QStringLiteral("lbl.label.spoken")),
                                       weekdayDate_.format(shown, zone),
                                       changeTime_.format(shown, zone), clock.offsetText()}),
                  clock.dayState());
    if (shiftMs == 0) {
        return name;
    }
    return TextFormat::message(labels_.getString(shiftMs > 0
                                                     ? QStringLiteral("lbl.spoken.later")
                                                     : QStringLiteral("lbl.spoken.earlier")),
                               {name, TextFormat::duration(shiftMs, TextFormat::Width::Wide)});
}

QString ClockTexts::copyLine(const TimeZoneObject& clock, const QDateTime& shown,
                             const QString& datePattern, const QString& timePattern)
{
    copyDate_.setPattern(utils::DateFormatter::usesLetter(datePattern, u"E")
                             ? datePattern
                             : QStringLiteral("EEE ") + datePattern);
    copyTime_.setPattern(timePattern);
    const QTimeZone& zone = clock.zone();
    return TextFormat::message(labels_.getString(QStringLiteral("lbl.copy.line")),
                               {withCity(clock, QStringLiteral("lbl.label.copy")),
                                copyDate_.format(shown, zone), copyTime_.format(shown, zone),
                                offsetText(zone.offsetFromUtc(shown))});
}

} // namespace vantor
