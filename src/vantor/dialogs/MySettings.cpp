#include "vantor/dialogs/MySettings.h"

#include "utils/gui/components/LayoutUtils.h"
#include "utils/gui/components/MyJButtonWithImage.h"
#include "utils/gui/components/MyJComboBox.h"
#include "utils/gui/handlers/FontUtils.h"
#include "utils/gui/handlers/ToolkitDefaults.h"
#include "utils/gui/layout/ConstraintLayout.h"
#include "utils/handlers/DateFormatter.h"
#include "utils/handlers/TextFormat.h"
#include "utils/objects/constants/StandardColors.h"
#include "vantor/Vantor.h"
#include "vantor/autostart/LoginStart.h"
#include "vantor/dialogs/MyCellRenderer.h"
#include "vantor/objects/MyConstants.h"
#include "vantor/objects/TimeZoneObject.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QDateTime>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTime>
#include <QTimeZone>

#include <algorithm>
#include <array>

namespace vantor {

using utils::ConstraintLayout;
using utils::LayoutUtils;
using utils::MyJButtonWithImage;
using utils::MyJComboBox;
using utils::StandardColors;

namespace {

const QStringList DATE_PATTERNS = {
    QStringLiteral("yyyy-MM-dd"),
    QStringLiteral("yy-MM-dd"),
    QStringLiteral("yy-M-d"),
    QStringLiteral("MM-dd"),
    QStringLiteral("yyyy/MM/dd"),
    QStringLiteral("yy/MM/dd"),
    QStringLiteral("yy/M/d"),
    QStringLiteral("M/d"),
    QStringLiteral("MMMM d, yyyy"),
    QStringLiteral("MMMM d, yy"),
    QStringLiteral("MMMM d"),
    QStringLiteral("MMM d, yyyy"),
    QStringLiteral("MMM d"),
    QStringLiteral("d. MMM. yyyy"),
    QStringLiteral("d. MMM."),
    QStringLiteral("d. MMMM yyyy"),
    QStringLiteral("d. MMMM"),
    QStringLiteral("EE, MMM d"),
    QStringLiteral("EE, MMM d, yy"),
    QStringLiteral("EE, MMM d, yyyy"),
    QStringLiteral("EE dd-MMM"),
    QStringLiteral("EE dd-MMM yy"),
    QStringLiteral("EE, MMMM d"),
    QStringLiteral("EE, MMMM d, yyyy"),
    QStringLiteral("EEEE MMMM d, yyyy"),
};

const QStringList TIME_PATTERNS = {
    QStringLiteral("hh:mm a"),    QStringLiteral("h:mm a"),    QStringLiteral("h:m a"),
    QStringLiteral("HH:mm"),      QStringLiteral("H:mm"),      QStringLiteral("H:m"),
    QStringLiteral("hh:mm:ss a"), QStringLiteral("h:mm:ss a"), QStringLiteral("h:m:ss a"),
    QStringLiteral("h:m:s a"),    QStringLiteral("HH:mm:ss"),  QStringLiteral("H:mm:ss"),
    QStringLiteral("H:m:ss"),     QStringLiteral("H:m:s"),
};

constexpr std::array FONT_SIZES = {10, 11, 12, 14, 16, 18, 20, 22, 24};

constexpr QSize PATTERN_BOX_SIZE{80, 25};
constexpr QSize SMALL_BOX_SIZE{50, 25};

// How working hours are stored, and the step the dialog offers them in.
const QString TIME_OF_DAY = QStringLiteral("HH:mm");
constexpr int QUARTER_MINUTES = 15;
constexpr int QUARTERS_PER_DAY = 24 * 60 / QUARTER_MINUTES;

// Each item carries its value; the patterns and sizes show it as it is stored.
QVariantList valuesOf(const QStringList& texts)
{
    return {texts.begin(), texts.end()};
}

// Every colour of the widget's palette becomes its own, so that the colours its parents
// take later do not reach it.
void keepPalette(QWidget* widget)
{
    const QPalette current = widget->palette();
    QPalette own;
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role == QPalette::NoRole) {
                continue;
            }
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            own.setColor(g, r, current.color(g, r));
        }
    }
    widget->setPalette(own);
}

