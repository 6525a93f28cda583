#include "utils/gui/handlers/FontUtils.h"

#include "utils/gui/handlers/Logger.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

#include <algorithm>

namespace utils {

int FontUtils::getStringWidth(const QString& text, const QWidget* component)
{
    return QFontMetrics(component->font()).horizontalAdvance(text);
}

QSize FontUtils::getDimension(const QString& text, const QWidget* component)
{
    const QFontMetrics metrics(component->font());
    return {metrics.horizontalAdvance(text), metrics.boundingRect(text).height()};
}

void FontUtils::handleAdjustFontRemoveBold(int size)
{
    // Platform themes may give some widget classes fonts of their own (bold group
    // titles, larger message boxes); every one of them follows the adjustment.
    static const char* const classes[] = {
        "QWidget",   "QLabel",    "QPushButton", "QToolButton",       "QRadioButton",
        "QCheckBox", "QComboBox", "QMenu",       "QMenuBar",          "QMessageBox",
        "QGroupBox", "QLineEdit", "QListView",   "QAbstractItemView", "QHeaderView",
        "QTabBar",   "QToolTip",  "QDialog",     "QTextEdit"};
    QFont font(QApplication::font().family(), size);
    font.setBold(false);
    font.setItalic(false);
    QApplication::setFont(font);
    for (const char* name : classes) {
        QApplication::setFont(font, name);
    }
}

int FontUtils::usableFontSize(int size, const QString& settingName, int min, int max)
{
    const int usable = std::clamp(size, min, max);
    if (usable != size) {
        Logger::logOnce(settingName + QString::number(size),
                        QStringLiteral("The font size %1 of %2 cannot be used; showing %3.")
                            .arg(size)
                            .arg(settingName)
                            .arg(usable));
    }
    return usable;
}

} // namespace utils
