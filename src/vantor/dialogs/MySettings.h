#pragma once

#include "utils/handlers/DateFormatter.h"
#include "utils/handlers/LanguageTable.h"
#include "vantor/objects/MyConstants.h"
#include "vantor/preferences/UserPreferences.h"

#include <QDialog>
#include <QString>
#include <QVariantList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace utils {
class MyJButtonWithImage;
class MyJComboBox;
} // namespace utils

namespace vantor {

// The modal settings dialog: date and time patterns with a sample of each, arrangement,
// flag style, font size of the time, task-bar entry, always-on-top, the dark scheme, the
// working hours (quarter hours, in the locale's time format), whether the clocks show them,
// and, where the desktop reads autostart entries, whether the program starts at login (its
// state is the autostart entry, not a setting). Save writes all of them and closes; Cancel and the
// close box write nothing. The opener asks isDataChanged() afterwards and rebuilds its clocks when
// it is true.
//
// Its controls carry their field names as object names ("dateFormat_CB", ...).
class MySettings : public QDialog
{
    Q_OBJECT

public:
    // Action commands of the buttons and combo boxes.
    static inline const QString& SaveCmd = MyConstants::SaveFileCmd;
    static inline const QString CancelCmd = QStringLiteral("Cancel");
    static inline const QString DateFormatCmd = QStringLiteral("DateFormat");
    static inline const QString TimeFormatCmd = QStringLiteral("TimeFormat");
    static inline const QString TimeFontSizeCmd = QStringLiteral("TimeFontSize");
    static inline const QString TaskBarCmd = QStringLiteral("TaskBar");
    static inline const QString AlwaysOnTopCmd = QStringLiteral("AlwaysOnTop");
    static inline const QString DarkModeCmd = QStringLiteral("DarkMode");
    static inline const QString WorkStartCmd = QStringLiteral("WorkStart");
    static inline const QString WorkEndCmd = QStringLiteral("WorkEnd");
    static inline const QString ShowWorkingHoursCmd = QStringLiteral("ShowWorkingHours");
    static inline const QString LoginStartCmd = QStringLiteral("LoginStart");

    MySettings(const utils::LanguageTable& labels, QWidget* parent);

    // True once the dialog was closed with Save.
    bool isDataChanged() const { return dataChanged; }
    // Recolours the dialog at once; nothing is stored.
    void setDarkMode(bool on);
    // The one dispatch of the buttons and combo boxes; other commands are ignored.
    void actionPerformed(const QString& command);

private:
    void myInit();
    QGroupBox* makeRadioPanel(const QString& titleKey, QSize size, QRadioButton* first,
                              QRadioButton* second);
    // Each item carries the value at its place in values, which Save stores; the label,
    // if any, names the box.
    utils::MyJComboBox* makeComboBox(QLabel* label, const QStringList& items,
                                     const QVariantList& values, int selectedIndex, QSize size,
                                     const QString& command, const char* name);
    QLabel* makeLabel(const QString& text, const char* name);
    // A box of the quarter hours of a day, each carrying its "HH:mm".
    utils::MyJComboBox* makeTimeBox(QLabel* label, const QString& command, const char* name);
    // Selects the stored "HH:mm"; a time between quarters is kept in order among them.
    void selectTime(utils::MyJComboBox* box, const QString& time);
    // "HH:mm" as the locale writes a time of day.
    QString timeOfDayText(const QString& time);
    void loadPref();
    void saveIt();
    void showDate();
    void showTime();
    void setTitleColor(QGroupBox* panel, const QColor& color, const QColor& background);

    utils::LanguageTable labels;
    utils::DateFormatter timeOfDay;
    QLabel* dateFormatLbl = nullptr;
    utils::MyJComboBox* dateFormat_CB = nullptr;
    QLineEdit* displayDate = nullptr;
    QLabel* timeFormatLbl = nullptr;
    utils::MyJComboBox* timeFormat_CB = nullptr;
    QLineEdit* displayTime = nullptr;
    QGroupBox* layoutPanel = nullptr;
    QRadioButton* vertical_RB = nullptr;
    QRadioButton* horizontal_RB = nullptr;
    QGroupBox* flagsPanel = nullptr;
    QRadioButton* round_RB = nullptr;
    QRadioButton* rectangle_RB = nullptr;
    QLabel* timeFontSizeLbl = nullptr;
    utils::MyJComboBox* timeFontSize_CB = nullptr;
    QLabel* taskBarLbl = nullptr;
    utils::MyJComboBox* taskBar_CB = nullptr;
    QLabel* alwaysOnTopLbl = nullptr;
    utils::MyJComboBox* alwaysOnTop_CB = nullptr;
    QLabel* darkModeLbl = nullptr;
    utils::MyJComboBox* darkMode_CB = nullptr;
    QLabel* workingHoursLbl = nullptr;
    utils::MyJComboBox* workStart_CB = nullptr;
    QLabel* workRangeLbl = nullptr;
    utils::MyJComboBox* workEnd_CB = nullptr;
    QLabel* showWorkingHoursLbl = nullptr;
    utils::MyJComboBox* showWorkingHours_CB = nullptr;
    // Null where login start is not offered.
    QLabel* loginStartLbl = nullptr;
    utils::MyJComboBox* loginStart_CB = nullptr;
    QWidget* buttonPanel = nullptr;
    utils::MyJButtonWithImage* saveButton = nullptr;
    utils::MyJButtonWithImage* cancelButton = nullptr;
    UserPreferences uP;
    bool dataChanged = false;
};

} // namespace vantor