// Measured in the font a plain push button would use; the longer text sets both widths.
QSize buttonSize(const QString& save, const QString& cancel)
{
    return {utils::MyJButtonWithImage::widthFor(QStringList{save, cancel}, 100), 25};
}

// Room for that many wide ("m") characters plus the frame: a field of that many columns.
int columnsWidth(const QLineEdit* field, int columns)
{
    const QMargins margins = field->textMargins() + field->contentsMargins();
    return columns * field->fontMetrics().horizontalAdvance(QLatin1Char('m')) + margins.left() +
           margins.right() + 8;
}

} // namespace

MySettings::MySettings(const utils::LanguageTable& labels, QWidget* parent)
    : QDialog(parent), labels(labels),
      timeOfDay(utils::TextFormat::skeletonPattern(QStringLiteral("jmm")), TIME_OF_DAY),
      uP(Vantor::MAIN_CLASS)
{
    setModal(true);
    setWindowTitle(labels.getString(QStringLiteral("dialog.title.settings")));

    myInit();

    setLayoutDirection(LayoutUtils::layoutDirection());
    // Not resizable: the dialog keeps the size of its content, unless the screen is
    // smaller. Qt centres a dialog on its parent when it is shown.
    setFixedSize(sizeHint());
    LayoutUtils::keepOnScreen(this);
}

QLabel* MySettings::makeLabel(const QString& text, const char* name)
{
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(LayoutUtils::textAlignment() | Qt::AlignVCenter);
    return label;
}

MyJComboBox* MySettings::makeComboBox(QLabel* label, const QStringList& items,
                                      const QVariantList& values, int selectedIndex, QSize size,
                                      const QString& command, const char* name)
{
    auto* box = new MyJComboBox(
        items, [this](const QString& c) { actionPerformed(c); }, selectedIndex, size, true);
    for (int row = 0; row < values.size(); ++row) {
        box->setItemData(row, values.at(row));
    }
    box->setActionCommand(command);
    box->setObjectName(QLatin1String(name));
    if (label) {
        // Screen readers speak the row's label with the box.
        label->setBuddy(box);
    }
    return box;
}

MyJComboBox* MySettings::makeTimeBox(QLabel* label, const QString& command, const char* name)
{
    QStringList texts;
    QVariantList values;
    for (int quarter = 0; quarter < QUARTERS_PER_DAY; ++quarter) {
        const QString time =
            QTime(0, 0).addSecs(quarter * QUARTER_MINUTES * 60).toString(TIME_OF_DAY);
        texts.append(timeOfDayText(time));
        values.append(time);
    }
    MyJComboBox* box = makeComboBox(label, texts, values, 0, PATTERN_BOX_SIZE, command, name);
    // AM/PM words of some languages are longer than the patterns the other boxes show.
    box->setPreferredSize({std::max(PATTERN_BOX_SIZE.width(), box->QComboBox::sizeHint().width()),
                           PATTERN_BOX_SIZE.height()});
    return box;
}

QString MySettings::timeOfDayText(const QString& time)
{
    // A day without an offset change, in a zone without any: the text is the wall time.
    return timeOfDay.format(
        QDateTime(QDate(2000, 1, 1), QTime::fromString(time, TIME_OF_DAY), QTimeZone::utc()),
        QTimeZone::utc());
}

void MySettings::selectTime(MyJComboBox* box, const QString& time)
{
    const int minutes = QTime::fromString(time, TIME_OF_DAY).msecsSinceStartOfDay() / 60000;
    // An unlisted time goes in before the next quarter hour.
    box->selectValue(time, (minutes + QUARTER_MINUTES - 1) / QUARTER_MINUTES);
    // A time kept from outside the list reads like the others.
    box->setItemText(box->currentIndex(), timeOfDayText(time));
}

QGroupBox* MySettings::makeRadioPanel(const QString& titleKey, QSize size, QRadioButton* first,
                                      QRadioButton* second)
{
    auto* panel = new QGroupBox(QLatin1Char(' ') + labels.getString(titleKey) + QLatin1Char(' '));
    auto* layout = new ConstraintLayout(QStringLiteral("insets 2"));
    panel->setLayout(layout);
    // At least the size the arrangement was drawn for; more if the font needs it.
    panel->setMinimumSize(size);
    panel->setAutoFillBackground(true);
    first->setChecked(true);
    auto* group = new QButtonGroup(panel);
    group->addButton(first);
    group->addButton(second);
    layout->addWidget(first, QStringLiteral("wrap"));
    layout->addWidget(second, QStringLiteral("wrap"));
    return panel;
}

