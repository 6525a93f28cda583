#pragma once

#include "utils/gui/preferences/PreferenceNode.h"
#include "vantor/planning/WorkingHours.h"

#include <QString>
#include <QStringList>

namespace vantor {

// The application's own settings, read from and written to the store at once.
class UserPreferences
{
public:
    explicit UserPreferences(const QString& mainClass);

    QString getDatePattern(const QString& def) const;
    void setDatePattern(const QString& pattern);
    QString getTimePattern(const QString& def) const;
    void setTimePattern(const QString& pattern);
    int getTimeFontSize() const;
    void setTimeFontSize(int size);
    bool isVerticalLayout() const;
    void setVerticalLayout(bool vertical);
    bool isRoundFlags() const;
    void setRoundFlags(bool round);
    bool isOnTaskBar() const;
    void setOnTaskBar(bool onTaskBar);
    bool isAlwaysOnTop() const;
    void setAlwaysOnTop(bool onTop);
    bool isDarkMode() const;
    void setDarkMode(bool dark);
    // The working hours' start and end as "HH:mm" (the Settings dialog offers quarter
    // hours; any other valid time stored by hand stays); "09:00" and "17:00" by default.
    QString getWorkStart() const;
    void setWorkStart(const QString& time);
    QString getWorkEnd() const;
    void setWorkEnd(const QString& time);
    // The stored start and end as the working hours of every clock.
    WorkingHours getWorkingHours() const;
    bool isShowWorkingHours() const;
    void setShowWorkingHours(bool show);

    // The stored zone list split at ";" (empty trailing pieces dropped), or while none is
    // stored a four-zone default starting with the local zone.
    QStringList getTimeZones() const;
    void setTimeZones(const QString& joined);
    // The default list for a given local zone; getTimeZones() uses the system's zone.
    static QString defaultTimeZones(const QString& localZone);
    // The clocks' own names, one per zone of getTimeZones() and in its order, empty for a
    // clock shown by its city. All empty while none is stored, and, with a line in the
    // log, while the stored count does not match the zones (a hand edit of the zones):
    // the stored names then stay as they are until the next setTimeZoneLabels().
    QStringList getTimeZoneLabels() const;
    // Stores the names with the zones just stored; without any name the key goes, so the
    // file stays as older versions wrote it. "%" and ";" are stored as "%25" and "%3B".
    void setTimeZoneLabels(const QStringList& labels);

    int getHandler(const QString& key, int def) const;
    qint64 getHandler(const QString& key, qint64 def) const;
    QString getHandler(const QString& key, const QString& def) const;
    void setHandler(const QString& key, int value);
    void setHandler(const QString& key, qint64 value);
    void setHandler(const QString& key, const QString& value);
    void remove(const QString& key);

    // The values another program stored since they were read.
    void reload() { prefs.reload(); }

    // Forgets the display settings; zones, scheme, on-top and task-bar settings stay.
    void removePreferences();

private:
    // The stored time of day, or the default where it is not one as "HH:mm".
    QString getTimeOfDay(const QString& key, const QString& def) const;

    utils::PreferenceNode prefs;
};

} // namespace vantor
