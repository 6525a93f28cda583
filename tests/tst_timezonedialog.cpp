#include "TestSupport.h"

#include "utils/gui/components/MyJButtonWithImage.h"
#include "utils/gui/components/MyJComboBox.h"
#include "utils/gui/handlers/MessageBoxes.h"
#include "utils/gui/handlers/ToolkitDefaults.h"
#include "utils/gui/layout/ConstraintLayout.h"
#include "utils/gui/preferences/GuiPreferences.h"
#include "utils/objects/constants/GUIConstants.h"
#include "utils/objects/constants/StandardColors.h"
#include "vantor/Vantor.h"
#include "vantor/dialogs/MyCellRenderer.h"
#include "vantor/dialogs/TimeZoneDialog.h"
#include "vantor/preferences/UserPreferences.h"
#include "vantor/zones/ZoneSearch.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QTimeZone>

#include <ctime>
#include <memory>

using utils::MessageBoxes;
using utils::StandardColors;
using utils::ToolkitDefaults;
using vantor::MyCellRenderer;
using vantor::TimeZoneDialog;
using vantor::UserPreferences;

namespace {

struct Asked
{
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};

QDateTime utc(const char* text)
{
    QDateTime instant = QDateTime::fromString(QString::fromLatin1(text), Qt::ISODate);
    instant.setTimeZone(QTimeZone::utc());
    return instant;
}

} // namespace

class TestTimeZoneDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<TemporarySettings> settings;
    std::unique_ptr<UserPreferences> uP;
    std::unique_ptr<utils::GuiPreferences> gP;
    utils::LanguageTable labels;
    QList<Asked> asked;
    QMessageBox::StandardButton answer = QMessageBox::No;

    std::unique_ptr<TimeZoneDialog> dialog(const QString& zones)
    {
        uP->setTimeZones(zones);
        return std::make_unique<TimeZoneDialog>(gP.get(), uP.get(), nullptr, QString(), labels);
    }
    QString stored() const { return uP->getTimeZones().join(QLatin1Char(';')); }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("TZ", "Asia/Kathmandu");
        tzset();
        labels = utils::LanguageTable::load(vantor::Vantor::LANGUAGE,
                                            QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void init()
    {
        settings = std::make_unique<TemporarySettings>();
        uP = std::make_unique<UserPreferences>(vantor::Vantor::MAIN_CLASS);
        gP = std::make_unique<utils::GuiPreferences>(vantor::Vantor::MAIN_CLASS);
        gP->setHandler(utils::GUIConstants::KEY_LARGE_FONT, QStringLiteral("false"));
        asked.clear();
        answer = QMessageBox::No;
        MessageBoxes::setHandler([this](QMessageBox::Icon, QWidget*, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons) {
            asked.append({title, text, buttons});
            return answer;
        });
    }
    void cleanup()
    {
        MessageBoxes::setHandler({});
        TimeZoneDialog::setChooserHandler({});
        gP.reset();
        uP.reset();
        settings.reset();
    }

    void displayText_data()
    {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QDateTime>("instant");
        QTest::addColumn<QString>("text");
        // Standard offsets: daylight-saving time never shows.
        QTest::newRow("New York, winter")
            << "America/New_York" << utc("2024-01-15T12:00:00") << "(UTC-05:00) America/New_York";
        QTest::newRow("New York, summer")
            << "America/New_York" << utc("2024-07-15T12:00:00") << "(UTC-05:00) America/New_York";
        QTest::newRow("London, summer")
            << "Europe/London" << utc("2024-07-15T12:00:00") << "(UTC+00:00) Europe/London";
        QTest::newRow("Sydney, southern summer")
            << "Australia/Sydney" << utc("2024-01-15T12:00:00") << "(UTC+10:00) Australia/Sydney";
        QTest::newRow("St Johns") << "America/St_Johns" << utc("2024-07-15T12:00:00")
                                  << "(UTC-03:30) America/St_Johns";
        QTest::newRow("Kathmandu")
            << "Asia/Kathmandu" << utc("2024-07-15T12:00:00") << "(UTC+05:45) Asia/Kathmandu";
        QTest::newRow("unknown zone")
            << "Mars/Olympus_Mons" << utc("2024-07-15T12:00:00") << "(UTC+00:00) Mars/Olympus_Mons";
    }
    void displayText()
    {
        QFETCH(QString, zone);
        QFETCH(QDateTime, instant);
        QFETCH(QString, text);
        QCOMPARE(TimeZoneDialog::displayText(zone, QStringLiteral("UTC"), instant), text);
    }

    void localZoneFollowsTZ()
    {
        QCOMPARE(TimeZoneDialog::localZoneId(), QStringLiteral("Asia/Kathmandu"));
    }

    void listsStoredZonesWithFirstSelected()
    {
        auto d = dialog(QStringLiteral("America/New_York;Europe/London;Australia/Sydney"));
        QCOMPARE(d->rows(), QStringList({QStringLiteral("(UTC-05:00) America/New_York"),
                                         QStringLiteral("(UTC+00:00) Europe/London"),
                                         QStringLiteral("(UTC+10:00) Australia/Sydney")}));
        QCOMPARE(d->timeZonesList()->currentRow(), 0);
        QCOMPARE(d->windowTitle(), QStringLiteral("Time Zone Configuration"));
        QVERIFY2(d->constraintErrors().isEmpty(), qPrintable(d->constraintErrors().join('\n')));
        QVERIFY(!d->isDataChanged());
        QVERIFY(!d->button(TimeZoneDialog::SaveFileCmd)->isEnabled());
    }

    void popupMenuEntries()
    {
        auto d = dialog(QStringLiteral("Europe/London"));
        const QList<QAction*> actions = d->popupMenu()->actions();
        QCOMPARE(actions.size(), 5);
        QCOMPARE(actions.at(0)->text(), QStringLiteral("Add"));
        QCOMPARE(actions.at(1)->text(), QStringLiteral("Delete"));
        QVERIFY(actions.at(2)->isSeparator());
        QCOMPARE(actions.at(3)->text(), QStringLiteral("Move Up"));
        QCOMPARE(actions.at(4)->text(), QStringLiteral("Move Down"));
        // An entry runs the same command as its button.
        d->popupItem(TimeZoneDialog::DeleteRowCmd)->trigger();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.at(0).title, QStringLiteral("Delete"));
        QCOMPARE(asked.at(0).text, QStringLiteral("Delete : (UTC+00:00) Europe/London ?"));
    }

    void enabling_data()
    {
        QTest::addColumn<QString>("zones");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("canDelete");
        QTest::addColumn<bool>("canMoveUp");
        QTest::addColumn<bool>("canMoveDown");
        const QString three = QStringLiteral("Europe/Paris;Asia/Tokyo;America/Chicago");
        QTest::newRow("top of three") << three << 0 << true << false << true;
        QTest::newRow("middle") << three << 1 << true << true << true;
        QTest::newRow("bottom") << three << 2 << true << true << false;
        QTest::newRow("single row") << "Asia/Tokyo" << 0 << true << false << false;
        QTest::newRow("nothing selected") << three << -1 << false << false << false;
        QTest::newRow("empty list") << "" << -1 << false << false << false;
    }
    void enabling()
    {
        QFETCH(QString, zones);
        QFETCH(int, selected);
        QFETCH(bool, canDelete);
        QFETCH(bool, canMoveUp);
        QFETCH(bool, canMoveDown);
        auto d = dialog(zones);
        if (selected < 0) {
            d->timeZonesList()->clearSelection();
        } else {
            d->timeZonesList()->setCurrentRow(selected);
        }
        const QList<std::pair<QString, bool>> expected = {
            {TimeZoneDialog::DeleteRowCmd, canDelete},
            {TimeZoneDialog::MoveUpCmd, canMoveUp},
            {TimeZoneDialog::MoveDownCmd, canMoveDown},
            {TimeZoneDialog::AddRowCmd, true}};
        for (const auto& [command, enabled] : expected) {
            QVERIFY2(d->button(command)->isEnabled() == enabled, qPrintable(command));
            QVERIFY2(d->popupItem(command)->isEnabled() == enabled, qPrintable(command));
        }
        QVERIFY(d->button(TimeZoneDialog::CloseCmd)->isEnabled());
    }

    void keyboardSelectionUpdatesEnabling()
    {
        auto d = dialog(QStringLiteral("Europe/Paris;Asia/Tokyo;America/Chicago"));
        d->show();
        QListWidget* list = d->timeZonesList();
        list->setFocus();
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(list->currentRow(), 2);
        QVERIFY(!d->button(TimeZoneDialog::MoveDownCmd)->isEnabled());
        QVERIFY(d->button(TimeZoneDialog::MoveUpCmd)->isEnabled());
        QTest::keyClick(list, Qt::Key_Home);
        QVERIFY(!d->button(TimeZoneDialog::MoveUpCmd)->isEnabled());
        QVERIFY(d->button(TimeZoneDialog::MoveDownCmd)->isEnabled());
    }

    void moves()
    {
        auto d = dialog(QStringLiteral("Europe/Paris;Asia/Tokyo;America/Chicago"));
        d->actionPerformed(TimeZoneDialog::MoveDownCmd);
        QCOMPARE(d->timeZonesList()->currentRow(), 1);
        QCOMPARE(d->zoneIds().at(1), QStringLiteral("Europe/Paris"));
        QVERIFY(d->hasUnsavedChanges());
        QVERIFY(d->button(TimeZoneDialog::SaveFileCmd)->isEnabled());
        d->actionPerformed(TimeZoneDialog::MoveDownCmd);
        QCOMPARE(d->timeZonesList()->currentRow(), 2);
        QVERIFY(!d->button(TimeZoneDialog::MoveDownCmd)->isEnabled());
        d->actionPerformed(TimeZoneDialog::MoveUpCmd);
        QCOMPARE(d->timeZonesList()->currentRow(), 1);
        d->actionPerformed(TimeZoneDialog::SaveFileCmd);
        QCOMPARE(stored(), QStringLiteral("Asia/Tokyo;Europe/Paris;America/Chicago"));
    }

    void movesOffTheEndsKeepEveryRow()
    {
        auto d = dialog(QStringLiteral("Europe/Paris;Asia/Tokyo"));
        const QStringList before = d->rows();
        d->actionPerformed(TimeZoneDialog::MoveUpCmd); // top row
        d->timeZonesList()->setCurrentRow(1);
        d->actionPerformed(TimeZoneDialog::MoveDownCmd); // bottom row
        d->timeZonesList()->clearSelection();
        d->actionPerformed(TimeZoneDialog::MoveUpCmd);
        d->actionPerformed(TimeZoneDialog::DeleteRowCmd);
        QCOMPARE(d->rows(), before);
        QVERIFY(!d->hasUnsavedChanges());
        QVERIFY(asked.isEmpty());
    }

    void deleteAsksFirst()
    {
        auto d = dialog(QStringLiteral("Europe/Berlin;Asia/Tokyo"));
        answer = QMessageBox::No;
        d->actionPerformed(TimeZoneDialog::DeleteRowCmd);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.at(0).text, QStringLiteral("Delete : (UTC+01:00) Europe/Berlin ?"));
        QCOMPARE(d->rows().size(), 2);
        QVERIFY(!d->hasUnsavedChanges());

        answer = QMessageBox::Yes;
        d->actionPerformed(TimeZoneDialog::DeleteRowCmd);
        QCOMPARE(d->rows(), QStringList{QStringLiteral("(UTC+09:00) Asia/Tokyo")});
        QVERIFY(d->button(TimeZoneDialog::SaveFileCmd)->isEnabled());
        QVERIFY(!d->button(TimeZoneDialog::DeleteRowCmd)->isEnabled());
        QCOMPARE(stored(), QStringLiteral("Europe/Berlin;Asia/Tokyo")); // not before Save
    }

    void savingAnEmptyListStoresTheLocalZone()
    {
        auto d = dialog(QStringLiteral("Europe/Berlin;Asia/Tokyo"));
        answer = QMessageBox::Yes;
        for (int i = 0; i < 2; ++i) {
            d->timeZonesList()->setCurrentRow(0);
            d->actionPerformed(TimeZoneDialog::DeleteRowCmd);
        }
        QVERIFY(d->rows().isEmpty());
        d->actionPerformed(TimeZoneDialog::SaveFileCmd);
        QCOMPARE(stored(), QStringLiteral("Asia/Kathmandu"));
        QVERIFY(d->isDataChanged());
        QVERIFY(!d->button(TimeZoneDialog::SaveFileCmd)->isEnabled());
    }

    void saveWithoutEditsStoresNothing()
    {
        auto d = dialog(QStringLiteral("Europe/Berlin;Bogus/Zone"));
        uP->setTimeZones(QStringLiteral("Asia/Tokyo")); // changed behind the dialog's back
        d->actionPerformed(TimeZoneDialog::SaveFileCmd);
        QCOMPARE(stored(), QStringLiteral("Asia/Tokyo"));
        QVERIFY(!d->isDataChanged());
    }

    void addOffersEveryZoneWithTheLocalOneChosen()
    {
        auto d = dialog(QStringLiteral("Europe/Berlin"));
        // Real zone names and "UTC"; the toolkit's own "UTC+05:30" names are no zones.
        QStringList ids;
        for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
            if (id == "UTC" || !id.startsWith("UTC")) {
                ids.append(QString::fromUtf8(id));
            }
        }
        QStringList offered;
        QStringList offeredIds;
        QString preselected;
        QStringList layoutErrors{QStringLiteral("not asked")};
        TimeZoneDialog::setChooserHandler([&](QWidget* panel, utils::MyJComboBox* chooser) {
            for (int i = 0; i < chooser->count(); ++i) {
                offered.append(chooser->itemText(i));
                offeredIds.append(chooser->itemData(i, TimeZoneDialog::ZoneIdRole).toString());
            }
            preselected = chooser->currentText();
            layoutErrors =
                qobject_cast<utils::ConstraintLayout*>(panel->layout())->constraintErrors();
            return QMessageBox::Ok;
        });
        d->actionPerformed(TimeZoneDialog::AddRowCmd);
        QCOMPARE(offeredIds, ids);
        // Irish winter time is daylight-saving time with a negative offset in the tz
        // data; the offset shown is still the one people use.
        QVERIFY(offered.contains(QStringLiteral("(UTC+00:00) Europe/Dublin")));
        QVERIFY(layoutErrors.isEmpty());
        QCOMPARE(preselected, QStringLiteral("(UTC+05:45) Asia/Kathmandu"));
        QCOMPARE(d->rows().last(), preselected);
        QCOMPARE(d->timeZonesList()->currentRow(), 1);
        QVERIFY(d->hasUnsavedChanges());
        QVERIFY(d->button(TimeZoneDialog::MoveUpCmd)->isEnabled());
    }

    // Typing finds a zone by city, country, identifier or offset, in the user's language
    // or in English, blind to case and accents; Enter on one match adds it.
    void addBySearch_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("suggested");
        QTest::addColumn<QString>("added");
        const QString tokyo = u"(UTC+09:00) Asia/Tokyo"_qs;
        const QString kolkata = u"(UTC+05:30) Asia/Kolkata"_qs;
        QTest::newRow("start of a city") << "en_US"
                                         << "tok"
                                         << "Tokyo \u00b7 Japan \u00b7 UTC+09:00" << QString();
        QTest::newRow("country") << "en_US"
                                 << "japan"
                                 << "Tokyo \u00b7 Japan \u00b7 UTC+09:00" << tokyo;
        QTest::newRow("country in German") << "de_DE"
                                           << "Japan"
                                           << "Tokio \u00b7 Japan \u00b7 UTC+09:00" << tokyo;
        QTest::newRow("city in German") << "de_DE"
                                        << "tokio"
                                        << "Tokio \u00b7 Japan \u00b7 UTC+09:00" << tokyo;
        QTest::newRow("identifier") << "en_US"
                                    << "kolkata"
                                    << "Kolkata \u00b7 India \u00b7 UTC+05:30" << kolkata;
        QTest::newRow("country, India") << "en_US"
                                        << "INDIA"
                                        << "Kolkata \u00b7 India \u00b7 UTC+05:30" << QString();
        QTest::newRow("offset") << "en_US"
                                << "+05:30"
                                << "Kolkata \u00b7 India \u00b7 UTC+05:30" << QString();
        QTest::newRow("short offset") << "en_US"
                                      << "UTC+9"
                                      << "Tokyo \u00b7 Japan \u00b7 UTC+09:00" << QString();
        QTest::newRow("no accents")
            << "en_US"
            << "sao paulo"
            << "Sao Paulo \u00b7 Brazil \u00b7 UTC-03:00" << u"(UTC-03:00) America/Sao_Paulo"_qs;
        QTest::newRow("identifier with a blank") << "en_US"
                                                 << "new york"
                                                 << "New York \u00b7 United States \u00b7 UTC-05:00"
                                                 << u"(UTC-05:00) America/New_York"_qs;
        QTest::newRow("whole identifier among many")
            << "en_US"
            << "utc"
            << "UTC \u00b7 UTC+00:00" << u"(UTC+00:00) UTC"_qs;
        QTest::newRow("nothing") << "en_US"
                                 << "qqzx" << QString() << QString();
    }
    void addBySearch()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QString, suggested);
        QFETCH(QString, added);
        vantor::Vantor::applyDefaultLocale(QLocale(locale));
        auto d = dialog(u"Europe/Berlin"_qs);
        QStringList suggestions;
        TimeZoneDialog::setChooserHandler([&](QWidget*, utils::MyJComboBox* chooser) {
            QTest::keyClicks(chooser->lineEdit(), typed);
            suggestions = chooser->findChild<vantor::ZoneSearch*>()->suggestions();
            return QMessageBox::Ok;
        });
        d->actionPerformed(TimeZoneDialog::AddRowCmd);
        vantor::Vantor::applyDefaultLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        QVERIFY2(suggested.isEmpty() ? suggestions.isEmpty() : suggestions.contains(suggested),
                 qPrintable(suggestions.mid(0, 5).join(u" | "_qs)));
        QCOMPARE(d->rows().size(), added.isEmpty() ? 1 : 2);
        if (!added.isEmpty()) {
            QCOMPARE(d->rows().last(), added);
        }
    }

    // A suggestion chosen from the list adds that very zone, also where the typed text
    // matches many: by Down to it and Return, by Down alone, or by a click.
    void addByPickingASuggestion_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("suggestion");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("added");
        QTest::newRow("offset, Return") << "en_US"
                                        << "+05:30"
                                        << "Kolkata \u00b7 India \u00b7 UTC+05:30"
                                        << "Return" << u"(UTC+05:30) Asia/Kolkata"_qs;
        QTest::newRow("one of several, clicked") << "en_US"
                                                 << "new"
                                                 << "New York \u00b7 United States \u00b7 UTC-05:00"
                                                 << "click" << u"(UTC-05:00) America/New_York"_qs;
        QTest::newRow("German country, Return") << "de_DE"
                                                << "indien"
                                                << "Kalkutta \u00b7 Indien \u00b7 UTC+05:30"
                                                << "Return" << u"(UTC+05:30) Asia/Kolkata"_qs;
        QTest::newRow("German, no accents, clicked")
            << "de_DE"
            << "osterreich"
            << "Wien \u00b7 \u00d6sterreich \u00b7 UTC+01:00"
            << "click" << u"(UTC+01:00) Europe/Vienna"_qs;
        QTest::newRow("German city, moved onto only") << "de_DE"
                                                      << "tokio"
                                                      << "Tokio \u00b7 Japan \u00b7 UTC+09:00"
                                                      << "Down" << u"(UTC+09:00) Asia/Tokyo"_qs;
    }
    void addByPickingASuggestion()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QString, suggestion);
        QFETCH(QString, how);
        QFETCH(QString, added);
        vantor::Vantor::applyDefaultLocale(QLocale(locale));
        auto d = dialog(u"Europe/Berlin"_qs);
        QString field;
        TimeZoneDialog::setChooserHandler([&](QWidget* panel, utils::MyJComboBox* chooser) {
            // As in the real box: shown, with the field focused, so the completer fills it.
            panel->window()->show();
            panel->window()->activateWindow();
            if (!QTest::qWaitForWindowActive(panel->window())) {
                return QMessageBox::Cancel;
            }
            chooser->lineEdit()->setFocus();
            QTest::keyClicks(chooser->lineEdit(), typed);
            QAbstractItemView* popup = chooser->lineEdit()->completer()->popup();
            const QModelIndexList found = popup->model()->match(
                popup->model()->index(0, 0), Qt::DisplayRole, suggestion, 1, Qt::MatchExactly);
            if (found.isEmpty()) {
                return QMessageBox::Cancel;
            }
            if (how == u"click"_qs) {
                popup->scrollTo(found.first());
                QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                                  popup->visualRect(found.first()).center());
            } else {
                for (int i = 0; i <= found.first().row(); ++i) {
                    QTest::keyClick(popup, Qt::Key_Down);
                }
                if (how == u"Return"_qs) {
                    QTest::keyClick(popup, Qt::Key_Return);
                }
            }
            field = chooser->currentText();
            return QMessageBox::Ok;
        });
        d->actionPerformed(TimeZoneDialog::AddRowCmd);
        vantor::Vantor::applyDefaultLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(field, suggestion);
        QCOMPARE(d->rows().size(), 2);
        QCOMPARE(d->rows().last(), added);
    }

    void addTwiceStoresTwice()
    {
        auto d = dialog(QStringLiteral("Asia/Tokyo"));
        TimeZoneDialog::setChooserHandler([](QWidget*, utils::MyJComboBox* chooser) {
            chooser->setCurrentIndex(chooser->findText(QStringLiteral("(UTC+09:00) Asia/Tokyo")));
            return QMessageBox::Ok;
        });
        d->actionPerformed(TimeZoneDialog::AddRowCmd);
        d->actionPerformed(TimeZoneDialog::SaveFileCmd);
        QCOMPARE(stored(), QStringLiteral("Asia/Tokyo;Asia/Tokyo"));
    }

    void addCancelledChangesNothing()
    {
        auto d = dialog(QStringLiteral("Asia/Tokyo"));
        TimeZoneDialog::setChooserHandler(
            [](QWidget*, utils::MyJComboBox*) { return QMessageBox::Cancel; });
        d->actionPerformed(TimeZoneDialog::AddRowCmd);
        QCOMPARE(d->rows().size(), 1);
        QVERIFY(!d->hasUnsavedChanges());
        QVERIFY(!d->button(TimeZoneDialog::SaveFileCmd)->isEnabled());
    }

    // The zone called "UTC" has "UTC" in every entry's offset text as well; the local
    // zone is still the one chosen, not whichever entry comes last. A system that names
    // its zone by an alias gets the entry of that zone.
    void localZoneIsPreselectedByIdentifier_data()
    {
        QTest::addColumn<QByteArray>("tz");
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QString>("entry");
        QTest::newRow("UTC") << QByteArray("UTC") << QByteArray("UTC")
                             << QStringLiteral("(UTC+00:00) UTC");
        QTest::newRow("Etc/UTC") << QByteArray("Etc/UTC") << QByteArray("UTC")
                                 << QStringLiteral("(UTC+00:00) UTC");
        QTest::newRow("old Kiev") << QByteArray("Europe/Kiev") << QByteArray("Europe/Kyiv")
                                  << QStringLiteral("(UTC+02:00) Europe/Kyiv");
    }
    void localZoneIsPreselectedByIdentifier()
    {
        QFETCH(QByteArray, tz);
        QFETCH(QByteArray, zone);
        QFETCH(QString, entry);
        qputenv("TZ", tz);
        tzset();
        auto d = dialog(QStringLiteral("Asia/Tokyo"));
        QString preselected;
        TimeZoneDialog::setChooserHandler([&](QWidget*, utils::MyJComboBox* chooser) {
            preselected = chooser->currentText();
            return QMessageBox::Cancel;
        });
        d->actionPerformed(TimeZoneDialog::AddRowCmd);
        qputenv("TZ", "Asia/Kathmandu");
        tzset();
        if (!QTimeZone::availableTimeZoneIds().contains(zone)) {
            QSKIP("the zone database lacks the zone");
        }
        QCOMPARE(preselected, entry);
    }

    // The box's buttons speak the user's language, not the toolkit's English.
    void realChooserBox()
    {
        auto d = dialog(QStringLiteral("Asia/Tokyo"));
        MessageBoxes::setButtonTexts(
            {{QMessageBox::Ok, u"Gut"_qs}, {QMessageBox::Cancel, u"Nein"_qs}});
        QString title;
        QStringList buttons;
        QTimer::singleShot(0, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box != nullptr);
            title = box->windowTitle();
            for (QAbstractButton* button : box->findChild<QDialogButtonBox*>()->buttons()) {
                buttons << button->text();
            }
            box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        d->actionPerformed(TimeZoneDialog::AddRowCmd);
        MessageBoxes::setButtonTexts({});
        buttons.sort();
        QCOMPARE(buttons, QStringList({u"Gut"_qs, u"Nein"_qs}));
        QCOMPARE(title, QStringLiteral("Select Time Zone"));
        QCOMPARE(d->rows().size(), 2);
    }

    void closeFlows_data()
    {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<int>("reply");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("storedAfter");
        QTest::addColumn<bool>("changed");
        const QString before = QStringLiteral("Europe/Paris;Asia/Tokyo");
        const QString after = QStringLiteral("Asia/Tokyo;Europe/Paris");
        QTest::newRow("no edits: no question")
            << false << int(QMessageBox::No) << true << before << false;
        QTest::newRow("edits, yes: saved, closed")
            << true << int(QMessageBox::Yes) << true << after << true;
        QTest::newRow("edits, no: discarded")
            << true << int(QMessageBox::No) << true << before << false;
        QTest::newRow("edits, cancel: kept, open")
            << true << int(QMessageBox::Cancel) << false << before << false;
        QTest::newRow("edits, box closed: kept, open")
            << true << int(QMessageBox::NoButton) << false << before << false;
    }
    void closeFlows()
    {
        QFETCH(bool, edit);
        QFETCH(int, reply);
        QFETCH(bool, closed);
        QFETCH(QString, storedAfter);
        QFETCH(bool, changed);
        auto d = dialog(QStringLiteral("Europe/Paris;Asia/Tokyo"));
        d->show();
        if (edit) {
            d->actionPerformed(TimeZoneDialog::MoveDownCmd);
        }
        answer = QMessageBox::StandardButton(reply);
        d->actionPerformed(TimeZoneDialog::CloseCmd);
        QCOMPARE(asked.size(), edit ? 1 : 0);
        if (edit) {
            QCOMPARE(asked.at(0).title, QStringLiteral("Warning"));
            QCOMPARE(asked.at(0).text, QStringLiteral("Warning: You have not saved your changes.\n"
                                                      "Do you wish to save your changes?"));
            QCOMPARE(asked.at(0).buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        }
        QCOMPARE(d->isVisible(), !closed);
        QCOMPARE(stored(), storedAfter);
        QCOMPARE(d->isDataChanged(), changed);
        if (!closed) {
            // The edits are still there: the next Close asks again, and Yes saves them.
            QVERIFY(d->hasUnsavedChanges());
            answer = QMessageBox::Yes;
            d->actionPerformed(TimeZoneDialog::CloseCmd);
            QCOMPARE(asked.size(), 2);
            QVERIFY(!d->isVisible());
            QCOMPARE(stored(), QStringLiteral("Asia/Tokyo;Europe/Paris"));
        }
    }

    // Escape closes from anywhere; Return and Enter press the focused button, as Space
    // does, and nothing where no button has the focus.
    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("opensChooser");
        QTest::addColumn<bool>("asks");
        QTest::newRow("Escape on Add")
            << TimeZoneDialog::AddRowCmd << int(Qt::Key_Escape) << true << false << false;
        QTest::newRow("Escape on Close")
            << TimeZoneDialog::CloseCmd << int(Qt::Key_Escape) << true << false << false;
        QTest::newRow("Escape on the list")
            << QString() << int(Qt::Key_Escape) << true << false << false;
        QTest::newRow("Enter on Close")
            << TimeZoneDialog::CloseCmd << int(Qt::Key_Return) << true << false << false;
        QTest::newRow("keypad Enter on Close")
            << TimeZoneDialog::CloseCmd << int(Qt::Key_Enter) << true << false << false;
        QTest::newRow("Enter on Add")
            << TimeZoneDialog::AddRowCmd << int(Qt::Key_Return) << false << true << false;
        QTest::newRow("keypad Enter on Add")
            << TimeZoneDialog::AddRowCmd << int(Qt::Key_Enter) << false << true << false;
        QTest::newRow("Enter on Delete")
            << TimeZoneDialog::DeleteRowCmd << int(Qt::Key_Return) << false << false << true;
        QTest::newRow("Enter on the list")
            << QString() << int(Qt::Key_Return) << false << false << false;
    }
    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, closes);
        QFETCH(bool, opensChooser);
        QFETCH(bool, asks);
        auto d = dialog(QStringLiteral("Europe/Paris;Asia/Tokyo"));
        bool chooserOpened = false;
        TimeZoneDialog::setChooserHandler([&](QWidget*, utils::MyJComboBox*) {
            chooserOpened = true;
            return QMessageBox::Cancel;
        });
        d->show();
        QWidget* target = focus.isEmpty() ? static_cast<QWidget*>(d->timeZonesList())
                                          : static_cast<QWidget*>(d->button(focus));
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(!d->isVisible(), closes);
        QCOMPARE(chooserOpened, opensChooser);
        QCOMPARE(asked.size(), asks ? 1 : 0);
        QCOMPARE(d->rows().size(), 2);
    }

    void closeRequestAsksAboutUnsavedEdits()
    {
        auto d = dialog(QStringLiteral("Europe/Paris;Asia/Tokyo"));
        d->show();
        d->actionPerformed(TimeZoneDialog::MoveDownCmd);
        answer = QMessageBox::Yes;
        d->close();
        QCOMPARE(asked.size(), 1);
        QVERIFY(!d->isVisible());
        QVERIFY(d->isDataChanged());
    }

    void execEndsOnClose()
    {
        auto d = dialog(QStringLiteral("Asia/Tokyo"));
        QTimer::singleShot(0, d.get(), [&] { d->actionPerformed(TimeZoneDialog::CloseCmd); });
        d->exec();
        QVERIFY(!d->isVisible());
    }

    void minimumSize_data()
    {
        QTest::addColumn<QString>("largeFont");
        QTest::addColumn<int>("width");
        QTest::newRow("normal") << "false" << 400;
        QTest::newRow("large font") << "true" << 500;
    }
    void minimumSize()
    {
        QFETCH(QString, largeFont);
        QFETCH(int, width);
        gP->setHandler(utils::GUIConstants::KEY_LARGE_FONT, largeFont);
        auto d = dialog(QStringLiteral("Asia/Tokyo"));
        d->show();
        // At least the standard size, and never narrower than its buttons need.
        const QSize opened = d->size();
        QVERIFY(opened.width() >= width && opened.height() >= 460);
        QVERIFY(opened.width() >= d->layout()->minimumSize().width());
        if (largeFont == u"true"_qs) {
            QCOMPARE(opened.width(), std::max(width, d->layout()->sizeHint().width()));
        }
        d->resize(200, 300);
        QCOMPARE(d->size(), opened);
        d->resize(opened.width() + 50, 600);
        QCOMPARE(d->size(), QSize(opened.width() + 50, 600));
    }

    void darkSchemeColoursAndRestore_data()
    {
        QTest::addColumn<bool>("closeFirst");
        QTest::newRow("closed") << true;
        QTest::newRow("dropped while open") << false;
    }
    void darkSchemeColoursAndRestore()
    {
        QFETCH(bool, closeFirst);
        const ToolkitDefaults::Snapshot before = ToolkitDefaults::save();
        uP->setDarkMode(true);
        auto d = dialog(QStringLiteral("Asia/Tokyo"));
        QCOMPARE(ToolkitDefaults::get(QStringLiteral("OptionPane.background")),
                 StandardColors::SHADE);
        QCOMPARE(ToolkitDefaults::get(QStringLiteral("Panel.background")), StandardColors::SHADE);
        QCOMPARE(ToolkitDefaults::get(QStringLiteral("OptionPane.messageForeground")),
                 StandardColors::HIGHLIGHT_TEXT);
        const QPalette list = d->timeZonesList()->palette();
        QCOMPARE(list.color(QPalette::Base), StandardColors::BASE);
        QCOMPARE(list.color(QPalette::Text), StandardColors::LIGHT_TEXT);
        QCOMPARE(list.color(QPalette::Highlight), StandardColors::HIGHLIGHT);
        QCOMPARE(list.color(QPalette::HighlightedText), StandardColors::HIGHLIGHT_TEXT);
        QCOMPARE(d->palette().color(QPalette::Window), StandardColors::BASE);

        bool darkChooser = false;
        TimeZoneDialog::setChooserHandler([&](QWidget* panel, utils::MyJComboBox* chooser) {
            darkChooser = dynamic_cast<MyCellRenderer*>(chooser->itemDelegate()) != nullptr &&
                          panel->palette().color(QPalette::Window) == StandardColors::BASE;
            return QMessageBox::Cancel;
        });
        d->actionPerformed(TimeZoneDialog::AddRowCmd);
        QVERIFY(darkChooser);

        if (closeFirst) {
            d->actionPerformed(TimeZoneDialog::CloseCmd);
        } else {
            d.reset();
        }
        QCOMPARE(ToolkitDefaults::save(), before);
    }

    void lightSchemeLeavesDefaultsAlone()
    {
        const ToolkitDefaults::Snapshot before = ToolkitDefaults::save();
        auto d = dialog(QStringLiteral("Asia/Tokyo"));
        QCOMPARE(ToolkitDefaults::save(), before);
        bool plainChooser = false;
        TimeZoneDialog::setChooserHandler([&](QWidget*, utils::MyJComboBox* chooser) {
            plainChooser = dynamic_cast<MyCellRenderer*>(chooser->itemDelegate()) == nullptr;
            return QMessageBox::Cancel;
        });
        d->actionPerformed(TimeZoneDialog::AddRowCmd);
        QVERIFY(plainChooser);
    }
};

QTEST_MAIN(TestTimeZoneDialog)
#include "tst_timezonedialog.moc"
