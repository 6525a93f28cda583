#pragma once

#include <QColor>
#include <QMap>
#include <QString>

namespace utils {

// The colours new message boxes, panels and labels take, under the names the windows
// use for them: "OptionPane.background", "OptionPane.messageForeground",
// "Panel.background" and "Label.foreground". A window that changes them for the time
// it is open saves them first and restores them when it closes.
class ToolkitDefaults
{
public:
    using Snapshot = QMap<QString, QColor>;

    ToolkitDefaults() = delete;

    static QColor get(const QString& key);
    // Unknown keys are a programming error: logged and ignored.
    static void put(const QString& key, const QColor& color);

    static Snapshot save();
    static void restore(const Snapshot& snapshot);
};

} // namespace utils
