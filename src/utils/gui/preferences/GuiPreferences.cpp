#include "utils/gui/preferences/GuiPreferences.h"

#include "utils/objects/constants/GUIConstants.h"

#include <QGuiApplication>
#include <QScreen>

namespace utils {

GuiPreferences::GuiPreferences(const QString& mainClass) : prefs(mainClass)
{}

QPoint GuiPreferences::getMainWindowLocation(int defX, int defY) const
{
    return {prefs.getInt(GUIConstants::KEY_MAIN_WINDOW_POSX, defX),
            prefs.getInt(GUIConstants::KEY_MAIN_WINDOW_POSY, defY)};
}

void GuiPreferences::setMainWindowLocation(int x, int y)
{
    prefs.putInt(GUIConstants::KEY_MAIN_WINDOW_POSX, x);
    prefs.putInt(GUIConstants::KEY_MAIN_WINDOW_POSY, y);
}

int GuiPreferences::getFontFixedWidthSize() const
{
    return prefs.getInt(GUIConstants::KEY_FONT_FIXED_WIDTH_SIZE, GUIConstants::DEFAULT_FONT_SIZE);
}

void GuiPreferences::setFontFixedWidthSize(int size)
{
    prefs.putInt(GUIConstants::KEY_FONT_FIXED_WIDTH_SIZE, size);
}

int GuiPreferences::getFontVariableWidthSize() const
{
    return getFontVariableWidthSize(GUIConstants::DEFAULT_FONT_SIZE);
}

int GuiPreferences::getFontVariableWidthSize(int def) const
{
    return prefs.getInt(GUIConstants::KEY_FONT_VARIABLE_WIDTH_SIZE, def);
}

void GuiPreferences::setFontVariableWidthSize(int size)
{
    prefs.putInt(GUIConstants::KEY_FONT_VARIABLE_WIDTH_SIZE, size);
}

bool GuiPreferences::isLargeFont() const
{
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    return isLargeFont(screen != nullptr ? screen->logicalDotsPerInch() : 96.0);
}

bool GuiPreferences::isLargeFont(qreal screenDotsPerInch) const
{
    if (prefs.contains(GUIConstants::KEY_LARGE_FONT)) {
        // Any stored text other than true counts as false.
        return prefs.get(GUIConstants::KEY_LARGE_FONT, QString())
                   .compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0;
    }
    return getFontVariableWidthSize() > GUIConstants::LARGE_FONT_SIZE_LIMIT ||
           screenDotsPerInch >= GUIConstants::LARGE_FONT_DPI;
}

qint64 GuiPreferences::getHandler(const QString& key, qint64 def) const
{
    return prefs.getLong(key, def);
}

QString GuiPreferences::getHandler(const QString& key, const QString& def) const
{
    return prefs.get(key, def);
}

void GuiPreferences::setHandler(const QString& key, qint64 value)
{
    prefs.putLong(key, value);
}

void GuiPreferences::setHandler(const QString& key, const QString& value)
{
    prefs.put(key, value);
}

void GuiPreferences::remove(const QString& key)
{
    prefs.remove(key);
}

void GuiPreferences::removePreferences()
{
    for (const QString& key :
         {GUIConstants::KEY_EDIT_WINDOW_WIDTH, GUIConstants::KEY_EDIT_WINDOW_HEIGHT,
          GUIConstants::KEY_LARGE_FONT, GUIConstants::KEY_FONT_FIXED_WIDTH_SIZE,
          GUIConstants::KEY_MAIN_TOOLBAR_POSITION, GUIConstants::KEY_MAIN_WINDOW_HEIGHT,
          GUIConstants::KEY_MAIN_WINDOW_WIDTH, GUIConstants::KEY_MAIN_WINDOW_POSX,
          GUIConstants::KEY_MAIN_WINDOW_POSY, GUIConstants::KEY_LOCALE}) {
        prefs.remove(key);
    }
}

} // namespace utils
