#include "vantor/Vantor.h"

#include "utils/gui/components/LayoutUtils.h"
#include "utils/gui/components/MyMenuItem.h"
#include "utils/gui/dialogs/AboutBoxDialog.h"
#include "utils/gui/handlers/AccessOther.h"
#include "utils/gui/handlers/FontUtils.h"
#include "utils/gui/handlers/Logger.h"
#include "utils/gui/handlers/MessageBoxes.h"
#include "utils/gui/handlers/ToolkitDefaults.h"
#include "utils/gui/layout/ConstraintLayout.h"
#include "utils/handlers/DateFormatter.h"
#include "utils/handlers/TableLanguage.h"
#include "utils/objects/constants/StandardColors.h"
#include "vantor/FrameDragListener.h"
#include "vantor/clocks/ClockCard.h"
#include "vantor/clocks/ClockGrid.h"
#include "vantor/clocks/ClockGroup.h"
#include "vantor/clocks/DayStateCue.h"
#include "vantor/dialogs/MySettings.h"
#include "vantor/dialogs/TimeZoneDialog.h"
#include "vantor/handlers/CountryCodes.h"
#include "vantor/objects/MyConstants.h"
#include "vantor/objects/TimeZoneObject.h"
#include "vantor/planning/LookAhead.h"
#include "vantor/screens/ScreenKeeper.h"
#include "vantor/time/RefreshScheduler.h"
#include "vantor/tray/TrayIconCheck.h"
#include "vantor/tray/TrayWait.h"
#include "vantor/zones/ZoneFacts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>