void MySettings::myInit()
{
    // The buttons stay below the controls, which scroll on a screen too small for them.
    auto* controls = new QWidget;
    auto* content = new ConstraintLayout(QStringLiteral("insets 12 12 0 12"));
    controls->setLayout(content);
    const QString yes = labels.getString(QStringLiteral("button.yes"));
    const QString no = labels.getString(QStringLiteral("button.no"));
    const QString saveText = labels.getString(QStringLiteral("button.save"));
    const QString cancelText = labels.getString(QStringLiteral("button.cancel"));
    const QSize buttons = buttonSize(saveText, cancelText);

    dateFormatLbl = makeLabel(
        labels.getString(QStringLiteral("format.date")) + QStringLiteral(": "), "dateFormatLbl");
    content->addWidget(dateFormatLbl, QStringLiteral("span 2, wrap"));
    dateFormat_CB = makeComboBox(dateFormatLbl, DATE_PATTERNS, valuesOf(DATE_PATTERNS), 0,
                                 PATTERN_BOX_SIZE, DateFormatCmd, "dateFormat_CB");
    content->addWidget(dateFormat_CB, QStringLiteral("span 2"));
    displayDate = new QLineEdit(QStringLiteral("?"));
    displayDate->setObjectName(QStringLiteral("displayDate"));
    displayDate->setReadOnly(true);
    displayDate->setFixedWidth(columnsWidth(displayDate, 16));
    content->addWidget(displayDate, QStringLiteral("span 2, wrap para"));

    timeFormatLbl = makeLabel(
        labels.getString(QStringLiteral("format.time")) + QStringLiteral(": "), "timeFormatLbl");
    content->addWidget(timeFormatLbl, QStringLiteral("span 2, wrap"));
    timeFormat_CB = makeComboBox(timeFormatLbl, TIME_PATTERNS, valuesOf(TIME_PATTERNS), 0,
                                 PATTERN_BOX_SIZE, TimeFormatCmd, "timeFormat_CB");
    content->addWidget(timeFormat_CB, QStringLiteral("span 2"));
    displayTime = new QLineEdit(QStringLiteral("?"));
    displayTime->setObjectName(QStringLiteral("displayTime"));
    displayTime->setReadOnly(true);
    displayTime->setFixedWidth(columnsWidth(displayTime, 8));
    content->addWidget(displayTime, QStringLiteral("span 2, wrap para"));

    vertical_RB = new QRadioButton(labels.getString(QStringLiteral("radio.vertical")));
    vertical_RB->setObjectName(QStringLiteral("vertical_RB"));
    horizontal_RB = new QRadioButton(labels.getString(QStringLiteral("radio.horizontal")));
    horizontal_RB->setObjectName(QStringLiteral("horizontal_RB"));
    layoutPanel =
        makeRadioPanel(QStringLiteral("lbl.layout"), QSize(125, 60), vertical_RB, horizontal_RB);
    layoutPanel->setObjectName(QStringLiteral("layoutPanel"));
    content->addWidget(layoutPanel, QStringLiteral("span 2"));

    round_RB = new QRadioButton(labels.getString(QStringLiteral("radio.round")));
    round_RB->setObjectName(QStringLiteral("round_RB"));
    rectangle_RB = new QRadioButton(labels.getString(QStringLiteral("radio.rectangle")));
    rectangle_RB->setObjectName(QStringLiteral("rectangle_RB"));
    flagsPanel =
        makeRadioPanel(QStringLiteral("lbl.countryflag"), QSize(130, 60), round_RB, rectangle_RB);
    flagsPanel->setObjectName(QStringLiteral("flagsPanel"));
    content->addWidget(flagsPanel, QStringLiteral("span 2, wrap para"));

    timeFontSizeLbl =
        makeLabel(labels.getString(QStringLiteral("lbl.font.size.time")) + QLatin1Char(':'),
                  "timeFontSizeLbl");
    content->addWidget(timeFontSizeLbl, QStringLiteral("span 4, wrap"));
    QStringList sizeTexts;
    QVariantList sizes;
    for (const int size : FONT_SIZES) {
        sizeTexts.append(QString::number(size));
        sizes.append(size);
    }
    timeFontSize_CB = makeComboBox(timeFontSizeLbl, sizeTexts, sizes, 0, SMALL_BOX_SIZE,
                                   TimeFontSizeCmd, "timeFontSize_CB");
    content->addWidget(timeFontSize_CB, QStringLiteral("span 4, wrap para"));

    taskBarLbl = makeLabel(labels.getString(QStringLiteral("lbl.makeapplicationvisibleontaskbar")),
                           "taskBarLbl");
    content->addWidget(taskBarLbl, QStringLiteral("span 4, wrap"));
    taskBar_CB = makeComboBox(taskBarLbl, {yes, no}, {true, false}, 1, SMALL_BOX_SIZE, TaskBarCmd,
                              "taskBar_CB");
    content->addWidget(taskBar_CB, QStringLiteral("span 4, wrap para"));

    alwaysOnTopLbl = makeLabel(labels.getString(QStringLiteral("lbl.applicationisalwaysontop")),
                               "alwaysOnTopLbl");
    content->addWidget(alwaysOnTopLbl, QStringLiteral("span 4, wrap"));
    alwaysOnTop_CB = makeComboBox(alwaysOnTopLbl, {yes, no}, {true, false}, 0, SMALL_BOX_SIZE,
                                  AlwaysOnTopCmd, "alwaysOnTop_CB");
    content->addWidget(alwaysOnTop_CB, QStringLiteral("span 4, wrap para"));

    darkModeLbl = makeLabel(labels.getString(QStringLiteral("lbl.usedarkmode")), "darkModeLbl");
    content->addWidget(darkModeLbl, QStringLiteral("span 4, wrap"));
    darkMode_CB = makeComboBox(darkModeLbl, {yes, no}, {true, false}, 1, SMALL_BOX_SIZE,
                               DarkModeCmd, "darkMode_CB");
    content->addWidget(darkMode_CB, QStringLiteral("span 4, wrap para"));

    workingHoursLbl = makeLabel(
        labels.getString(QStringLiteral("lbl.workinghours")) + QLatin1Char(':'), "workingHoursLbl");
    content->addWidget(workingHoursLbl, QStringLiteral("span 4, wrap"));
    workStart_CB = makeTimeBox(workingHoursLbl, WorkStartCmd, "workStart_CB");
    content->addWidget(workStart_CB, QStringLiteral("span 4, split 3"));
    // Seen between the two times; a screen reader hears the second box's own name.
    workRangeLbl = makeLabel(QStringLiteral("\u2013"), "workRangeLbl");
    content->addWidget(workRangeLbl);
    workEnd_CB = makeTimeBox(nullptr, WorkEndCmd, "workEnd_CB");
    workEnd_CB->setAccessibleName(labels.getString(QStringLiteral("lbl.workinghours.end")));
    content->addWidget(workEnd_CB, QStringLiteral("wrap para"));

    showWorkingHoursLbl =
        makeLabel(labels.getString(QStringLiteral("lbl.showworkinghours")), "showWorkingHoursLbl");
    content->addWidget(showWorkingHoursLbl, QStringLiteral("span 4, wrap"));
    showWorkingHours_CB = makeComboBox(showWorkingHoursLbl, {yes, no}, {true, false}, 0,
                                       SMALL_BOX_SIZE, ShowWorkingHoursCmd, "showWorkingHours_CB");
    content->addWidget(showWorkingHours_CB, QStringLiteral("span 4, wrap para"));

    if (LoginStart::available) {
        loginStartLbl =
            makeLabel(labels.getString(QStringLiteral("lbl.startatlogin")), "loginStartLbl");
        content->addWidget(loginStartLbl, QStringLiteral("span 4, wrap"));
        loginStart_CB = makeComboBox(loginStartLbl, {yes, no}, {true, false}, 1, SMALL_BOX_SIZE,
                                     LoginStartCmd, "loginStart_CB");
        content->addWidget(loginStart_CB, QStringLiteral("span 4, wrap para"));
    }

    buttonPanel = new QWidget;
    buttonPanel->setObjectName(QStringLiteral("buttonPanel"));
    buttonPanel->setAutoFillBackground(true);
    auto* buttonLayout = new ConstraintLayout;
    buttonPanel->setLayout(buttonLayout);
    const auto listener = [this](const QString& c) {
        actionPerformed(c);
    };
    saveButton = new MyJButtonWithImage(
        saveText, listener, QStringLiteral("images/16/dialog-apply.png"), buttons, true, SaveCmd);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    cancelButton =
        new MyJButtonWithImage(cancelText, listener, QStringLiteral("images/16/dialog-disable.png"),
                               buttons, true, CancelCmd);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    for (MyJButtonWithImage* button : {saveButton, cancelButton}) {
        // The buttons keep the usual look in both schemes.
        keepPalette(button);
        buttonLayout->addWidget(button);
    }
    // A gap between groups above the buttons, the dialog's insets around them.
    auto* buttonRow = new QWidget;
    auto* buttonRowLayout =
        new ConstraintLayout(QStringLiteral("insets 12"), QStringLiteral("[grow]"));
    buttonRow->setLayout(buttonRowLayout);
    buttonRowLayout->addWidget(buttonPanel, LayoutUtils::isRightToLeft()
                                                ? QStringLiteral("align left")
                                                : QStringLiteral("align right"));
    LayoutUtils::setScrollingContent(this, controls, buttonRow);

    loadPref();
    showDate();
    showTime();
}

