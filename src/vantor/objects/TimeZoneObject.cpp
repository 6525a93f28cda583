#include "vantor/objects/TimeZoneObject.h"

#include "utils/gui/components/FittedLabel.h"
#include "utils/gui/components/ImageLabel.h"
#include "utils/gui/components/LayoutUtils.h"
#include "utils/gui/handlers/FontUtils.h"
#include "utils/gui/handlers/Logger.h"
#include "utils/handlers/LanguageTable.h"
#include "utils/handlers/TextFormat.h"
#include "utils/objects/constants/StandardColors.h"
#include "vantor/clocks/DayStateCue.h"
#include "vantor/handlers/CountryCodes.h"
#include "vantor/objects/MyConstants.h"
#include "vantor/preferences/UserPreferences.h"
#include "vantor/zones/ZoneFacts.h"

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>

#include <algorithm>

namespace vantor {

using utils::StandardColors;

namespace {

QFont sized(const QFont& templateFont, int pointSize)
{
    QFont font(templateFont);
    font.setPointSize(pointSize);
    return font;
}

// The zone to show, or UTC for one the system database does not know: the one place a
// clock falls back, so everything it shows and tells agrees.
QTimeZone lookUpZone(const QString& zoneId)
{
    const QTimeZone zone = ZoneFacts::lookUp(zoneId);
    if (zone.isValid()) {
        return zone;
    }
    utils::Logger::logOnce(QStringLiteral("zone ") + zoneId,
                           QStringLiteral("Unknown time zone %1: its clock shows UTC.")
                               .arg(utils::Logger::excerpt(zoneId)));
    return QTimeZone::utc();
}

} // namespace

TimeZoneObject::TimeZoneObject(const QString& zoneId, const QDateTime& instant, UserPreferences* uP,
                               const std::optional<QString>& flagFileName,
                               const utils::LanguageTable& labels, const QString& label,
                               int maxTimeFontSize)
    : uP(uP), zoneId_(zoneId), timeZone(lookUpZone(zoneId)),
      country_(CountryCodes().findCountryCode(zoneId).value_or(QString())),
      utcText_(labels.getString(QStringLiteral("lbl.utc"))),
      // The city in the user's language where CLDR names it, the identifier's last part
      // otherwise.
      city_(ZoneFacts::cityName(zoneId)), label_(label), caption_(label.isEmpty() ? city_ : label),
      workingHours_(uP->getWorkingHours()), dayState_(workingHours_.stateAt(place(), instant)),
      imageFileName(flagFileName), dateFormat(uP->getDatePattern(MyConstants::DEFAULT_DATE_PATTERN),
                                              MyConstants::DEFAULT_DATE_PATTERN),
      timeFormat(uP->getTimePattern(MyConstants::DEFAULT_TIME_PATTERN),
                 MyConstants::DEFAULT_TIME_PATTERN)
{
    const QLabel templateLabel;
    const int size = std::min(
        maxTimeFontSize,
        utils::FontUtils::usableFontSize(uP->getTimeFontSize(), MyConstants::KEY_TIME_FONT_WIDTH,
                                         MIN_TIME_FONT_SIZE, MAX_TIME_FONT_SIZE));
    myFont_vsm = sized(templateLabel.font(), size - 6);
    myFont_sm = sized(templateLabel.font(), size - 4);
    myFont = sized(templateLabel.font(), size);
    const bool dark = uP->isDarkMode();

    nameLbl = new utils::ImageLabel(caption_);
    nameLbl->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    if (!label_.isEmpty()) {
        // A name in another script than the window's reads in its own direction, the flag
        // leading it.
        nameLbl->setLayoutDirection(label_.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    }
    if (imageFileName && loadFlag(uP->isRoundFlags())) {
        objectDimension = QSize(16, 16);
    }
    nameLbl->setFont(myFont_sm);
    utils::LayoutUtils::setColors(nameLbl, dark ? lightBlue : StandardColors::NAME, {});

    timeLbl = new utils::FittedLabel(timeFormat.format(instant, timeZone));
    timeLbl->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    timeLbl->setFont(myFont);
    if (dark) {
        utils::LayoutUtils::setColors(timeLbl, StandardColors::LIGHT_TEXT, {});
    }

    setStandardOffset(instant);
    timeZoneLbl = new QLabel(offsetText_);
    timeZoneLbl->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    timeZoneLbl->setFont(myFont_vsm);
    utils::LayoutUtils::setColors(timeZoneLbl, darkGreen, {});

    dateLbl = new QLabel(dateFormat.format(instant, timeZone));
    dateLbl->setAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    dateLbl->setFont(myFont_sm);
    setDateLabelColor(instant);

    if (uP->isShowWorkingHours()) {
        // As high as a capital of the offset's font: a mark, not a second time.
        stateCue = new DayStateCue(QFontMetrics(myFont_vsm).capHeight() + 2, dark);
        stateCue->setState(dayState_);
    }

    int width = 0;
    int height = 0;
    for (const QLabel* shown : {getNameLbl(), getTimeLbl(), getTimeZoneLbl(), getDateLbl()}) {
        QSize extent = utils::FontUtils::getDimension(shown->text(), shown);
        if (shown == timeLbl && stateCue) {
            extent.rwidth() += stateCue->sizeHint().width() + CUE_GAP;
        }
        // A name of any length must not widen the clock: fitCaption() cuts it instead.
        if (shown != nameLbl || label_.isEmpty()) {
            width = std::max(width, extent.width());
        }
        height += extent.height();
    }
    chromeWidth_ = objectDimension.width() + 20;
    objectDimension += QSize(width + 20, height);
}

void TimeZoneObject::fitCaption(int clockWidth)
{
    if (label_.isEmpty()) {
        return;
    }
    const int room = std::max(0, clockWidth - chromeWidth_);
    const QString shown = QFontMetrics(nameLbl->font()).elidedText(label_, Qt::ElideRight, room);
    nameLbl->setText(shown);
    // A reader of the caption alone hears the whole name.
    nameLbl->setAccessibleName(shown == label_ ? QString() : label_);
}

TimeZoneObject::~TimeZoneObject()
{
    // Labels placed in a window belong to it; the others are ours to delete.
    for (QWidget* widget : std::initializer_list<QWidget*>{
             getNameLbl(), getTimeLbl(), getTimeZoneLbl(), getDateLbl(), getStateCue()}) {
        if (widget != nullptr && widget->parent() == nullptr) {
            delete widget;
        }
    }
}

QLabel* TimeZoneObject::getDateLbl() const
{
    return dateLbl;
}

QLabel* TimeZoneObject::getNameLbl() const
{
    return nameLbl;
}

QLabel* TimeZoneObject::getTimeLbl() const
{
    return timeLbl;
}

QLabel* TimeZoneObject::getTimeZoneLbl() const
{
    return timeZoneLbl;
}

DayStateCue* TimeZoneObject::getStateCue() const
{
    return stateCue;
}

bool TimeZoneObject::loadFlag(bool round)
{
    const QString path =
        utils::LayoutUtils::resourcePath((round ? QStringLiteral("images/flags-round/")
                                                : QStringLiteral("images/flags-rectangle/")) +
                                         *imageFileName);
    if (!QFile::exists(path)) {
        return false;
    }
    nameLbl->setIcon(utils::LayoutUtils::loadIcon(path));
    currentFlagsSetting = round;
    return true;
}

void TimeZoneObject::updateDateTime(const QDateTime& instant)
{
    dateFormat.setPattern(uP->getDatePattern(MyConstants::DEFAULT_DATE_PATTERN));
    timeFormat.setPattern(uP->getTimePattern(MyConstants::DEFAULT_TIME_PATTERN));
    if (imageFileName) {
        const bool round = uP->isRoundFlags();
        if (round != currentFlagsSetting) {
            loadFlag(round); // a failure keeps the old flag; the next tick tries again
        }
    }
    // A text equal to the shown one is ignored, so most ticks change only the seconds, and
    // the time label keeps its size and repaints alone.
    timeLbl->setFittedText(timeFormat.format(instant, timeZone));
    dateLbl->setText(dateFormat.format(instant, timeZone));
    setDateLabelColor(instant);
    dayState_ = workingHours_.stateAt(place(), instant);
    if (stateCue) {
        stateCue->setState(dayState_);
    }
}

void TimeZoneObject::reloadZone(const QDateTime& instant)
{
    timeZone = lookUpZone(zoneId_);
    setStandardOffset(instant);
    timeZoneLbl->setText(offsetText_);
}

void TimeZoneObject::setStandardOffset(const QDateTime& instant)
{
    // The zone's standard offset, shown all year.
    standardOffset_ = ZoneFacts::standardOffset(timeZone, instant);
    offsetText_ = utcText_ + calculateOffset(qint64(standardOffset_) * 1000);
}

QString TimeZoneObject::calculateOffset(qint64 milliseconds)
{
    return utils::TextFormat::utcOffset(milliseconds);
}

int TimeZoneObject::dayNumber(const QDate& date)
{
    return date.year() * 1000 + date.dayOfYear();
}

void TimeZoneObject::setDateLabelColor(const QDateTime& instant)
{
    // The instant the date text shows, so text and colour never disagree, also when a
    // refresh comes a little early at midnight.
    const int local = dayNumber(instant.toLocalTime().date());
    const int zone = dayNumber(instant.toTimeZone(timeZone).date());
    const bool dark = uP->isDarkMode();
    QColor color;
    if (zone > local) {
        color = dark ? StandardColors::AHEAD : darkPurple;
    } else if (zone < local) {
        color = darkRed;
    } else {
        color = dark ? StandardColors::LIGHT_TEXT : StandardColors::BASE;
    }
    if (color != dateColor) {
        dateColor = color;
        utils::LayoutUtils::setColors(dateLbl, color, {});
    }
}

} // namespace vantor
