#include "utils/gui/handlers/ToolkitDefaults.h"

#include "utils/gui/handlers/Logger.h"

#include <QApplication>
#include <QPalette>

namespace utils {

namespace {

struct Target
{
    const char* className;
    QPalette::ColorRole role;
};

// Each name stands for one colour role of the palette Qt gives a class of widgets.
bool target(const QString& key, Target* out)
{
    if (key == QLatin1String("OptionPane.background")) {
        *out = {"QMessageBox", QPalette::Window};
    } else if (key == QLatin1String("OptionPane.messageForeground")) {
        *out = {"QMessageBox", QPalette::WindowText};
    } else if (key == QLatin1String("Panel.background")) {
        *out = {"QDialog", QPalette::Window};
    } else if (key == QLatin1String("Label.foreground")) {
        *out = {"QLabel", QPalette::WindowText};
    } else {
        return false;
    }
    return true;
}

const QStringList& keys()
{
    static const QStringList all = {
        QStringLiteral("OptionPane.background"), QStringLiteral("OptionPane.messageForeground"),
        QStringLiteral("Panel.background"), QStringLiteral("Label.foreground")};
    return all;
}

} // namespace

QColor ToolkitDefaults::get(const QString& key)
{
    Target t{};
    if (!target(key, &t)) {
        Logger::log(QStringLiteral("Unknown toolkit default \"%1\".").arg(key));
        return {};
    }
    return QApplication::palette(t.className).color(t.role);
}

void ToolkitDefaults::put(const QString& key, const QColor& color)
{
    Target t{};
    if (!target(key, &t)) {
        Logger::log(QStringLiteral("Unknown toolkit default \"%1\".").arg(key));
        return;
    }
    QPalette palette = QApplication::palette(t.className);
    palette.setColor(t.role, color);
    QApplication::setPalette(palette, t.className);
}

ToolkitDefaults::Snapshot ToolkitDefaults::save()
{
    Snapshot snapshot;
    for (const QString& key : keys()) {
        snapshot.insert(key, get(key));
    }
    return snapshot;
}

void ToolkitDefaults::restore(const Snapshot& snapshot)
{
    for (auto it = snapshot.begin(); it != snapshot.end(); ++it) {
        put(it.key(), it.value());
    }
}

} // namespace utils
