#include "utils/gui/preferences/PreferenceNode.h"

#include "utils/gui/handlers/Logger.h"
#include "utils/handlers/StringUtils.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMutex>
#include <QSet>
#include <QStringDecoder>

namespace utils {

namespace {

// A file the INI reader would only half understand: Qt reads what it can and would
// rewrite the file from that on the next change, so keep the original bytes aside.
bool looksDamaged(const QString& fileName, QSettings::Status status)
{
    if (status == QSettings::FormatError) {
        return true;
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return bytes.contains('\0') || utf8.hasError();
}

void keepDamagedCopy(const QString& fileName)
{
    const QString copy = fileName + QStringLiteral(".damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (QFile::copy(fileName, copy)) {
        Logger::log(QStringLiteral("The settings file %1 is damaged; its readable values are "
                                   "used and the original is kept as %2.")
                        .arg(fileName, copy));
    } else {
        Logger::log(QStringLiteral("The settings file %1 is damaged and could not be copied "
                                   "aside; its readable values are used.")
                        .arg(fileName));
    }
}

// Changes a file could not take yet, per file name; shared by every node on the file.
struct Unsaved
{
    QMutex mutex;
    QHash<QString, QHash<QString, std::optional<QVariant>>> byFile;
};

Unsaved& unsaved()
{
    static Unsaved instance;
    return instance;
}

// Whether bytes are a whole INI file as QSettings writes it for that many keys: one
// line per key besides the section lines, and a line end at the end.
bool isWhole(const QByteArray& bytes, qsizetype keys)
{
    if (bytes.isEmpty() || !bytes.endsWith('\n')) {
        return keys == 0 && bytes.isEmpty();
    }
    qsizetype lines = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        if (!line.isEmpty() && !line.startsWith('[')) {
            ++lines;
        }
    }
    return lines == keys;
}

// QSettings takes "<file>.lock" around each write. A writer killed between creating that
// file and writing its owner into it leaves a lock nobody can check, which Qt breaks only
// after 30 s, with the window frozen. A live writer fills it at once, so one still
// without an owner after a second was left by a killed one.
void clearAbandonedLock(const QString& fileName)
{
    const QString lockName = fileName + QStringLiteral(".lock");
    const QFileInfo lock(lockName);
    if (!lock.exists() || QLockFile(lockName).getLockInfo(nullptr, nullptr, nullptr)) {
        return;
    }
    constexpr qint64 filledWithinMs = 1000;
    if (lock.lastModified().msecsTo(QDateTime::currentDateTime()) > filledWithinMs) {
        QFile::remove(lockName);
    }
}

QByteArray readAll(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString PreferenceNode::nodePath(const QString& mainClass)
{
    return QStringLiteral("/") +
           StringUtils::replaceAll(mainClass, QStringLiteral("."), QStringLiteral("/"));
}

PreferenceNode::PreferenceNode(const QString& mainClass)
{
    const QString path = nodePath(mainClass).mid(1);
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            path.left(qMax<qsizetype>(cut, 0)), path.mid(cut + 1));

    // Check each file once per run, not every time a node is opened on it.
    static QMutex checkedMutex;
    static QSet<QString> checked;
    const QString file = settings_->fileName();
    QMutexLocker lock(&checkedMutex);
    if (!checked.contains(file)) {
        checked.insert(file);
        if (settings_->status() == QSettings::AccessError) {
            Logger::log(QStringLiteral("The settings file %1 cannot be read; defaults are used.")
                            .arg(file));
        } else if (QFileInfo::exists(file) && looksDamaged(file, settings_->status())) {
            keepDamagedCopy(file);
        }
    }
}

PreferenceNode::~PreferenceNode() = default;

bool PreferenceNode::contains(const QString& key) const
{
    if (const std::optional<Change> change = unsavedChange(key)) {
        return change->has_value();
    }
    return settings_->contains(key);
}

QString PreferenceNode::get(const QString& key, const QString& def) const
{
    if (const std::optional<Change> change = unsavedChange(key)) {
        return change->has_value() ? (*change)->toString() : def;
    }
    const QVariant value = settings_->value(key);
    return value.isValid() ? value.toString() : def;
}

int PreferenceNode::getInt(const QString& key, int def) const
{
    if (!contains(key)) {
        return def;
    }
    const QString text = get(key, QString());
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) {
        reportUnparsable(key, text, "an integer");
        return def;
    }
    return value;
}

qint64 PreferenceNode::getLong(const QString& key, qint64 def) const
{
    if (!contains(key)) {
        return def;
    }
    const QString text = get(key, QString());
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok) {
        reportUnparsable(key, text, "a 64-bit integer");
        return def;
    }
    return value;
}

