#pragma once

#include "utils/gui/preferences/PreferenceNode.h"

#include <QPoint>
#include <QString>

namespace utils {

// Window and font settings shared by the maker's programs; same node as the program's own.
class GuiPreferences
{
public:
    explicit GuiPreferences(const QString& mainClass);

    QPoint getMainWindowLocation(int defX, int defY) const;
    void setMainWindowLocation(int x, int y);

    int getFontFixedWidthSize() const;
    void setFontFixedWidthSize(int size);
    int getFontVariableWidthSize() const;
    int getFontVariableWidthSize(int def) const;
    void setFontVariableWidthSize(int size);

    // The stored flag, or while none is stored: a large variable-width font or a
    // screen of 105 dots per inch or more.
    bool isLargeFont() const;
    bool isLargeFont(qreal screenDotsPerInch) const;

    qint64 getHandler(const QString& key, qint64 def) const;
    QString getHandler(const QString& key, const QString& def) const;
    void setHandler(const QString& key, qint64 value);
    void setHandler(const QString& key, const QString& value);
    void remove(const QString& key);

    // Forgets window sizes, positions, the fixed-width size and the large-font flag.
    void removePreferences();

private:
    PreferenceNode prefs;
};

} // namespace utils
