#pragma once

#include <QHash>
#include <QSettings>
#include <QString>

#include <memory>
#include <optional>

namespace utils {

// One node of the per-user preference store, named after a program's main class
// ("com.quorvane.vantor.Vantor" -> com/quorvane/vantor/Vantor.conf under the user's
// config directory). Every write is synced at once, so it survives a crash; reads of
// absent or unparsable values give the caller's default. A write the file cannot take
// in full (a full disk, a read-only one) leaves the file as it was and is logged; the
// value then holds for the rest of the run and goes to the file with the next write.
class PreferenceNode
{
public:
    explicit PreferenceNode(const QString& mainClass);
    PreferenceNode(const PreferenceNode&) = delete;
    PreferenceNode& operator=(const PreferenceNode&) = delete;
    ~PreferenceNode();

    // "/com/quorvane/vantor/Vantor" for the main class above.
    static QString nodePath(const QString& mainClass);

    bool contains(const QString& key) const;
    QString get(const QString& key, const QString& def) const;
    int getInt(const QString& key, int def) const;
    qint64 getLong(const QString& key, qint64 def) const;
    bool getBoolean(const QString& key, bool def) const;

    void put(const QString& key, const QString& value);
    void putInt(const QString& key, int value);
    void putLong(const QString& key, qint64 value);
    void putBoolean(const QString& key, bool value);
    void remove(const QString& key);

    QString fileName() const;
    // Reads the file again: QSettings keeps what it read, and another program may have
    // stored other values since.
    void reload() { settings_->sync(); }

private:
    // A value, or none for a removal.
    using Change = std::optional<QVariant>;
    void change(const QString& key, const Change& value, const QString& what);
    // Why the file could not take the stored values with these changes, or empty if it can.
    QString tryOut(const QHash<QString, Change>& changes) const;
    // The change the file has not taken yet for the key, if any.
    std::optional<Change> unsavedChange(const QString& key) const;
    void reportUnsaved(const QString& what, const QString& reason) const;
    // Reports a stored text that does not parse as the wanted type, once per key and text.
    void reportUnparsable(const QString& key, const QString& text, const char* type) const;

    std::unique_ptr<QSettings> settings_;
};

} // namespace utils