namespace vantor {

using utils::ConstraintLayout;
using utils::StandardColors;

namespace {

// The time row of a clock, with its working-hours mark on the trailing side, in the
// same centred cell.
void addTime(ConstraintLayout& layout, const TimeZoneObject& entry)
{
    DayStateCue* cue = entry.getStateCue();
    if (cue == nullptr) {
        layout.addWidget(entry.getTimeLbl(), QStringLiteral("align center, wrap 2"));
        return;
    }
    layout.addWidget(entry.getTimeLbl(), QStringLiteral("align center, split 2"));
    layout.addWidget(
        cue, QStringLiteral("aligny center, gapbefore %1, wrap 2").arg(TimeZoneObject::CUE_GAP));
}

} // namespace

Vantor::Vantor() : gP(MAIN_CLASS), uP(MAIN_CLASS)
{
    const QString os = utils::AccessOther::operatingSystemName().toLower();
    isMac_ = os.startsWith(QStringLiteral("mac"));
    isWindows_ = os.startsWith(QStringLiteral("windows"));

    mySetLocale(QLocale());

    // Windows keeps its own fonts unless the user chose other sizes.
    if (!isWindows_ || gP.getFontVariableWidthSize() != 12 || gP.getFontFixedWidthSize() != 12) {
        utils::FontUtils::handleAdjustFontRemoveBold(utils::FontUtils::usableFontSize(
            gP.getFontVariableWidthSize(), QStringLiteral("FontVariableWidthSize")));
    }

    setWindowTitle(labels.getString(QStringLiteral("vantor.name")));
    placeWindow();
    setWindowIcon(utils::LayoutUtils::loadIcon(QStringLiteral("images/vantor.png")));

    auto* content = new ConstraintLayout(QStringLiteral("insets 4"), {}, {}, this);
    // The window may be smaller than its clocks need: see pack().
    content->setSizeConstraint(QLayout::SetNoConstraint);
    installEventFilter(new FrameDragListener(this, this));
    ClockFrame::installAccessibility();
    lookAhead_ = std::make_unique<LookAhead>(this, labels, &uP, timeZones_AL);
    connect(lookAhead_.get(), &LookAhead::moved, this, [this] { tick(secondsTimer->now()); });
    addPopup();
    createLayout();
    setLayoutDirection(utils::LayoutUtils::layoutDirection(QLocale()));
    new ScreenKeeper(
        this, [this] { refit(); }, [this] { saveWindowSettings(); });
    // Tab moves between the clocks alone; the window takes the focus only when it has no
    // clock, so that the menu key and Shift+F10 still reach it.
    setFocusPolicy(Qt::ClickFocus);
    onTaskBar_ = uP.isOnTaskBar();
    applyWindowFlags();

    // At login the panel may come after the program: the icon comes with the tray, and
    // the user hears of a missing tray only after a wait, while the clocks show.
    auto* trayWait = new TrayWait(this);
    connect(trayWait, &TrayWait::found, this, &Vantor::createSystemTray);
    connect(trayWait, &TrayWait::notFound, this, [this] {
        std::puts("SystemTray is not supported");
        std::fflush(stdout);
        utils::MessageBoxes::showError(
            nullptr, labels.getString(QStringLiteral("popup.error")),
            labels.getString(QStringLiteral("popup.error.systemtrayisnotsupported")));
    });

    pack();
    show();
    // After show(): where no tray can be waited for, the answer, and a box, come at once.
    trayWait->start();
}

Vantor::~Vantor() = default;

void Vantor::pack()
{
    const QSize onScreen = utils::LayoutUtils::roomOnScreen(this);
    if (onScreen.isValid()) {
        const QSize room = onScreen.shrunkBy(layout()->contentsMargins());
        std::optional<int> lines = grid_->fewestLines(room);
        if (!lines) {
            // No arrangement holds the clocks at the user's size: the largest smaller size
            // at which one does.
            const int chosen = utils::FontUtils::usableFontSize(
                uP.getTimeFontSize(), MyConstants::KEY_TIME_FONT_WIDTH,
                TimeZoneObject::MIN_TIME_FONT_SIZE, TimeZoneObject::MAX_TIME_FONT_SIZE);
            const std::optional<int> size = ClockGrid::largestFitting(
                TimeZoneObject::MIN_TIME_FONT_SIZE, chosen - 1, [&](int size) {
                    buildClocks(size);
                    return grid_->fewestLines(room).has_value();
                });
            if (timeFontCap_ != size.value_or(UNCAPPED)) {
                buildClocks(size.value_or(UNCAPPED));
            }
            lines = grid_->fewestLines(room);
            if (size) {
                utils::Logger::log(QStringLiteral("The clocks need more than the screen has at "
                                                  "%1 pt; they are shown at %2 pt.")
                                       .arg(chosen)
                                       .arg(*size));
            }
        }
        grid_->arrange(lines.value_or(1));
    }
    // Not adjustSize(): it stops at two thirds of the screen and would hide clocks.
    const QSize wanted = sizeHint();
    if (!utils::LayoutUtils::fitOnScreen(this, wanted)) {
        utils::Logger::log(QStringLiteral("The clocks need %1 x %2 pixels, more than the "
                                          "screen has; the window is cut to %3 x %4.")
                               .arg(wanted.width())
                               .arg(wanted.height())
                               .arg(width())
                               .arg(height()));
    }
}

void Vantor::refit()
{
    // The screen may hold the user's size again.
    if (timeFontCap_ != UNCAPPED) {
        buildClocks(UNCAPPED);
    }
    pack();
}

void Vantor::buildClocks(int maxTimeFontSize)
{
    grid_.reset();
    // The panels and labels go with the area.
    delete clockArea_;
    clockArea_ = nullptr;
    timeZones_AL.clear();
    timeFontCap_ = maxTimeFontSize;
    createLayout();
}

void Vantor::applyDefaultLocale(const QLocale& locale)
{
    QLocale::setDefault(locale);
    utils::DateFormatter::setDefaultLocale(locale.name());
    QGuiApplication::setLayoutDirection(utils::LayoutUtils::layoutDirection(locale));
}

void Vantor::mySetLocale(const QLocale& locale)
{
    labels = utils::LanguageTable::load(LANGUAGE, utils::tableLanguage(locale),
                                        QLocale::territoryToCode(locale.territory()));
    utils::MessageBoxes::setButtonTexts(
        {{QMessageBox::Ok, labels.getString(QStringLiteral("button.ok"))},
         {QMessageBox::Cancel, labels.getString(QStringLiteral("button.cancel"))},
         {QMessageBox::Yes, labels.getString(QStringLiteral("button.yes"))},
         {QMessageBox::No, labels.getString(QStringLiteral("button.no"))}});
}

void Vantor::placeWindow()
{
    QPoint position = gP.getMainWindowLocation(50, 50);
    // A position on no screen (another monitor set-up, a hand-edited file) would hide
    // the window for good; the stored value stays until the next move.
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool visible =
        screens.isEmpty() || std::any_of(screens.begin(), screens.end(), [&](QScreen* screen) {
            return screen->geometry().contains(position);
        });
    if (!visible) {
        utils::Logger::log(QStringLiteral("The stored position (%1, %2) is on no screen; the "
                                          "window opens at (50, 50).")
                               .arg(position.x())
                               .arg(position.y()));
        position = QPoint(50, 50);
    }
    move(position);
}

void Vantor::applyWindowFlags()
{
    Qt::WindowFlags flags = Qt::FramelessWindowHint;
    // A utility window has no task-bar entry.
    flags |= onTaskBar_ ? Qt::Window : Qt::Tool;
    if (uP.isAlwaysOnTop()) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    setWindowFlags(flags);
}

QSize Vantor::getWindowSize() const
{
    int width = 0;
    int height = 0;
    for (const auto& entry : timeZones_AL) {
        width = std::max(width, entry->getObjectDimension().width());
        height += entry->getObjectDimension().height() + 8;
    }
    return {width + 12, height + 4};
}

void Vantor::saveWindowSettings()
{
    const QPoint position = pos();
    // As it is: a screen left of or above the main one has negative coordinates.
    gP.setMainWindowLocation(position.x(), position.y());
}

void Vantor::removePreferences()
{
    uP.removePreferences();
    gP.removePreferences();
}

void Vantor::dismiss()
{
    if (secondsTimer != nullptr) {
        secondsTimer->stop();
    }
    hide();
    QCoreApplication::exit(0);
}

void Vantor::closeEvent(QCloseEvent* event)
{
    saveWindowSettings();
    event->accept();
    dismiss();
}

void Vantor::createLayout()
{
    if (secondsTimer == nullptr) {
        // Texts without seconds change only on whole minutes: the window wakes then only.
        secondsTimer = new RefreshScheduler(this, {}, [this] {
            return utils::DateFormatter::usesLetter(
                       uP.getDatePattern(MyConstants::DEFAULT_DATE_PATTERN), u"sS") ||
                   utils::DateFormatter::usesLetter(
                       uP.getTimePattern(MyConstants::DEFAULT_TIME_PATTERN), u"sS");
        });
        connect(secondsTimer, &RefreshScheduler::refresh, this, &Vantor::tick);
    }
    if (uP.isVerticalLayout()) {
        createVerticalLayout();
    } else {
        createHorizontalLayout();
    }
    lookAhead_->reset();
    lookAhead_->presentation().updateTexts(
        QDateTime::fromMSecsSinceEpoch(builtAtMs_, QTimeZone::utc()));
    secondsTimer->start(builtAtMs_);
}

void Vantor::tick(qint64 shownMs)
{
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(shownMs, QTimeZone::utc());
    const QDateTime instant = lookAhead_->shown(now);
    if (zoneRules_.poll()) {
        utils::Logger::log(
            QStringLiteral("The time zone data or the local zone changed; the clocks follow it."));
        ZoneFacts::reloadRules(uP.getTimeZones());
        for (const auto& entry : timeZones_AL) {
            entry->reloadZone(instant);
        }
        lookAhead_->presentation().refreshTexts();
    }
    for (const auto& entry : timeZones_AL) {
        entry->updateDateTime(instant);
    }
    lookAhead_->presentation().updateTexts(instant);
}

void Vantor::createClockEntries()
{
    const CountryCodes countryCodes;
    QStringList zones = uP.getTimeZones();
    if (zones.size() > MAX_CLOCKS) {
        // Once: a small screen builds the clocks several times over.
        utils::Logger::logOnce(QStringLiteral("MAX_CLOCKS"),
                               QStringLiteral("Showing the first %1 of %2 configured time zones.")
                                   .arg(MAX_CLOCKS)
                                   .arg(zones.size()));
        zones.resize(MAX_CLOCKS);
    }

    clockArea_ = new QWidget;
    // The About box disables the window; its clocks must not turn grey meanwhile.
    utils::LayoutUtils::keepColorsWhenDisabled(clockArea_);
    if (uP.isDarkMode()) {
        utils::LayoutUtils::setColors(this, {}, StandardColors::WINDOW,
                                      utils::LayoutUtils::ColorRoles::Window, true);
        utils::LayoutUtils::setColors(clockArea_, {}, StandardColors::BASE,
                                      utils::LayoutUtils::ColorRoles::Window, true);
    } else {
        setPalette(QPalette());
        setAutoFillBackground(false);
    }

    zoneRules_ = ZoneRulesWatcher(zones);
    builtAtMs_ = secondsTimer->now();
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(builtAtMs_, QTimeZone::utc());
    const QStringList names = uP.getTimeZoneLabels();
    int widest = 0;
    for (qsizetype i = 0; i < zones.size(); ++i) {
        timeZones_AL.push_back(std::make_unique<TimeZoneObject>(zones[i], now, &uP,
                                                                countryCodes.flagFileName(zones[i]),
                                                                labels, names[i], timeFontCap_));
        widest = std::max(widest, timeZones_AL.back()->getObjectDimension().width());
    }
    for (const auto& entry : timeZones_AL) {
        entry->fitCaption(widest);
    }
}

void Vantor::createHorizontalLayout()
{
    createClockEntries();
    QList<QWidget*> cards;
    for (const auto& entry : timeZones_AL) {
        cards.append(createClockPanel(*entry));
    }
    placeClocks(ClockGrid::Flow::Rows, cards);
}

void Vantor::createVerticalLayout()
{
    createClockEntries();
    QList<QWidget*> groups;
    for (const auto& entry : timeZones_AL) {
        // The four rows of a clock in a group of their own, read as one clock; centred
        // on the column's width, which the caption's line runs across.
        auto* group = new ClockGroup(clockArea_);
        auto* rows =
            new ConstraintLayout(QStringLiteral("insets 0"), QStringLiteral("[grow]"), {}, group);
        utils::LayoutUtils::addSeparator(group, entry->getNameLbl());
        addTime(*rows, *entry);
        rows->addWidget(entry->getTimeZoneLbl(), QStringLiteral("align center, wrap 2"));
        rows->addWidget(entry->getDateLbl(), QStringLiteral("align center"));
        groups.append(group);
    }
    placeClocks(ClockGrid::Flow::Columns, groups);
}

void Vantor::placeClocks(ClockGrid::Flow flow, const QList<QWidget*>& panels)
{
    grid_ = std::make_unique<ClockGrid>(clockArea_, flow, panels);
    grid_->arrange(1);
    resize(getWindowSize());
    static_cast<ConstraintLayout*>(layout())->addWidget(clockArea_);
    // Built while the window shows (its screen changed), the area would otherwise stay
    // hidden until later, and the window's layout would measure it as empty.
    clockArea_->show();
}

QWidget* Vantor::createClockPanel(TimeZoneObject& entry)
{
    // Made in clock order on the area: the order of the keyboard focus.
    auto* card = new ClockCard(StandardColors::HIGHLIGHT, clockArea_);
    // The wider inset is on the leading side.
    const QString insets = utils::LayoutUtils::isRightToLeft(QLocale())
                               ? QStringLiteral("insets 4 4 4 6")
                               : QStringLiteral("insets 4 6 4 4");
    auto* layout = new ConstraintLayout(insets, {}, {}, card);
    if (uP.isDarkMode()) {
        utils::LayoutUtils::setColors(card, {}, StandardColors::BASE,
                                      utils::LayoutUtils::ColorRoles::Window, true);
    }
    layout->addWidget(entry.getNameLbl(), QStringLiteral("align center, wrap 2"));
    addTime(*layout, entry);
    layout->addWidget(entry.getTimeZoneLbl(), QStringLiteral("align center, wrap 2"));
    layout->addWidget(entry.getDateLbl(), QStringLiteral("align center, wrap 5"));
    return card;
}

void Vantor::resetView(bool resetLocation)
{
    hide();
    if (resetLocation) {
        placeWindow();
    }
    addPopup();
    buildClocks(UNCAPPED);
    applyWindowFlags();
    setLayoutDirection(utils::LayoutUtils::layoutDirection(QLocale()));
    pack();
    show();
}

void Vantor::dispatchLater(const std::function<void()>& command)
{
    QMetaObject::invokeMethod(this, command, Qt::QueuedConnection);
}

void Vantor::addPopup()
{
    if (shortPopup == nullptr) {
        shortPopup = new QMenu(this);
    }
    shortPopup->clear();
    const bool dark = uP.isDarkMode();
    const auto listener = [this](const QString& command) {
        dispatchLater([this, command] { actionPerformed(command); });
    };
    struct Entry
    {
        const char* key;
        const char* image;
        const char* command;
    };
    static const Entry entries[] = {
        {"menu.timezones", "images/16/accessories-clock-3.png", "TimeZones"},
        {"menu.settings", "images/16/preferences.png", "Settings"},
        {"menu.about", "images/16/vantor.png", "About"},
        {"menu.resetgui", nullptr, "ResetView"},
        {"menu.exit", "images/16/exit.gif", "Exit"},
    };
    for (std::size_t i = 0; i < std::size(entries); ++i) {
        const Entry& entry = entries[i];
        shortPopup->addAction(utils::MyMenuItem::createMenuItemWithIcon(
            labels.getString(QLatin1String(entry.key)),
            entry.image != nullptr ? QLatin1String(entry.image) : QString(), listener,
            QLatin1String(entry.command), 0, {}, true, shortPopup));
        // Separators after Settings, About and Reset View, in the light scheme only.
        if (!dark && i >= 1 && i <= 3) {
            shortPopup->addSeparator();
        }
    }
    if (dark) {
        QPalette palette = shortPopup->palette();
        for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            palette.setColor(role, StandardColors::LIGHT_TEXT);
        }
        palette.setColor(QPalette::Window, StandardColors::SHADE);
        palette.setColor(QPalette::Base, StandardColors::SHADE);
        shortPopup->setPalette(palette);
    } else {
        shortPopup->setPalette(QPalette());
    }
    shortPopup->setLayoutDirection(utils::LayoutUtils::layoutDirection(QLocale()));
}

