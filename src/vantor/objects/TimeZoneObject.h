#pragma once

#include "utils/handlers/DateFormatter.h"
#include "vantor/planning/WorkingHours.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QTimeZone>

#include <functional>
#include <optional>

class QLabel;

namespace utils {
class FittedLabel;
class ImageLabel;
class LanguageTable;
} // namespace utils

namespace vantor {

class DayStateCue;
class UserPreferences;

// One clock: a zone and the four labels that show its caption (the user's name for the
// clock, or else the city; with the country's flag), time, standard UTC offset and date, and, while
// the user wants working hours shown, the mark of its working-hours state.
class TimeZoneObject
{
public:
    // Time font sizes outside this range are shown at the nearest end of it.
    static constexpr int MIN_TIME_FONT_SIZE = 10;
    static constexpr int MAX_TIME_FONT_SIZE = 96;
    // Pixels between the time and the working-hours mark.
    static constexpr int CUE_GAP = 4;

    // The time font is the user's size, but at most maxTimeFontSize: a screen too small
    // for the clocks shows them smaller.
    TimeZoneObject(const QString& zoneId, const QDateTime& instant, UserPreferences* uP,
                   const std::optional<QString>& flagFileName, const utils::LanguageTable& labels,
                   const QString& label = QString(), int maxTimeFontSize = MAX_TIME_FONT_SIZE);
    TimeZoneObject(const TimeZoneObject&) = delete;
    TimeZoneObject& operator=(const TimeZoneObject&) = delete;
    ~TimeZoneObject();

    QLabel* getDateLbl() const;
    QLabel* getNameLbl() const;
    QSize getObjectDimension() const { return objectDimension; }
    QLabel* getTimeLbl() const;
    QLabel* getTimeZoneLbl() const;
    // The working-hours mark; null while the user has working hours hidden.
    DayStateCue* getStateCue() const;
    // What the clock shows, as data: its caption (the user's name for it, else the city;
    // in full, however it is cut on screen) and its offset text ("UTC+09:00").
    const QString& caption() const { return caption_; }
    // The user's name for the clock, empty for none, and the zone's city.
    const QString& label() const { return label_; }
    const QString& city() const { return city_; }
    // The zone's country (ISO 3166 code), empty for none.
    const QString& country() const { return country_; }
    // Cuts a named clock's caption with "…" where it would be wider than a clock of this
    // width; getObjectDimension() leaves a name out for that reason.
    void fitCaption(int clockWidth);
    const QString& offsetText() const { return offsetText_; }
    // The standard offset the clock shows, in seconds.
    int standardOffset() const { return standardOffset_; }
    // The working-hours state at the instant last shown.
    DayState dayState() const { return dayState_; }
    // The clock's zone; UTC for one the system database does not know.
    const QTimeZone& zone() const { return timeZone; }
    // The zone and its country, whose weekend the working hours follow.
    Place place() const { return {timeZone, country_}; }

    // Refreshes time, date, date colour, working-hours state and (after a change of
    // style) the flag, all for the one instant shown: now, or the moment the user looks
    // ahead to.
    void updateDateTime(const QDateTime& instant);
    // Looks the zone up again after the tz data changed, offset text included.
    void reloadZone(const QDateTime& instant);

    // "+05:30" for 19,800,000 ms; "+00:00" for zero.
    static QString calculateOffset(qint64 milliseconds);
    // Year x 1000 + day of year: orders dates across a year boundary too.
    static int dayNumber(const QDate& date);

private:
    void setDateLabelColor(const QDateTime& instant);
    void setStandardOffset(const QDateTime& instant);
    bool loadFlag(bool round);

    const QColor darkPurple{112, 13, 114};
    const QColor darkRed{212, 43, 50};
    const QColor darkGreen{42, 126, 55};
    const QColor lightBlue{114, 176, 234};
    UserPreferences* uP;
    QPointer<utils::ImageLabel> nameLbl;
    QPointer<utils::FittedLabel> timeLbl;
    QPointer<QLabel> timeZoneLbl;
    QPointer<QLabel> dateLbl;
    QPointer<DayStateCue> stateCue;
    const QString zoneId_;
    QTimeZone timeZone;
    const QString country_;
    const QString utcText_;
    const QString city_;
    const QString label_;
    const QString caption_;
    // What the clock needs beside its widest text: margins and the flag.
    int chromeWidth_ = 0;
    QString offsetText_;
    int standardOffset_ = 0;
    // The user's hours, read once per clock: the settings that change them rebuild it.
    const WorkingHours workingHours_;
    DayState dayState_;
    std::optional<QString> imageFileName;
    bool currentFlagsSetting = true;
    QSize objectDimension{0, 0};
    QFont myFont_vsm;
    QFont myFont_sm;
    QFont myFont;

    // Kept between ticks so a tick formats without building ICU formatters.
    utils::DateFormatter dateFormat;
    utils::DateFormatter timeFormat;
    QColor dateColor;
};

} // namespace vantor