void MySettings::loadPref()
{
    // Each choice goes through selectValue so that it is handled as a user's would be: the
    // samples follow and the stored scheme applies to the dialog. A pattern or size that
    // another program stored outside the lists is shown and kept; one the clocks cannot use
    // shows what they use instead.
    const auto usable = [](const QString& pattern, const QString& fallback) {
        return utils::DateFormatter(pattern, fallback).isUsable() ? pattern : fallback;
    };
    dateFormat_CB->selectValue(usable(uP.getDatePattern(MyConstants::DEFAULT_DATE_PATTERN),
                                      MyConstants::DEFAULT_DATE_PATTERN));
    timeFormat_CB->selectValue(usable(uP.getTimePattern(MyConstants::DEFAULT_TIME_PATTERN),
                                      MyConstants::DEFAULT_TIME_PATTERN));

    (uP.isVerticalLayout() ? vertical_RB : horizontal_RB)->setChecked(true);
    (uP.isRoundFlags() ? round_RB : rectangle_RB)->setChecked(true);

    const int size = utils::FontUtils::usableFontSize(
        uP.getTimeFontSize(), MyConstants::KEY_TIME_FONT_WIDTH, TimeZoneObject::MIN_TIME_FONT_SIZE,
        TimeZoneObject::MAX_TIME_FONT_SIZE);
    // In order of size among the others.
    timeFontSize_CB->selectValue(
        size,
        int(std::lower_bound(FONT_SIZES.begin(), FONT_SIZES.end(), size) - FONT_SIZES.begin()));

    taskBar_CB->selectValue(uP.isOnTaskBar());
    alwaysOnTop_CB->selectValue(uP.isAlwaysOnTop());
    darkMode_CB->selectValue(uP.isDarkMode());
    selectTime(workStart_CB, uP.getWorkStart());
    selectTime(workEnd_CB, uP.getWorkEnd());
    showWorkingHours_CB->selectValue(uP.isShowWorkingHours());
    if (loginStart_CB) {
        // Read each time: the user may have removed the entry by hand.
        loginStart_CB->selectValue(LoginStart::isEnabled());
    }
}

