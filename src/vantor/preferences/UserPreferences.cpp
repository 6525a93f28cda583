#include "vantor/preferences/UserPreferences.h"

#include "utils/gui/handlers/Logger.h"
#include "vantor/objects/MyConstants.h"

#include <QTime>
#include <QTimeZone>
#include <QUrl>

#include <algorithm>

namespace vantor {

namespace {

const QString KEY_WORK_START = QStringLiteral("WorkStart");
const QString KEY_WORK_END = QStringLiteral("WorkEnd");
const QString KEY_SHOW_WORKING_HOURS = QStringLiteral("ShowWorkingHours");
const QString KEY_TIME_ZONE_LABELS = QStringLiteral("TimeZoneLabels");
const QString TIME_OF_DAY_FORMAT = QStringLiteral("HH:mm");

} // namespace

UserPreferences::UserPreferences(const QString& mainClass) : prefs(mainClass)
{}

QString UserPreferences::getDatePattern(const QString& def) const
{
    return prefs.get(MyConstants::KEY_DATE_PATTERN, def);
}

void UserPreferences::setDatePattern(const QString& pattern)
{
    prefs.put(MyConstants::KEY_DATE_PATTERN, pattern);
}

QString UserPreferences::getTimePattern(const QString& def) const
{
    return prefs.get(MyConstants::KEY_TIME_PATTERN, def);
}

void UserPreferences::setTimePattern(const QString& pattern)
{
    prefs.put(MyConstants::KEY_TIME_PATTERN, pattern);
}

int UserPreferences::getTimeFontSize() const
{
    return prefs.getInt(MyConstants::KEY_TIME_FONT_WIDTH, MyConstants::DEFAULT_FONT_WIDTH);
}

void UserPreferences::setTimeFontSize(int size)
{
    prefs.putInt(MyConstants::KEY_TIME_FONT_WIDTH, size);
}

bool UserPreferences::isVerticalLayout() const
{
    return prefs.getBoolean(MyConstants::KEY_VERTICAL_LAYOUT, true);
}

void UserPreferences::setVerticalLayout(bool vertical)
{
    prefs.putBoolean(MyConstants::KEY_VERTICAL_LAYOUT, vertical);
}

bool UserPreferences::isRoundFlags() const
{
    return prefs.getBoolean(MyConstants::KEY_ROUND_FLAGS, true);
}

void UserPreferences::setRoundFlags(bool round)
{
    prefs.putBoolean(MyConstants::KEY_ROUND_FLAGS, round);
}

bool UserPreferences::isOnTaskBar() const
{
    return prefs.getBoolean(MyConstants::KEY_ON_TASKBAR, false);
}

void UserPreferences::setOnTaskBar(bool onTaskBar)
{
    prefs.putBoolean(MyConstants::KEY_ON_TASKBAR, onTaskBar);
}

bool UserPreferences::isAlwaysOnTop() const
{
    return prefs.getBoolean(MyConstants::KEY_ALWAYS_ON_TOP, true);
}

void UserPreferences::setAlwaysOnTop(bool onTop)
{
    prefs.putBoolean(MyConstants::KEY_ALWAYS_ON_TOP, onTop);
}

bool UserPreferences::isDarkMode() const
{
    return prefs.getBoolean(MyConstants::KEY_DARK_MODE, false);
}

void UserPreferences::setDarkMode(bool dark)
{
    prefs.putBoolean(MyConstants::KEY_DARK_MODE, dark);
}

QString UserPreferences::getTimeOfDay(const QString& key, const QString& def) const
{
    const QString text = prefs.get(key, def);
    // Two digits each, as the dialog writes them: "9:00" is not taken either.
    if (text.size() != TIME_OF_DAY_FORMAT.size() ||
        !QTime::fromString(text, TIME_OF_DAY_FORMAT).isValid()) {
        utils::Logger::logOnce(key + QLatin1Char('=') + text,
                               QStringLiteral("Ignoring stored %1=%2: not a time as %3; using "
                                              "the default.")
                                   .arg(key, utils::Logger::excerpt(text), TIME_OF_DAY_FORMAT));
        return def;
    }
    return text;
}

QString UserPreferences::getWorkStart() const
{
    return getTimeOfDay(KEY_WORK_START, QStringLiteral("09:00"));
}

void UserPreferences::setWorkStart(const QString& time)
{
    prefs.put(KEY_WORK_START, time);
}

QString UserPreferences::getWorkEnd() const
{
    return getTimeOfDay(KEY_WORK_END, QStringLiteral("17:00"));
}

void UserPreferences::setWorkEnd(const QString& time)
{
    prefs.put(KEY_WORK_END, time);
}

WorkingHours UserPreferences::getWorkingHours() const
{
    return {QTime::fromString(getWorkStart(), TIME_OF_DAY_FORMAT),
            QTime::fromString(getWorkEnd(), TIME_OF_DAY_FORMAT)};
}

bool UserPreferences::isShowWorkingHours() const
{
    return prefs.getBoolean(KEY_SHOW_WORKING_HOURS, true);
}

void UserPreferences::setShowWorkingHours(bool show)
{
    prefs.putBoolean(KEY_SHOW_WORKING_HOURS, show);
}

QString UserPreferences::defaultTimeZones(const QString& localZone)
{
    // A plain substring test on each whole list, so a local zone that is part of a
    // list moves on to the next one.
    const QStringList& lists = MyConstants::DEFAULT_TIME_ZONES;
    for (qsizetype i = 0; i + 1 < lists.size(); ++i) {
        if (lists[i].contains(localZone)) {
            return localZone + QLatin1Char(';') + lists[i + 1];
        }
    }
    return localZone + QLatin1Char(';') + lists[0];
}

QStringList UserPreferences::getTimeZones() const
{
    QString joined = prefs.get(MyConstants::KEY_TIME_ZONES, QString());
    if (!prefs.contains(MyConstants::KEY_TIME_ZONES)) {
        const QString local = QString::fromUtf8(QTimeZone::systemTimeZoneId());
        joined = defaultTimeZones(local.isEmpty() ? QStringLiteral("UTC") : local);
    }
    QStringList zones = joined.split(QLatin1Char(';'));
    // Empty entries (";;") name no zone; the others still count. An empty list and a
    // trailing ";" are no mistake worth a line.
    const qsizetype expected = joined.isEmpty() || joined.endsWith(QLatin1Char(';')) ? 1 : 0;
    if (zones.removeAll(QString()) > expected) {
        utils::Logger::logOnce(
            QStringLiteral("zones ") + joined,
            QStringLiteral("Ignoring the empty entries of stored %1=%2.")
                .arg(MyConstants::KEY_TIME_ZONES, utils::Logger::excerpt(joined)));
    }
    return zones;
}

void UserPreferences::setTimeZones(const QString& joined)
{
    prefs.put(MyConstants::KEY_TIME_ZONES, joined);
}

QStringList UserPreferences::getTimeZoneLabels() const
{
    const qsizetype count = getTimeZones().size();
    QStringList labels(count);
    if (!prefs.contains(KEY_TIME_ZONE_LABELS)) {
        return labels;
    }
    const QString joined = prefs.get(KEY_TIME_ZONE_LABELS, QString());
    const QStringList stored = joined.split(QLatin1Char(';'));
    if (stored.size() != count) {
        utils::Logger::logOnce(
            QStringLiteral("labels ") + joined,
            QStringLiteral("Ignoring stored %1=%2: %3 names for %4 zones; the clocks show their "
                           "cities.")
                .arg(KEY_TIME_ZONE_LABELS, utils::Logger::excerpt(joined))
                .arg(stored.size())
                .arg(count));
        return labels;
    }
    std::transform(stored.begin(), stored.end(), labels.begin(),
                   [](const QString& piece) { return QUrl::fromPercentEncoding(piece.toUtf8()); });
    return labels;
}

void UserPreferences::setTimeZoneLabels(const QStringList& labels)
{
    if (std::all_of(labels.begin(), labels.end(), [](const QString& l) { return l.isEmpty(); })) {
        prefs.remove(KEY_TIME_ZONE_LABELS);
        return;
    }
    QStringList pieces;
    for (QString label : labels) {
        pieces.append(label.replace(QLatin1Char('%'), QLatin1String("%25"))
                          .replace(QLatin1Char(';'), QLatin1String("%3B")));
    }
    prefs.put(KEY_TIME_ZONE_LABELS, pieces.join(QLatin1Char(';')));
}

int UserPreferences::getHandler(const QString& key, int def) const
{
    return prefs.getInt(key, def);
}

qint64 UserPreferences::getHandler(const QString& key, qint64 def) const
{
    return prefs.getLong(key, def);
}

QString UserPreferences::getHandler(const QString& key, const QString& def) const
{
    return prefs.get(key, def);
}

void UserPreferences::setHandler(const QString& key, int value)
{
    prefs.putInt(key, value);
}

void UserPreferences::setHandler(const QString& key, qint64 value)
{
    prefs.putLong(key, value);
}

void UserPreferences::setHandler(const QString& key, const QString& value)
{
    prefs.put(key, value);
}

void UserPreferences::remove(const QString& key)
{
    prefs.remove(key);
}

void UserPreferences::removePreferences()
{
    for (const QString& key : {MyConstants::KEY_DATE_PATTERN, MyConstants::KEY_TIME_PATTERN,
                               MyConstants::KEY_TIME_FONT_WIDTH, MyConstants::KEY_VERTICAL_LAYOUT,
                               MyConstants::KEY_ROUND_FLAGS}) {
        prefs.remove(key);
    }
}

} // namespace vantor
