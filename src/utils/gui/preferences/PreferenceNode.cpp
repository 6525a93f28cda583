#include "utils/gui/preferences/PreferenceNode.h"

#include "utils/gui/handlers/Logger.h"
#include "utils/handlers/StringUtils.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
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
    return settings_->contains(key);
}

QString PreferenceNode::get(const QString& key, const QString& def) const
{
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
    write(key, value);
}

void PreferenceNode::putInt(const QString& key, int value)
{
    write(key, value);
}

void PreferenceNode::putLong(const QString& key, qint64 value)
{
    write(key, value);
}

void PreferenceNode::putBoolean(const QString& key, bool value)
{
    write(key, value);
}

void PreferenceNode::remove(const QString& key)
{
    settings_->remove(key);
    commit(QStringLiteral("remove ") + key);
}

QString PreferenceNode::fileName() const
{
    return settings_->fileName();
}

void PreferenceNode::write(const QString& key, const QVariant& value)
{
    settings_->setValue(key, value);
    commit(QStringLiteral("store ") + key);
}

void PreferenceNode::commit(const QString& what)
{
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        // The value still holds for this run; only its durability is lost.
        Logger::log(QStringLiteral("Could not %1 in %2 (%3); the change lasts until the program "
                                   "ends.")
                        .arg(what, settings_->fileName(),
                             settings_->status() == QSettings::AccessError
                                 ? QStringLiteral("the file cannot be written")
                                 : QStringLiteral("the file is not in a readable format")));
    }
}

void PreferenceNode::reportUnparsable(const QString& key, const QString& text,
                                      const char* type) const
{
    static QMutex reportedMutex;
    static QSet<QString> reported;
    const QString entry = key + QLatin1Char('=') + text;
    QMutexLocker lock(&reportedMutex);
    if (!reported.contains(entry)) {
        reported.insert(entry);
        Logger::log(QStringLiteral("Ignoring stored %1=\"%2\": not %3; using the default.")
                        .arg(key, text, QLatin1String(type)));
    }
}

} // namespace utils