void Vantor::contextMenuEvent(QContextMenuEvent* event)
{
    // Right clicks anywhere in the window and the keyboard's menu key end up here.
    if (event->reason() == QContextMenuEvent::Keyboard) {
        popupFromKeyboard();
    } else {
        shortPopup->popup(event->globalPos());
    }
    event->accept();
}

void Vantor::popupFromKeyboard()
{
    shortPopup->popup(mapToGlobal(QPoint(width() / 2, height() / 2)));
    // As desktop menus opened from the keyboard do: the first entry is selected, so Return
    // acts at once and a screen reader says where the user is.
    if (!shortPopup->actions().isEmpty()) {
        shortPopup->setActiveAction(shortPopup->actions().constFirst());
    }
}

void Vantor::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        popupFromKeyboard();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Vantor::actionPerformed(const QString& command)
{
    if (command == MyConstants::TimeZonesCmd) {
        TimeZoneDialog dialog(
            &gP, &uP, this, labels.getString(QStringLiteral("dialog.title.timezoneconfiguration")),
            labels);
        dialog.exec();
        if (dialog.isDataChanged()) {
            resetView(false);
        }
    } else if (command == MyConstants::SettingsCmd) {
        openSettings(true);
    } else if (command == QLatin1String("Exit")) {
        saveWindowSettings();
        dismiss();
    } else if (command == QLatin1String("ResetView")) {
        removePreferences();
        resetView(true);
    } else if (command == QLatin1String("About")) {
        showAboutBox();
    }
}

