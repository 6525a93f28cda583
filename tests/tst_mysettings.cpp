#include "TestSupport.h"

#include "utils/gui/components/MyJButtonWithImage.h"
#include "utils/gui/components/MyJComboBox.h"
#include "utils/gui/handlers/ToolkitDefaults.h"
#include "utils/gui/layout/ConstraintLayout.h"
#include "utils/handlers/DateFormatter.h"
#include "utils/handlers/LanguageTable.h"
#include "utils/objects/constants/StandardColors.h"
#include "vantor/Vantor.h"
#include "vantor/autostart/LoginStart.h"
#include "vantor/dialogs/MyCellRenderer.h"
#include "vantor/dialogs/MySettings.h"
#include "vantor/objects/MyConstants.h"
#include "vantor/preferences/UserPreferences.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QRadioButton>

#include <ctime>
#include <memory>

using utils::MyJComboBox;
using utils::StandardColors;
using vantor::MySettings;

namespace {

template <class T> T* part(const QWidget& dialog, const char* name)
{
    T* widget = dialog.findChild<T*>(QLatin1String(name));
    if (!widget) {
        qFatal("no %s in the dialog", name);
    }
    return widget;
}

MyJComboBox* box(const QWidget& dialog, const char* name)
{
    return part<MyJComboBox>(dialog, name);
}

// The entries joined by "|".
QString items(const QComboBox* combo)
{
    QStringList all;
    for (int i = 0; i < combo->count(); ++i) {
        all << combo->itemText(i);
    }
    return all.join(u'|');
}

QString now(const QString& pattern)
{
    utils::DateFormatter formatter(pattern, pattern);
    return formatter.format(QDateTime::currentDateTimeUtc(), QTimeZone::systemTimeZone());
}

QStringList storedKeys()
{
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope,
                  QStringLiteral("com/quorvane/vantor"), QStringLiteral("Vantor"));
    QStringList keys = raw.allKeys();
    keys.sort();
    return keys;
}

void useLocale(const QLocale& locale)
{
    QLocale::setDefault(locale);
    utils::DateFormatter::setDefaultLocale(locale.name());
}

QColor color(const QWidget* widget, QPalette::ColorRole role)
{
    return widget->palette().color(role);
}

} // namespace

class TestMySettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporarySettings> settings;
    // The login start entry goes beside the settings, never into the user's folder.
    std::unique_ptr<EnvironmentGuard> configHome;
    utils::LanguageTable labels;

    // Runs the dialog modally; the action runs inside exec(). A dialog still open after
    // two seconds is ended with 99, so a flow that fails to close fails the test.
    int execWith(MySettings& dialog, const std::function<void()>& action)
    {
        QTimer::singleShot(0, &dialog, action);
        QTimer::singleShot(2000, &dialog, [&dialog] { dialog.done(99); });
        return dialog.exec();
    }