void MySettings::saveIt()
{
    dataChanged = true;
    uP.setDatePattern(dateFormat_CB->currentData().toString());
    uP.setTimePattern(timeFormat_CB->currentData().toString());
    uP.setVerticalLayout(vertical_RB->isChecked());
    uP.setRoundFlags(round_RB->isChecked());
    uP.setTimeFontSize(timeFontSize_CB->currentData().toInt());
    uP.setOnTaskBar(taskBar_CB->currentData().toBool());
    uP.setAlwaysOnTop(alwaysOnTop_CB->currentData().toBool());
    uP.setDarkMode(darkMode_CB->currentData().toBool());
    uP.setWorkStart(workStart_CB->currentData().toString());
    uP.setWorkEnd(workEnd_CB->currentData().toString());
    uP.setShowWorkingHours(showWorkingHours_CB->currentData().toBool());
    if (loginStart_CB) {
        // A failure is logged; the next opening shows what is there.
        if (loginStart_CB->currentData().toBool()) {
            LoginStart::enable();
        } else {
            LoginStart::disable();
        }
    }
}

void MySettings::actionPerformed(const QString& command)
{
    if (command == SaveCmd) {
        saveIt();
        accept();
    } else if (command == CancelCmd) {
        reject();
    } else if (command == DateFormatCmd) {
        showDate();
    } else if (command == TimeFormatCmd) {
        showTime();
    } else if (command == DarkModeCmd) {
        setDarkMode(darkMode_CB->currentData().toBool());
    }
}

