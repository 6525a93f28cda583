#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QStringList>

namespace vantor {

// Notices a tz data update (new rules for a shown zone, a package upgrade) or a new local
// zone (travel: /etc/localtime relinked) so the clocks follow it without a restart. It
// looks at the files at most every CHECK_MS, from the refresh the window runs anyway,
// never on a timer of its own.
class ZoneRulesWatcher
{
public:
    static constexpr qint64 CHECK_MS = 10'000;
    static inline const QString ZONE_INFO = QStringLiteral("/usr/share/zoneinfo");
    static inline const QString LOCAL_TIME = QStringLiteral("/etc/localtime");

    // Remembers the files of these zones, and the local zone's, as they are now.
    explicit ZoneRulesWatcher(const QStringList& zoneIds = {}, const QString& zoneInfo = ZONE_INFO,
                              const QString& localTime = LOCAL_TIME);

    // True once after a file of a watched zone changed; looks only when CHECK_MS passed.
    bool poll();
    // The same, looking at once.
    bool check();

private:
    struct Stamp
    {
        QDateTime modified;
        QDateTime born;
        qint64 size = -1;
        QString target;
        bool operator==(const Stamp&) const = default;
    };
    QList<Stamp> stamps() const;

    QStringList files_;
    QList<Stamp> stamps_;
    QElapsedTimer sinceCheck_;
};

} // namespace vantor