private Q_SLOTS:
    void initTestCase()
    {
        // +05:45: a sample formatted in UTC or a whole-hour zone cannot pass.
        qputenv("TZ", "Asia/Kathmandu");
        tzset();
        QCOMPARE(QTimeZone::systemTimeZoneId(), QByteArray("Asia/Kathmandu"));
    }
    void init()
    {
        settings = std::make_unique<TemporarySettings>();
        configHome = std::make_unique<EnvironmentGuard>("XDG_CONFIG_HOME",
                                                        QFile::encodeName(settings->path()));
        useLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        labels = utils::LanguageTable::load(vantor::Vantor::LANGUAGE, QLocale());
    }
    void cleanup()
    {
        configHome.reset();
        settings.reset();
    }

    void choiceListsInOrder()
    {
        MySettings dialog(labels, nullptr);
        QCOMPARE(items(box(dialog, "dateFormat_CB")),
                 "yyyy-MM-dd|yy-MM-dd|yy-M-d|MM-dd|yyyy/MM/dd|yy/MM/dd|yy/M/d|M/d|MMMM d, yyyy|"
                 "MMMM d, yy|MMMM d|MMM d, yyyy|MMM d|d. MMM. yyyy|d. MMM.|d. MMMM yyyy|d. MMMM|"
                 "EE, MMM d|EE, MMM d, yy|EE, MMM d, yyyy|EE dd-MMM|EE dd-MMM yy|EE, MMMM d|"
                 "EE, MMMM d, yyyy|EEEE MMMM d, yyyy");
        QCOMPARE(items(box(dialog, "timeFormat_CB")),
                 "hh:mm a|h:mm a|h:m a|HH:mm|H:mm|H:m|hh:mm:ss a|h:mm:ss a|h:m:ss a|h:m:s a|"
                 "HH:mm:ss|H:mm:ss|H:m:ss|H:m:s");
        QCOMPARE(items(box(dialog, "timeFontSize_CB")), "10|11|12|14|16|18|20|22|24");
        for (const char* name : {"taskBar_CB", "alwaysOnTop_CB", "darkMode_CB"}) {
            QCOMPARE(items(box(dialog, name)), "Yes|No");
        }
    }

    void firstRunShowsDefaults()
    {
        MySettings dialog(labels, nullptr);
        QCOMPARE(dialog.windowTitle(), u"Settings");
        QCOMPARE(box(dialog, "dateFormat_CB")->currentText(), u"yyyy-MM-dd");
        QCOMPARE(box(dialog, "timeFormat_CB")->currentText(), u"h:mm a");
        QVERIFY(part<QRadioButton>(dialog, "vertical_RB")->isChecked());
        QVERIFY(part<QRadioButton>(dialog, "round_RB")->isChecked());
        QCOMPARE(box(dialog, "timeFontSize_CB")->currentText(), u"18");
        QCOMPARE(box(dialog, "taskBar_CB")->currentText(), u"No");
        QCOMPARE(box(dialog, "alwaysOnTop_CB")->currentText(), u"Yes");
        QCOMPARE(box(dialog, "darkMode_CB")->currentText(), u"No");
        QCOMPARE(box(dialog, "workStart_CB")->currentData(), u"09:00"_qs);
        QCOMPARE(box(dialog, "workEnd_CB")->currentData(), u"17:00"_qs);
        QCOMPARE(box(dialog, "showWorkingHours_CB")->currentText(), u"Yes");
        if (vantor::LoginStart::available) {
            QCOMPARE(box(dialog, "loginStart_CB")->currentText(), u"No");
        }
        QCOMPARE(part<QLineEdit>(dialog, "displayDate")->text(), now(u"yyyy-MM-dd"_qs));
        QVERIFY(part<QLineEdit>(dialog, "displayTime")->isReadOnly());
        QVERIFY(!dialog.isDataChanged());
        QVERIFY(storedKeys().isEmpty());
        for (const auto* layout : dialog.findChildren<utils::ConstraintLayout*>()) {
            QCOMPARE(layout->constraintErrors(), QStringList());
        }
    }

    void samplesFollowTheChoice_data()
    {
        QTest::addColumn<bool>("date");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("full names") << true << u"EEEE MMMM d, yyyy"_qs;
        QTest::newRow("short date") << true << u"yy/M/d"_qs;
        QTest::newRow("24 hours") << false << u"HH:mm"_qs;
        QTest::newRow("seconds") << false << u"h:m:s a"_qs;
    }
    void samplesFollowTheChoice()
    {
        QFETCH(bool, date);
        QFETCH(QString, pattern);
        MySettings dialog(labels, nullptr);
        MyJComboBox* combo = box(dialog, date ? "dateFormat_CB" : "timeFormat_CB");
        const QString before = now(pattern);
        combo->setSelectedIndex(combo->findText(pattern));
        const QString shown = part<QLineEdit>(dialog, date ? "displayDate" : "displayTime")->text();
        QVERIFY2(shown == before || shown == now(pattern), qPrintable(shown));
        if (pattern.startsWith(u"EEEE")) {
            const QDate today =
                QDateTime::currentDateTimeUtc().toTimeZone(QTimeZone::systemTimeZone()).date();
            QVERIFY(shown.startsWith(QLocale().dayName(today.dayOfWeek()) + u' ' +
                                     QLocale().monthName(today.month())));
        }
    }

    void loadsAndSavesStoredValues_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("size"); // as the file holds it
        QTest::addColumn<bool>("flip");    // every yes/no setting away from its default
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("sizes"); // the size entries
        QTest::addColumn<int>("added");     // pattern entries added
        const QString nine = u"10|11|12|14|16|18|20|22|24"_qs;
        QTest::newRow("known values") << u"EE dd-MMM yy"_qs << u"H:m:s"_qs << u"24"_qs << true
                                      << QStringList({"EE dd-MMM yy", "H:m:s", "24"}) << nine << 0;
        // Written by another program: shown as they are, and Save keeps them.
        QTest::newRow("outside the lists")
            << u"EEE d MMM yyyy"_qs << u"HH.mm"_qs << u"72"_qs << false
            << QStringList({"EEE d MMM yyyy", "HH.mm", "72"}) << nine + u"|72"_qs << 2;
        QTest::newRow("a size between two") << u"yyyy-MM-dd"_qs << u"h:mm a"_qs << u"13"_qs << false
                                            << QStringList({"yyyy-MM-dd", "h:mm a", "13"})
                                            << u"10|11|12|13|14|16|18|20|22|24"_qs << 0;
        // What the clocks cannot use: the dialog shows what they show instead.
        QTest::newRow("unusable values")
            << u"yyyy 'unclosed"_qs << u"hh:mm jj"_qs << u"big"_qs << false
            << QStringList({"yyyy-MM-dd", "h:mm a", "18"}) << nine << 0;
        QTest::newRow("size beyond the clocks")
            << u"yyyy-MM-dd"_qs << u"h:mm a"_qs << u"5000"_qs << false
            << QStringList({"yyyy-MM-dd", "h:mm a", "96"}) << nine + u"|96"_qs << 0;
    }
    void loadsAndSavesStoredValues()
    {
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(QString, size);
        QFETCH(bool, flip);
        QFETCH(QStringList, shown);
        QFETCH(QString, sizes);
        QFETCH(int, added);
        vantor::UserPreferences stored(vantor::Vantor::MAIN_CLASS);
        stored.setDatePattern(date);
        stored.setTimePattern(time);
        stored.setHandler(vantor::MyConstants::KEY_TIME_FONT_WIDTH, size);
        stored.setVerticalLayout(!flip);
        stored.setRoundFlags(!flip);
        stored.setOnTaskBar(flip);
        stored.setAlwaysOnTop(!flip);
        stored.setDarkMode(flip);

        MySettings dialog(labels, nullptr);
        QCOMPARE(QStringList({box(dialog, "dateFormat_CB")->currentText(),
                              box(dialog, "timeFormat_CB")->currentText(),
                              box(dialog, "timeFontSize_CB")->currentText()}),
                 shown);
        QCOMPARE(items(box(dialog, "timeFontSize_CB")), sizes);
        QCOMPARE(box(dialog, "dateFormat_CB")->count() + box(dialog, "timeFormat_CB")->count(),
                 25 + 14 + added);
        QCOMPARE(part<QLineEdit>(dialog, "displayDate")->text(), now(shown[0]));
        QCOMPARE(part<QLineEdit>(dialog, "displayTime")->text(), now(shown[1]));
        QCOMPARE(part<QRadioButton>(dialog, "horizontal_RB")->isChecked(), flip);
        QCOMPARE(part<QRadioButton>(dialog, "rectangle_RB")->isChecked(), flip);
        QCOMPARE(box(dialog, "taskBar_CB")->currentIndex(), flip ? 0 : 1);
        QCOMPARE(box(dialog, "alwaysOnTop_CB")->currentIndex(), flip ? 1 : 0);
        QCOMPARE(color(&dialog, QPalette::Window),
                 flip ? StandardColors::BASE : utils::ToolkitDefaults::get(u"Panel.background"_qs));

        dialog.actionPerformed(MySettings::SaveCmd);
        QVERIFY(dialog.isDataChanged());
        QCOMPARE(stored.getDatePattern({}), shown[0]);
        QCOMPARE(stored.getTimePattern({}), shown[1]);
        QCOMPARE(stored.getHandler(vantor::MyConstants::KEY_TIME_FONT_WIDTH, QString()), shown[2]);
        QCOMPARE(stored.isVerticalLayout(), !flip);
        QCOMPARE(stored.isOnTaskBar(), flip);
        QCOMPARE(stored.isDarkMode(), flip);
    }

    // A value kept from outside the lists gives way to the user's choice, and stays on
    // offer until the dialog closes.
    void choiceReplacesAValueOutsideTheList()
    {
        vantor::UserPreferences stored(vantor::Vantor::MAIN_CLASS);
        stored.setDatePattern(u"EEE d MMM yyyy"_qs);
        stored.setTimeFontSize(72);
        MySettings dialog(labels, nullptr);
        MyJComboBox* dates = box(dialog, "dateFormat_CB");
        MyJComboBox* sizes = box(dialog, "timeFontSize_CB");
        dates->setSelectedIndex(dates->findData(u"MMM d"_qs));
        sizes->setSelectedIndex(sizes->findData(14));
        QCOMPARE(part<QLineEdit>(dialog, "displayDate")->text(), now(u"MMM d"_qs));
        QCOMPARE(dates->findText(u"EEE d MMM yyyy"_qs), 25);
        dialog.actionPerformed(MySettings::SaveCmd);
        QCOMPARE(stored.getDatePattern({}), u"MMM d");
        QCOMPARE(stored.getTimeFontSize(), 14);
    }

    void saveWritesAllEleven()
    {
        MySettings dialog(labels, nullptr);
        const int result = execWith(dialog, [&] {
            box(dialog, "timeFormat_CB")->setSelectedIndex(3);
            part<QRadioButton>(dialog, "rectangle_RB")->setChecked(true);
            box(dialog, "timeFontSize_CB")->setSelectedIndex(2);
            part<utils::MyJButtonWithImage>(dialog, "saveButton")->click();
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(dialog.isDataChanged());
        // Unchanged settings are written as well.
        QCOMPARE(storedKeys(),
                 QStringList({"AlwaysOnTop", "DarkMode", "DatePattern", "OnTaskBar", "RoundFlags",
                              "ShowWorkingHours", "TimeFontWidth", "TimePattern", "VerticalLayout",
                              "WorkEnd", "WorkStart"}));
        const vantor::UserPreferences stored(vantor::Vantor::MAIN_CLASS);
        QCOMPARE(stored.getTimePattern({}), u"HH:mm");
        QVERIFY(!stored.isRoundFlags());
        QCOMPARE(stored.getTimeFontSize(), 12);
        QVERIFY(stored.isAlwaysOnTop());
    }

    void closingWithoutSaveWritesNothing_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("cancel button") << 0;
        QTest::newRow("close box") << 1;
        QTest::newRow("escape key") << 2;
    }
    void closingWithoutSaveWritesNothing()
    {
        QFETCH(int, how);
        MySettings dialog(labels, nullptr);
        const int result = execWith(dialog, [&] {
            box(dialog, "darkMode_CB")->setSelectedIndex(0);
            box(dialog, "dateFormat_CB")->setSelectedIndex(5);
            box(dialog, "workEnd_CB")->setSelectedIndex(0);
            if (vantor::LoginStart::available) {
                box(dialog, "loginStart_CB")->setSelectedIndex(0);
            }
            if (how == 0) {
                part<utils::MyJButtonWithImage>(dialog, "cancelButton")->click();
            } else if (how == 1) {
                dialog.close();
            } else {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            }
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(!dialog.isDataChanged());
        QCOMPARE(storedKeys(), QStringList());
        QVERIFY(!QFileInfo::exists(vantor::LoginStart::entryPath()));
    }

    // The quarter hours in the locale's time format; a time stored by hand between two is
    // shown in order among them and survives a Save untouched; the other choices are stored
    // and shown again the next time.
    void workingHoursRoundTrip()
    {
        vantor::UserPreferences stored(vantor::Vantor::MAIN_CLASS);
        stored.setWorkStart(u"08:10"_qs);
        {
            MySettings dialog(labels, nullptr);
            MyJComboBox* start = box(dialog, "workStart_CB");
            MyJComboBox* end = box(dialog, "workEnd_CB");
            QCOMPARE(end->count(), 96);
            QCOMPARE(end->itemData(95), u"23:45"_qs);
            QCOMPARE(start->count(), 97);
            QCOMPARE(QStringList({start->itemData(32).toString(), start->itemData(33).toString(),
                                  start->itemData(34).toString()}),
                     QStringList({"08:00", "08:10", "08:15"}));
            QCOMPARE(start->currentIndex(), 33);
            const QString eightAm = start->itemText(32);
            QVERIFY2(eightAm.startsWith(u"8:00") && eightAm.endsWith(u"AM"), qPrintable(eightAm));
            QCOMPARE(start->currentText(), QString(eightAm).replace(u"8:00"_qs, u"8:10"_qs));
            QCOMPARE(part<QLabel>(dialog, "workingHoursLbl")->buddy(), start);
            QCOMPARE(end->accessibleName(), u"End of working hours");

            end->setSelectedIndex(end->findData(u"18:30"_qs));
            box(dialog, "showWorkingHours_CB")->setSelectedIndex(1);
            dialog.actionPerformed(MySettings::SaveCmd);
            QVERIFY(dialog.isDataChanged());
        }
        QCOMPARE(stored.getWorkStart(), u"08:10");
        QCOMPARE(stored.getWorkEnd(), u"18:30");
        QVERIFY(!stored.isShowWorkingHours());

        useLocale(QLocale(QLocale::German, QLocale::Germany));
        MySettings again(utils::LanguageTable::load(vantor::Vantor::LANGUAGE, QLocale()), nullptr);
        QCOMPARE(box(again, "workStart_CB")->currentText(), u"08:10");
        QCOMPARE(box(again, "workEnd_CB")->currentText(), u"18:30");
        QCOMPARE(box(again, "showWorkingHours_CB")->currentText(), u"Nein");
    }

    void enterKeyDoesNotSave()
    {
        MySettings dialog(labels, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        box(dialog, "timeFontSize_CB")->setFocus();
        QTest::keyClick(box(dialog, "timeFontSize_CB"), Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.isDataChanged());
        QCOMPARE(storedKeys(), QStringList());
    }

    void darkModeRecoloursAtOnce()
    {
        MySettings dialog(labels, nullptr);
        const auto* save = part<utils::MyJButtonWithImage>(dialog, "saveButton");
        const QPalette buttonColours = save->palette();
        const auto* label = part<QLabel>(dialog, "taskBarLbl");
        const auto* field = part<QLineEdit>(dialog, "displayTime");
        const auto* panel = part<QGroupBox>(dialog, "flagsPanel");
        const QColor defaultTitle = QApplication::palette(panel).color(QPalette::WindowText);
        const QList<MyJComboBox*> boxes = dialog.findChildren<MyJComboBox*>();
        QCOMPARE(boxes.size(), vantor::LoginStart::available ? 10 : 9);

        box(dialog, "darkMode_CB")->setSelectedIndex(0);
        QCOMPARE(color(&dialog, QPalette::Window), StandardColors::BASE);
        QCOMPARE(color(label, QPalette::WindowText), StandardColors::LIGHT_TEXT);
        QCOMPARE(color(field, QPalette::Text), StandardColors::LIGHT_TEXT);
        QCOMPARE(color(field, QPalette::Base), StandardColors::BASE);
        QCOMPARE(color(panel, QPalette::WindowText), StandardColors::LIGHT_TEXT);
        for (const MyJComboBox* combo : boxes) {
            QCOMPARE(color(combo, QPalette::Button), StandardColors::HIGHLIGHT);
            QVERIFY(qobject_cast<vantor::MyCellRenderer*>(combo->view()->itemDelegate()));
        }
        QCOMPARE(save->palette().color(QPalette::Window), buttonColours.color(QPalette::Window));
        QCOMPARE(save->palette().color(QPalette::ButtonText),
                 buttonColours.color(QPalette::ButtonText));
        QCOMPARE(storedKeys(), QStringList());

        dialog.setDarkMode(false);
        QCOMPARE(color(&dialog, QPalette::Window),
                 utils::ToolkitDefaults::get(u"Panel.background"_qs));
        QCOMPARE(color(label, QPalette::WindowText), StandardColors::BASE);
        QCOMPARE(color(panel, QPalette::WindowText), defaultTitle);
        for (const MyJComboBox* combo : boxes) {
            QVERIFY(!qobject_cast<vantor::MyCellRenderer*>(combo->view()->itemDelegate()));
        }
    }

    void rendererRowColours()
    {
        MySettings dialog(labels, nullptr);
        QListWidget list;
        list.addItems({"a", "b", "c"});
        auto* renderer = new vantor::MyCellRenderer(&list);
        list.setItemDelegate(renderer);
        list.resize(120, 120);
        list.setCurrentRow(1);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        const auto background = [&](int row) {
            const QRect rect = list.visualItemRect(list.item(row));
            return QColor(
                list.viewport()->grab().toImage().pixel(rect.left() + 1, rect.center().y()));
        };
        QCOMPARE(background(0), StandardColors::HIGHLIGHT);
        QCOMPARE(background(1), StandardColors::SHADE);

        // Qt hands drags only to views that take drops; a combo box list never does.
        list.setDragDropMode(QAbstractItemView::DropOnly);
        QMimeData data;
        data.setData(list.model()->mimeTypes().value(0), {});
        QDragEnterEvent enter(QPoint(1, 1), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list.viewport(), &enter);
        const auto dragTo = [&](QPoint at) {
            QDragMoveEvent move(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(list.viewport(), &move);
        };
        const QRect selected = list.visualItemRect(list.item(1));
        dragTo(selected.center());
        QCOMPARE(renderer->dropRow(), 1);
        QCOMPARE(background(1), StandardColors::DROP); // above the selection colour
        dragTo(selected.topLeft()); // between rows: an insert position, not a row
        QCOMPARE(renderer->dropRow(), -1);
        QCOMPARE(background(1), StandardColors::SHADE);
    }

    void sidesFollowTheLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
        QTest::newRow("Arabic") << QLocale(QLocale::Arabic, QLocale::Egypt);
    }
    void sidesFollowTheLocale()
    {
        QFETCH(QLocale, locale);
        useLocale(locale);
        const bool rightToLeft = locale.language() == QLocale::Arabic;
        MySettings dialog(utils::LanguageTable::load(vantor::Vantor::LANGUAGE, locale), nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QWidget* buttons = part<QWidget>(dialog, "buttonPanel");
        const QWidget* layoutPanel = part<QWidget>(dialog, "layoutPanel");
        const QWidget* flagsPanel = part<QWidget>(dialog, "flagsPanel");
        QCOMPARE(dialog.layoutDirection(), rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        if (rightToLeft) {
            QCOMPARE(buttons->geometry().left(), 12);
            QVERIFY(flagsPanel->geometry().right() < layoutPanel->geometry().left());
        } else {
            QCOMPARE(buttons->geometry().right(), dialog.width() - 13);
            QVERIFY(layoutPanel->geometry().right() < flagsPanel->geometry().left());
        }
        const auto* save = part<utils::MyJButtonWithImage>(dialog, "saveButton");
        const auto* cancel = part<utils::MyJButtonWithImage>(dialog, "cancelButton");
        const QPushButton plain;
        const int text = std::max(plain.fontMetrics().horizontalAdvance(save->toolTip()),
                                  plain.fontMetrics().horizontalAdvance(cancel->toolTip()));
        QCOMPARE(save->size(), QSize(std::max(text + 55, 100), 25));
        QCOMPARE(cancel->size(), save->size());
    }
};

QTEST_MAIN(TestMySettings)
#include "tst_mysettings.moc"