void Vantor::openSettings(bool applyDarkMode)
{
    MySettings dialog(labels, this);
    if (applyDarkMode) {
        dialog.setDarkMode(uP.isDarkMode());
    }
    dialog.exec();
    if (dialog.isDataChanged()) {
        resetView(false);
    }
}

void Vantor::showAboutBox()
{
    if (aboutBox_) {
        aboutBox_->raise();
        aboutBox_->activateWindow();
        return;
    }
    // The box takes the dark colours while it is built and keeps them; boxes shown
    // later get the usual ones again.
    const utils::ToolkitDefaults::Snapshot saved = utils::ToolkitDefaults::save();
    const bool dark = uP.isDarkMode();
    if (dark) {
        utils::ToolkitDefaults::put(QStringLiteral("OptionPane.background"), StandardColors::SHADE);
        utils::ToolkitDefaults::put(QStringLiteral("Panel.background"), StandardColors::SHADE);
        utils::ToolkitDefaults::put(QStringLiteral("Label.foreground"),
                                    StandardColors::HIGHLIGHT_TEXT);
    }
    aboutBox_ = new utils::AboutBoxDialog(
        this, labels.getString(QStringLiteral("vantor.name")), VERSION, RELEASE_DATE,
        COPYRIGHT_DATE, QStringLiteral("images/") + WHO_AM_I.toLower() + QStringLiteral(".png"));
    aboutBox_->setAttribute(Qt::WA_DeleteOnClose);
    aboutBox_->show();
    if (dark) {
        utils::ToolkitDefaults::restore(saved);
    }
}

