#include "vantor/time/ZoneRulesWatcher.h"

#include "vantor/zones/ZoneFacts.h"

#include <QFileInfo>

namespace vantor {

ZoneRulesWatcher::ZoneRulesWatcher(const QStringList& zoneIds, const QString& zoneInfo,
                                   const QString& localTime)
    : files_{localTime}
{
    for (const QString& id : zoneIds) {
        const QString file =
            zoneInfo + QLatin1Char('/') + QString::fromUtf8(ZoneFacts::lookUp(id).id());
        if (!files_.contains(file)) {
            files_.append(file);
        }
    }
    stamps_ = stamps();
    sinceCheck_.start();
}

QList<ZoneRulesWatcher::Stamp> ZoneRulesWatcher::stamps() const
{
    QList<Stamp> result;
    result.reserve(files_.size());
    for (const QString& file : files_) {
        // An upgrade writes a new file and renames it over the old one; travel relinks
        // the local zone to another file.
        const QFileInfo info(file);
        result.append({info.lastModified(), info.birthTime(), info.exists() ? info.size() : -1,
                       info.symLinkTarget()});
    }
    return result;
}

bool ZoneRulesWatcher::poll()
{
    if (sinceCheck_.elapsed() < CHECK_MS) {
        return false;
    }
    return check();
}

bool ZoneRulesWatcher::check()
{
    sinceCheck_.restart();
    QList<Stamp> now = stamps();
    if (now == stamps_) {
        return false;
    }
    stamps_ = std::move(now);
    return true;
}

} // namespace vantor
