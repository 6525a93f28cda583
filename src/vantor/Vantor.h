#pragma once

#include "utils/gui/preferences/GuiPreferences.h"
#include "utils/handlers/LanguageTable.h"
#include "vantor/clocks/ClockGrid.h"
#include "vantor/preferences/UserPreferences.h"
#include "vantor/time/ZoneRulesWatcher.h"

#include <QLocale>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <limits>
#include <memory>
#include <vector>

class QMenu;

namespace utils {
class AboutBoxDialog;
}
class QSystemTrayIcon;

namespace vantor {

class LookAhead;
class RefreshScheduler;
class TimeZoneObject;

// The borderless main window: one clock per configured zone, refreshed on every
// whole second.
class Vantor : public QWidget
{
    Q_OBJECT

public:
    static inline const QString VERSION = QStringLiteral("1.0.0.1");
    static inline const QString RELEASE_DATE = QStringLiteral("2020/07/29");
    static inline const QString COPYRIGHT_DATE = QStringLiteral("2019-2020");
    static inline const QString WHO_AM_I = QStringLiteral("Vantor");
    static inline const QString LANGUAGE = QStringLiteral("com.quorvane.vantor.lang/Lang");
    // Names the settings node: com/quorvane/vantor/Vantor.
    static inline const QString MAIN_CLASS = QStringLiteral("com.quorvane.vantor.Vantor");
    // More clocks than this would not fit on any screen; the rest of the list is kept.
    static constexpr int MAX_CLOCKS = 100;

    // Builds the window and shows it.
    Vantor();
    ~Vantor() override;

    // Makes the locale the process default: language tables, ICU names, text direction.
    static void applyDefaultLocale(const QLocale& locale);

    void mySetLocale(const QLocale& locale);
    QSize getWindowSize() const;
    void saveWindowSettings();
    void removePreferences();
    void resetView(bool resetLocation);
    // The commands of the right-click and tray menus: "TimeZones", "Settings", "About",
    // "ResetView", "Exit"; anything else is ignored.
    void actionPerformed(const QString& command);
    // Stops the clocks and ends the program with status 0.
    void dismiss();

    const std::vector<std::unique_ptr<TimeZoneObject>>& clocks() const { return timeZones_AL; }
    QWidget* clockArea() const { return clockArea_; }
    const RefreshScheduler* timer() const { return secondsTimer; }
    QSystemTrayIcon* trayIcon() const { return trayIcon_; }
    QMenu* popupMenu() const { return shortPopup; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createLayout();
    void createHorizontalLayout();
    void createVerticalLayout();
    QWidget* createClockPanel(TimeZoneObject& entry);
    void createClockEntries();
    // Lays the clocks' panels out in one line; pack() gives them more where needed.
    void placeClocks(ClockGrid::Flow flow, const QList<QWidget*>& panels);
    // Builds the clocks anew, with the time font at most that size.
    void buildClocks(int maxTimeFontSize);
    // Builds the right-click menu's entries, in place: the menu may be the one whose
    // entry started the rebuild.
    void addPopup();
    // Runs a menu's command once the menu has finished with the key or click that chose
    // it, so a dialog never runs inside the menu's own event.
    void dispatchLater(const std::function<void()>& command);
    // The right-click menu for the menu key and Shift+F10.
    void popupFromKeyboard();
    void createSystemTray();
    void openSettings(bool applyDarkMode);
    void showAboutBox();
    void placeWindow();
    // Sizes the window to its clocks on its screen: in more rows or columns when one does
    // not hold them, and smaller when no number of them does; only when not even the
    // smallest clocks fit is the window cut to the screen.
    void pack();
    // Fits the clocks again after their screen changed.
    void refit();
    void applyWindowFlags();
    void tick(qint64 shownMs);

    RefreshScheduler* secondsTimer = nullptr;
    std::vector<std::unique_ptr<TimeZoneObject>> timeZones_AL;
    utils::GuiPreferences gP;
    UserPreferences uP;
    utils::LanguageTable labels;
    QMenu* shortPopup = nullptr;
    // At most one About box: the tray can ask for another while one is open.
    QPointer<utils::AboutBoxDialog> aboutBox_;

    QWidget* clockArea_ = nullptr;
    std::unique_ptr<ClockGrid> grid_;
    // The largest time font the clocks are built with: none, so the user's size, unless
    // the screen has too little room for it.
    static constexpr int UNCAPPED = std::numeric_limits<int>::max();
    int timeFontCap_ = UNCAPPED;
    QSystemTrayIcon* trayIcon_ = nullptr;
    std::unique_ptr<QMenu> trayMenu_;
    // The instant the current clocks were built for; their first tick follows it.
    qint64 builtAtMs_ = 0;
    // Declared after the language table and the clocks it refers to, so it goes first.
    std::unique_ptr<LookAhead> lookAhead_;
    // The tz files of the shown zones, so new rules show without a restart.
    ZoneRulesWatcher zoneRules_;
    // The window type is chosen once, at start; a rebuild keeps it.
    bool onTaskBar_ = false;
    bool isMac_ = false;
    bool isWindows_ = false;
};

} // namespace vantor