// The samples show the moment of the choice in the local zone; they do not tick.
void MySettings::showDate()
{
    utils::DateFormatter formatter(dateFormat_CB->currentData().toString(),
                                   MyConstants::DEFAULT_DATE_PATTERN);
    displayDate->setText(
        formatter.format(QDateTime::currentDateTimeUtc(), QTimeZone::systemTimeZone()));
    displayDate->setCursorPosition(0);
}

void MySettings::showTime()
{
    utils::DateFormatter formatter(timeFormat_CB->currentData().toString(),
                                   MyConstants::DEFAULT_TIME_PATTERN);
    displayTime->setText(
        formatter.format(QDateTime::currentDateTimeUtc(), QTimeZone::systemTimeZone()));
    displayTime->setCursorPosition(0);
}

void MySettings::setTitleColor(QGroupBox* panel, const QColor& color, const QColor& background)
{
    // Qt draws a group box title in its text colours; the buttons inside have their own.
    QPalette palette = panel->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::Window, background);
    panel->setPalette(palette);
}

void MySettings::setDarkMode(bool on)
{
    const QColor background =
        on ? StandardColors::BASE : utils::ToolkitDefaults::get(QStringLiteral("Panel.background"));
    const QColor text = on ? StandardColors::LIGHT_TEXT : StandardColors::BASE;
    QList<QWidget*> controls = {
        dateFormatLbl,   dateFormat_CB,   displayDate,         timeFormatLbl,      timeFormat_CB,
        displayTime,     vertical_RB,     horizontal_RB,       round_RB,           rectangle_RB,
        timeFontSizeLbl, timeFontSize_CB, taskBarLbl,          taskBar_CB,         alwaysOnTopLbl,
        alwaysOnTop_CB,  darkModeLbl,     darkMode_CB,         workingHoursLbl,    workStart_CB,
        workRangeLbl,    workEnd_CB,      showWorkingHoursLbl, showWorkingHours_CB};
    QList<MyJComboBox*> boxes = {dateFormat_CB, timeFormat_CB,  timeFontSize_CB,
                                 taskBar_CB,    alwaysOnTop_CB, darkMode_CB,
                                 workStart_CB,  workEnd_CB,     showWorkingHours_CB};
    if (loginStart_CB) {
        controls << loginStartLbl << loginStart_CB;
        boxes << loginStart_CB;
    }

    LayoutUtils::setColors(this, {}, background);
    for (QWidget* control : controls) {
        LayoutUtils::setColors(control, text, background, LayoutUtils::ColorRoles::All);
    }
    const QColor title = on ? StandardColors::LIGHT_TEXT
                            : QApplication::palette(layoutPanel).color(QPalette::WindowText);
    setTitleColor(layoutPanel, title, background);
    setTitleColor(flagsPanel, title, background);
    LayoutUtils::setColors(buttonPanel, {}, background);

    for (MyJComboBox* box : boxes) {
        QAbstractItemView* view = box->view();
        auto* renderer = qobject_cast<MyCellRenderer*>(view->itemDelegate());
        if (on) {
            LayoutUtils::setColors(box, text, StandardColors::HIGHLIGHT,
                                   LayoutUtils::ColorRoles::All);
            if (!renderer) {
                box->setItemDelegate(new MyCellRenderer(view));
            }
        } else if (renderer) {
            // Light lists again: a dark list under a light box would be unreadable.
            box->setItemDelegate(new QStyledItemDelegate(box));
            renderer->deleteLater();
        }
    }
}

} // namespace vantor