bool PreferenceNode::getBoolean(const QString& key, bool def) const
{
    if (!contains(key)) {
        return def;
    }
    const QString text = get(key, QString());
    if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    reportUnparsable(key, text, "true or false");
    return def;
}

void PreferenceNode::put(const QString& key, const QString& value)
{
    change(key, QVariant(value), QStringLiteral("store ") + key);
}

void PreferenceNode::putInt(const QString& key, int value)
{
    change(key, QVariant(value), QStringLiteral("store ") + key);
}

void PreferenceNode::putLong(const QString& key, qint64 value)
{
    change(key, QVariant(value), QStringLiteral("store ") + key);
}

void PreferenceNode::putBoolean(const QString& key, bool value)
{
    change(key, QVariant(value), QStringLiteral("store ") + key);
}

void PreferenceNode::remove(const QString& key)
{
    change(key, std::nullopt, QStringLiteral("remove ") + key);
}

QString PreferenceNode::fileName() const
{
    return settings_->fileName();
}

std::optional<PreferenceNode::Change> PreferenceNode::unsavedChange(const QString& key) const
{
    QMutexLocker lock(&unsaved().mutex);
    const auto file = unsaved().byFile.constFind(settings_->fileName());
    if (file == unsaved().byFile.cend() || !file->contains(key)) {
        return std::nullopt;
    }
    return file->value(key);
}

void PreferenceNode::change(const QString& key, const Change& value, const QString& what)
{
    QMutexLocker lock(&unsaved().mutex);
    QHash<QString, Change>& changes = unsaved().byFile[settings_->fileName()];
    changes.insert(key, value);
    // Qt 6.4 replaces the file even when the last part of it could not be written (a
    // full disk leaves it empty or cut short), so the whole new file is written beside
    // it first and the real one only once that copy came out whole.
    const QString reason = tryOut(changes);
    if (!reason.isEmpty()) {
        reportUnsaved(what, reason);
        return;
    }
    for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
        if (it->has_value()) {
            settings_->setValue(it.key(), **it);
        } else {
            settings_->remove(it.key());
        }
    }
    unsaved().byFile.remove(settings_->fileName());
    // The status keeps the first error of the object's life (a damaged file read at the
    // start stays a format error after every good write), so the file itself is checked.
    const bool failedBefore = settings_->status() == QSettings::AccessError;
    clearAbandonedLock(settings_->fileName());
    settings_->sync();
    const bool failed = !failedBefore && settings_->status() == QSettings::AccessError;
    if (failed || !isWhole(readAll(settings_->fileName()), settings_->allKeys().size())) {
        // QSettings keeps the values and writes them with the next change. A file cut
        // short here means the disk filled up between the trial and this write.
        reportUnsaved(what,
                      failed || failedBefore
                          ? QStringLiteral("the file cannot be written")
                          : QStringLiteral("it may have been cut short; the disk may be full"));
    }
}

QString PreferenceNode::tryOut(const QHash<QString, Change>& changes) const
{
    const QString trialName = settings_->fileName() + QStringLiteral(".trial");
    QFile::remove(trialName);
    QSettings::Status status = QSettings::NoError;
    qsizetype keys = 0;
    {
        QSettings trial(trialName, QSettings::IniFormat);
        trial.clear();
        for (const QString& key : settings_->allKeys()) {
            trial.setValue(key, settings_->value(key));
        }
        for (auto it = changes.cbegin(); it != changes.cend(); ++it) {
            if (it->has_value()) {
                trial.setValue(it.key(), **it);
            } else {
                trial.remove(it.key());
            }
        }
        clearAbandonedLock(trialName);
        trial.sync();
        status = trial.status();
        keys = trial.allKeys().size();
    }
    const bool whole = status == QSettings::NoError && isWhole(readAll(trialName), keys);
    QFile::remove(trialName);
    if (status == QSettings::AccessError) {
        return QStringLiteral("the file cannot be written");
    }
    if (!whole) {
        return QStringLiteral("the file could not be written in full; the disk may be full");
    }
    return {};
}

void PreferenceNode::reportUnsaved(const QString& what, const QString& reason) const
{
    // The value still holds for this run; only its durability is lost.
    Logger::log(QStringLiteral("Could not %1 in %2 (%3); the change lasts until the program "
                               "ends.")
                    .arg(what, settings_->fileName(), reason));
}

void PreferenceNode::reportUnparsable(const QString& key, const QString& text,
                                      const char* type) const
{
    Logger::logOnce(key + QLatin1Char('=') + text,
                    QStringLiteral("Ignoring stored %1=%2: not %3; using the default.")
                        .arg(key, Logger::excerpt(text), QLatin1String(type)));
}

} // namespace utils
