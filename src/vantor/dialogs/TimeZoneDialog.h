#pragma once

#include "utils/gui/handlers/ToolkitDefaults.h"
#include "utils/handlers/LanguageTable.h"
#include "vantor/objects/MyConstants.h"
#include "vantor/zones/ZoneSearch.h"

#include <QDateTime>
#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

class QAbstractItemView;
class QAction;
class QListWidget;
class QMenu;
class QWidget;

namespace utils {
class ConstraintLayout;
class GuiPreferences;
class MyJButtonWithImage;
class MyJComboBox;
} // namespace utils

namespace vantor {

class UserPreferences;

// The modal dialog in which the user picks the clocks' zones, their order and their own
// names. Rows read "(UTC-05:00) America/New_York" with the zone's standard offset, and
// " · Alice" after it for a clock named so (F2 or a double-click edits the name); nothing
// is stored before Save. The opener runs exec() and rebuilds its clocks when isDataChanged() says
// so.
class TimeZoneDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int MIN_WIDTH = 400;
    static constexpr int MIN_HEIGHT = 460;
    static constexpr int LARGE_FONT_EXTRA_WIDTH = 100;

    static inline const QString AddRowCmd = QStringLiteral("AddRow");
    static inline const QString DeleteRowCmd = QStringLiteral("DeleteRow");
    static inline const QString MoveUpCmd = QStringLiteral("MoveUp");
    static inline const QString MoveDownCmd = QStringLiteral("MoveDown");
    static inline const QString& SaveFileCmd = MyConstants::SaveFileCmd;
    static inline const QString CloseCmd = QStringLiteral("CloseCmd");

    // Item data of the list's rows and the chooser's entries, as the search reads them.
    static constexpr int ZoneIdRole = ZoneSearch::ZoneIdRole;
    static constexpr int OffsetRole = ZoneSearch::OffsetRole;
    // A row's clock name (empty for none) and its text without the name.
    static constexpr int LabelRole = Qt::UserRole + 2;
    static constexpr int ZoneTextRole = Qt::UserRole + 3;

    // Answers the zone chooser of Add in place of the user: it may look at and change the
    // chooser's selection and returns Ok to add the selected zone, anything else to cancel.
    using ChooserHandler =
        std::function<QMessageBox::StandardButton(QWidget* panel, utils::MyJComboBox* chooser)>;

    // The title argument is ignored: the dialog takes its title from the labels, in the
    // same language as its other texts. gP may be null (no large-font widening).
    TimeZoneDialog(utils::GuiPreferences* gP, UserPreferences* uP, QWidget* parent,
                   const QString& title, const utils::LanguageTable& labels);
    ~TimeZoneDialog() override;

    // True once Save stored the list during this dialog's life.
    bool isDataChanged() const { return dataChanged; }
    // True while the list holds edits that are not saved.
    bool hasUnsavedChanges() const { return madeChange; }

    // "AddRow", "DeleteRow", "MoveUp", "MoveDown", "SaveFile", "CloseCmd"; others are ignored.
    void actionPerformed(const QString& command);
    void setDarkMode();

    // "(" + utcText + offset + ") " + zoneId, the offset being the zone's standard
    // (non-daylight) offset at the instant; a zone the database does not know counts as 0.
    static QString displayText(const QString& zoneId, const QString& utcText,
                               const QDateTime& instant);
    // The system's zone identifier, "UTC" when the system names none.
    static QString localZoneId();

    static void setChooserHandler(ChooserHandler handler);

    QStringList rows() const;
    // The rows' zone identifiers, in list order.
    QStringList zoneIds() const;
    // The rows' clock names, in list order.
    QStringList zoneLabels() const;
    QListWidget* timeZonesList() const { return timeZonesList_; }
    // The button or popup entry of a command; nullptr for commands it does not have.
    utils::MyJButtonWithImage* button(const QString& command) const;
    QAction* popupItem(const QString& command) const;
    QMenu* popupMenu() const { return shortPopup; }
    // Problems in the dialog's constraint texts; empty when every text was understood.
    QStringList constraintErrors() const;

public slots:
    // Escape and the window's close request go through the unsaved-changes question.
    void reject() override;

private:
    void buildTable();
    void addRow(const QString& text, const QString& zoneId, const QString& label);
    void addPopup();
    void setButtonsAndItems();
    void handleAdd();
    void handleDelete();
    void handleMove(int step);
    void handleSave();
    void handleClose();
    void dialogCleanUp();
    void markChanged();
    int selectedRow() const;
    QMessageBox::StandardButton showChooser(QDialog& box, QWidget* panel,
                                            utils::MyJComboBox* chooser);

    UserPreferences* uP;
    utils::LanguageTable labels;
    int extraWidth = 0;
    bool madeChange = false;
    bool dataChanged = false;
    // Set while the dark message-box colours are in force, so they are put back once.
    bool darkDefaultsApplied = false;
    utils::ToolkitDefaults::Snapshot savedDefaults;

    utils::ConstraintLayout* dialogLayout = nullptr;
    utils::ConstraintLayout* panel1Layout = nullptr;
    QListWidget* timeZonesList_ = nullptr;
    QWidget* panel1 = nullptr;
    utils::MyJButtonWithImage* addButton = nullptr;
    utils::MyJButtonWithImage* deleteButton = nullptr;
    utils::MyJButtonWithImage* saveButton = nullptr;
    utils::MyJButtonWithImage* closeButton = nullptr;
    utils::MyJButtonWithImage* moveUpButton = nullptr;
    utils::MyJButtonWithImage* moveDownButton = nullptr;
    QMenu* shortPopup = nullptr;
    QAction* addPopupItem = nullptr;
    QAction* deletePopupItem = nullptr;
    QAction* moveUpPopupItem = nullptr;
    QAction* moveDownPopupItem = nullptr;
};

} // namespace vantor