void Vantor::createSystemTray()
{
    const QString name = labels.getString(QStringLiteral("vantor.name"));
    trayIcon_ = new QSystemTrayIcon(
        utils::LayoutUtils::loadIcon(QStringLiteral("images/16/vantor.png")), this);
    trayIcon_->setToolTip(name);

    // Plain entries, separators in both schemes, no scheme colours. The menu is not a
    // child of the window: it must work while the About box disables the window.
    trayMenu_ = std::make_unique<QMenu>();
    QMenu* menu = trayMenu_.get();
    const auto add = [&](const char* key, const std::function<void()>& slot) {
        connect(menu->addAction(labels.getString(QLatin1String(key))), &QAction::triggered, this,
                [this, slot] { dispatchLater(slot); });
    };
    add("menu.timezones", [this] { actionPerformed(MyConstants::TimeZonesCmd); });
    add("menu.settings", [this] { openSettings(false); });
    menu->addSeparator();
    add("menu.about", [this] { showAboutBox(); });
    menu->addSeparator();
    add("menu.resetgui", [this] { actionPerformed(QStringLiteral("ResetView")); });
    menu->addSeparator();
    add("menu.exit", [this] { actionPerformed(QStringLiteral("Exit")); });
    trayIcon_->setContextMenu(menu);

    trayIcon_->show();
    // The tray takes the icon later, or never; the clocks do not wait for it.
    TrayIconCheck::whenFailed(trayIcon_, this, [this] {
        std::puts("TrayIcon could not be added.");
        std::fflush(stdout);
        utils::MessageBoxes::showError(
            nullptr, labels.getString(QStringLiteral("popup.error")),
            labels.getString(QStringLiteral("popup.error.trayiconcouldnotbeadded")));
    });
    connect(trayIcon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    show();
                    raise();
                    activateWindow();
                }
            });
}

} // namespace vantor
