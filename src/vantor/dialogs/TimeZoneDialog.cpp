#include "vantor/dialogs/TimeZoneDialog.h"

#include "vantor/zones/ZoneFacts.h"
#include "vantor/zones/ZoneSearch.h"

#include "utils/gui/components/LeftToRightTextDelegate.h"
#include "vantor/dialogs/MyCellRenderer.h"

#include "utils/gui/components/LayoutUtils.h"
#include "utils/gui/components/MyJButtonWithImage.h"
#include "utils/gui/components/MyJComboBox.h"
#include "utils/gui/components/MyMenuItem.h"
#include "utils/gui/handlers/FontUtils.h"
#include "utils/gui/handlers/MessageBoxes.h"
#include "utils/gui/layout/ConstraintLayout.h"
#include "utils/gui/preferences/GuiPreferences.h"
#include "utils/handlers/TextFormat.h"
#include "utils/objects/constants/StandardColors.h"
#include "vantor/preferences/UserPreferences.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QTimeZone>

#include <algorithm>

using utils::LayoutUtils;
using utils::StandardColors;
using utils::ToolkitDefaults;

namespace vantor {

namespace {

const QString kOptionPaneBackground = QStringLiteral("OptionPane.background");
const QString kOptionPaneForeground = QStringLiteral("OptionPane.messageForeground");
const QString kPanelBackground = QStringLiteral("Panel.background");

TimeZoneDialog::ChooserHandler& chooserHandler()
{
    static TimeZoneDialog::ChooserHandler handler;
    return handler;
}

// The zone's standard (non-daylight) offset at the instant, "+05:45"; 0 for a zone the
// database does not know.
QString offsetText(const QString& zoneId, const QDateTime& instant)
{
    return utils::TextFormat::utcOffset(
        qint64(ZoneFacts::standardOffset(ZoneFacts::lookUp(zoneId), instant)) * 1000);
}

QString rowText(const QString& utcText, const QString& offset, const QString& zoneId)
{
    return QLatin1Char('(') + utcText + offset + QLatin1String(") ") + zoneId;
}

// The zone's text with the clock's name after it, if it has one.
void setRowLabel(QListWidgetItem* item, const QString& label)
{
    const QString zoneText = item->data(TimeZoneDialog::ZoneTextRole).toString();
    item->setData(TimeZoneDialog::LabelRole, label);
    item->setText(label.isEmpty() ? zoneText : zoneText + QStringLiteral(" \u00B7 ") + label);
}

// Edits a row's clock name, not its text: Enter keeps the name, Escape the old one.
class LabelDelegate : public utils::LeftToRightTextDelegate
{
public:
    LabelDelegate(QListWidget* list, QString fieldName, std::function<void()> changed)
        : LeftToRightTextDelegate(list), list_(list), fieldName_(std::move(fieldName)),
          changed_(std::move(changed))
    {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& /*option*/,
                          const QModelIndex& /*index*/) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setAccessibleName(fieldName_);
        editor->setFrame(false);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        static_cast<QLineEdit*>(editor)->setText(index.data(TimeZoneDialog::LabelRole).toString());
    }

    void setModelData(QWidget* editor, QAbstractItemModel* /*model*/,
                      const QModelIndex& index) const override
    {
        // Spaces alone name nothing.
        const QString label = static_cast<QLineEdit*>(editor)->text().trimmed();
        QListWidgetItem* item = list_->item(index.row());
        if (item != nullptr && label != item->data(TimeZoneDialog::LabelRole).toString()) {
            setRowLabel(item, label);
            changed_();
        }
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        // Enter ends the edit here: passed on, it would reach the dialog's buttons.
        auto* editor = qobject_cast<QLineEdit*>(object);
        if (editor != nullptr && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                return true;
            }
        }
        return LeftToRightTextDelegate::eventFilter(object, event);
    }

private:
    QListWidget* list_;
    const QString fieldName_;
    const std::function<void()> changed_;
};

} // namespace

TimeZoneDialog::TimeZoneDialog(utils::GuiPreferences* gP, UserPreferences* uP, QWidget* parent,
                               const QString& /*title*/, const utils::LanguageTable& labels)
    : QDialog(parent), uP(uP), labels(labels)
{
    Q_ASSERT(uP != nullptr);
    // A copy on another display may have stored other zones since they were read.
    uP->reload();
    setModal(true);
    savedDefaults = ToolkitDefaults::save();
    setWindowTitle(labels.getString(QStringLiteral("dialog.title.timezoneconfiguration")));

    if (gP != nullptr && gP->isLargeFont()) {
        extraWidth = LARGE_FONT_EXTRA_WIDTH;
    }
    // The dialog never gets smaller than it opens.
    setMinimumSize(MIN_WIDTH + extraWidth, MIN_HEIGHT);
    resize(MIN_WIDTH + extraWidth, MIN_HEIGHT);

    dialogLayout = new utils::ConstraintLayout(QString(), QString(),
                                               QStringLiteral("[][][][][][][][][][][grow 100]"));
    setLayout(dialogLayout);

    panel1 = new QWidget(this);
    panel1Layout = new utils::ConstraintLayout(QStringLiteral("insets 1"));
    panel1->setLayout(panel1Layout);

    timeZonesList_ = new QListWidget(this);
    timeZonesList_->setItemDelegate(
        new LabelDelegate(timeZonesList_, labels.getString(QStringLiteral("lbl.label.field")),
                          [this] { markChanged(); }));
    timeZonesList_->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                    QAbstractItemView::DoubleClicked);
    timeZonesList_->setSelectionMode(QAbstractItemView::SingleSelection);
    timeZonesList_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    timeZonesList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    timeZonesList_->setContextMenuPolicy(Qt::CustomContextMenu);
    // The list has no label of its own; the dialog's title says what it holds.
    timeZonesList_->setAccessibleName(windowTitle());
    dialogLayout->addWidget(timeZonesList_,
                            QStringLiteral("spany 5, growy, spanx 4, wmin 240, hmin 400, skip 2"));

    buildTable();

    const QStringList keys = {QStringLiteral("button.add"),      QStringLiteral("button.delete"),
                              QStringLiteral("button.save"),     QStringLiteral("button.moveup"),
                              QStringLiteral("button.movedown"), QStringLiteral("button.close")};
    QStringList texts;
    for (const QString& key : keys) {
        texts.append(labels.getString(key));
    }
    const QSize buttonSize(utils::MyJButtonWithImage::widthFor(texts, 110), 25);

    const utils::ActionListener listener = [this](const QString& command) {
        actionPerformed(command);
    };
    auto makeButton = [&](const char* key, const char* icon, bool enabled, const QString& command,
                          const char* constraint) {
        auto* button =
            new utils::MyJButtonWithImage(labels.getString(QLatin1String(key)), listener,
                                          QLatin1String(icon), buttonSize, enabled, command);
        panel1Layout->addWidget(button, QLatin1String(constraint));
        return button;
    };
    addButton = makeButton("button.add", "images/16/user-new.png", true, AddRowCmd,
                           "gaptop 40, gapright 10, alignx center, wrap");
    deleteButton = makeButton("button.delete", "images/16/dialog-cancel-4.png", false, DeleteRowCmd,
                              "gapright 10, alignx center, wrap");
    moveUpButton = makeButton("button.moveup", "images/16/up_arrow.gif", false, MoveUpCmd,
                              "gaptop 20, gapright 10, alignx center, wrap");
    moveDownButton = makeButton("button.movedown", "images/16/down_arrow.gif", false, MoveDownCmd,
                                "gapright 10, alignx center, wrap");
    saveButton = makeButton("button.save", "images/16/media-floppy-3.5-2.png", false, SaveFileCmd,
                            "gaptop 20, gapright 10, alignx center, wrap");
    closeButton = makeButton("button.close", "images/16/document-close-3.png", true, CloseCmd,
                             "gapright 10, alignx center, wrap");
    dialogLayout->addWidget(panel1, QStringLiteral("span 10, wrap para"));

    addPopup();

    // Keyboard and programmatic selection changes keep the enabling right, not only clicks.
    connect(timeZonesList_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { setButtonsAndItems(); });
    connect(timeZonesList_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        setButtonsAndItems();
        shortPopup->popup(timeZonesList_->viewport()->mapToGlobal(pos));
    });
    setButtonsAndItems();

    if (uP->isDarkMode()) {
        setDarkMode();
        ToolkitDefaults::put(kOptionPaneForeground, StandardColors::HIGHLIGHT_TEXT);
        ToolkitDefaults::put(kOptionPaneBackground, StandardColors::SHADE);
        ToolkitDefaults::put(kPanelBackground, StandardColors::SHADE);
        darkDefaultsApplied = true;
    }
    setLayoutDirection(LayoutUtils::layoutDirection());
    // Wider texts (a larger font, another language) widen the dialog rather than cut
    // off its buttons.
    resize(size().expandedTo(dialogLayout->sizeHint()));
    setMinimumSize(size());
    // No larger than the screen it opens on: the list scrolls in the height that is left.
    LayoutUtils::keepOnScreen(this);
}

TimeZoneDialog::~TimeZoneDialog()
{
    // A dialog dropped without being closed must not leave the dark boxes behind.
    if (darkDefaultsApplied) {
        ToolkitDefaults::restore(savedDefaults);
    }
}

void TimeZoneDialog::actionPerformed(const QString& command)
{
    if (command == AddRowCmd) {
        handleAdd();
    } else if (command == DeleteRowCmd) {
        handleDelete();
    } else if (command == MoveUpCmd) {
        handleMove(-1);
    } else if (command == MoveDownCmd) {
        handleMove(1);
    } else if (command == SaveFileCmd) {
        handleSave();
    } else if (command == CloseCmd) {
        handleClose();
    }
}

QString TimeZoneDialog::displayText(const QString& zoneId, const QString& utcText,
                                    const QDateTime& instant)
{
    return rowText(utcText, offsetText(zoneId, instant), zoneId);
}

QString TimeZoneDialog::localZoneId()
{
    const QString id = QString::fromUtf8(QTimeZone::systemTimeZoneId());
    return id.isEmpty() ? QStringLiteral("UTC") : id;
}

void TimeZoneDialog::setChooserHandler(ChooserHandler handler)
{
    chooserHandler() = std::move(handler);
}

QStringList TimeZoneDialog::rows() const
{
    QStringList texts;
    for (int row = 0; row < timeZonesList_->count(); ++row) {
        texts.append(timeZonesList_->item(row)->text());
    }
    return texts;
}

QStringList TimeZoneDialog::zoneIds() const
{
    QStringList ids;
    for (int row = 0; row < timeZonesList_->count(); ++row) {
        ids.append(timeZonesList_->item(row)->data(ZoneIdRole).toString());
    }
    return ids;
}

QStringList TimeZoneDialog::zoneLabels() const
{
    QStringList names;
    for (int row = 0; row < timeZonesList_->count(); ++row) {
        names.append(timeZonesList_->item(row)->data(LabelRole).toString());
    }
    return names;
}

utils::MyJButtonWithImage* TimeZoneDialog::button(const QString& command) const
{
    for (utils::MyJButtonWithImage* b :
         {addButton, deleteButton, moveUpButton, moveDownButton, saveButton, closeButton}) {
        if (b->actionCommand() == command) {
            return b;
        }
    }
    return nullptr;
}

QAction* TimeZoneDialog::popupItem(const QString& command) const
{
    for (QAction* item : {addPopupItem, deletePopupItem, moveUpPopupItem, moveDownPopupItem}) {
        if (utils::MyMenuItem::actionCommand(item) == command) {
            return item;
        }
    }
    return nullptr;
}

QStringList TimeZoneDialog::constraintErrors() const
{
    return dialogLayout->constraintErrors() + panel1Layout->constraintErrors();
}

void TimeZoneDialog::reject()
{
    handleClose();
}

void TimeZoneDialog::buildTable()
{
    const QString utc = labels.getString(QStringLiteral("lbl.utc"));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    timeZonesList_->clear();
    const QStringList ids = uP->getTimeZones();
    const QStringList names = uP->getTimeZoneLabels();
    for (qsizetype i = 0; i < ids.size(); ++i) {
        addRow(displayText(ids[i], utc, now), ids[i], names[i]);
    }
    if (timeZonesList_->count() > 0) {
        timeZonesList_->setCurrentRow(0);
    }
}

void TimeZoneDialog::addRow(const QString& text, const QString& zoneId, const QString& label)
{
    auto* item = new QListWidgetItem(timeZonesList_);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    item->setData(ZoneIdRole, zoneId);
    item->setData(ZoneTextRole, text);
    setRowLabel(item, label);
}

void TimeZoneDialog::addPopup()
{
    shortPopup = new QMenu(this);
    const utils::ActionListener listener = [this](const QString& command) {
        actionPerformed(command);
    };
    auto item = [&](const char* key, const char* icon, const QString& command) {
        QAction* action = utils::MyMenuItem::createMenuItemWithIcon(
            labels.getString(QLatin1String(key)), QLatin1String(icon), listener, command, 0,
            QKeySequence(), true, shortPopup);
        shortPopup->addAction(action);
        return action;
    };
    addPopupItem = item("button.add", "images/16/user-new.png", AddRowCmd);
    deletePopupItem = item("button.delete", "images/16/dialog-cancel-4.png", DeleteRowCmd);
    shortPopup->addSeparator();
    moveUpPopupItem = item("button.moveup", "images/16/up_arrow.gif", MoveUpCmd);
    moveDownPopupItem = item("button.movedown", "images/16/down_arrow.gif", MoveDownCmd);
    shortPopup->setLayoutDirection(LayoutUtils::layoutDirection());
}

int TimeZoneDialog::selectedRow() const
{
    const QModelIndexList selected = timeZonesList_->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TimeZoneDialog::setButtonsAndItems()
{
    const int count = timeZonesList_->count();
    const int row = selectedRow();
    const bool any = count > 0 && row >= 0;
    const bool up = any && row > 0;
    const bool down = any && row < count - 1;
    deleteButton->setEnabled(any);
    deletePopupItem->setEnabled(any);
    moveUpButton->setEnabled(up);
    moveUpPopupItem->setEnabled(up);
    moveDownButton->setEnabled(down);
    moveDownPopupItem->setEnabled(down);
}

void TimeZoneDialog::markChanged()
{
    madeChange = true;
    saveButton->setEnabled(true);
}

QMessageBox::StandardButton TimeZoneDialog::showChooser(QDialog& box, QWidget* panel,
                                                        utils::MyJComboBox* chooser)
{
    // A question box around the chooser panel, in the current message-box colours, so it
    // looks like the program's other boxes.
    box.setWindowTitle(labels.getString(QStringLiteral("popup.title.selecttimezone")));
    box.setLayoutDirection(LayoutUtils::layoutDirection());
    LayoutUtils::setColors(&box, ToolkitDefaults::get(kOptionPaneForeground),
                           ToolkitDefaults::get(kOptionPaneBackground),
                           LayoutUtils::ColorRoles::Window, true);
    auto* grid = new QGridLayout(&box);
    auto* icon = new QLabel(&box);
    const int iconSize = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    icon->setPixmap(box.style()
                        ->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, &box)
                        .pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);
    grid->addWidget(icon, 0, 0);
    grid->addWidget(panel, 0, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    for (const auto& [which, standard] :
         {std::pair{QDialogButtonBox::Ok, QMessageBox::Ok},
          std::pair{QDialogButtonBox::Cancel, QMessageBox::Cancel}}) {
        const QString text = utils::MessageBoxes::buttonText(standard);
        if (!text.isEmpty()) {
            buttons->button(which)->setText(text);
        }
    }
    connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    grid->addWidget(buttons, 1, 0, 1, 2);
    chooser->setFocus();

    if (chooserHandler()) {
        return chooserHandler()(panel, chooser);
    }
    return box.exec() == QDialog::Accepted ? QMessageBox::Ok : QMessageBox::Cancel;
}

void TimeZoneDialog::handleAdd()
{
    QDialog box(this);
    auto* panel = new QWidget(&box);
    auto* panelLayout = new utils::ConstraintLayout(QString(), QString(), QString());
    panel->setLayout(panelLayout);
    auto* label = new QLabel(labels.getString(QStringLiteral("cb.timezone")) + QLatin1String(": "));
    label->setAlignment(LayoutUtils::textAlignment() | Qt::AlignVCenter);
    panelLayout->addWidget(label, QStringLiteral("span 2, wrap"));
    auto* chooser = new utils::MyJComboBox(
        QStringList(), [this](const QString& command) { actionPerformed(command); }, 0,
        QSize(230, 25));
    panelLayout->addWidget(chooser, QStringLiteral("span 4, wrap para"));
    // Screen readers speak the label with the field.
    label->setBuddy(chooser);

    const QString utc = labels.getString(QStringLiteral("lbl.utc"));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QStringList ids = ZoneFacts::chooserIds();
    for (const QString& id : ids) {
        const QString offset = offsetText(id, now);
        chooser->addItem(rowText(utc, offset, id), id);
        chooser->setItemData(chooser->count() - 1, offset, OffsetRole);
    }
    auto* search =
        new ZoneSearch(chooser, utc, labels.getString(QStringLiteral("lbl.chooser.suggestions")));
    // The local zone is preselected. Entries are compared by their identifier: a mere
    // "contains" would let "UTC" (in every entry's offset text) or "GMT" pick a stranger.
    // The system may name its zone by an alias ("Etc/UTC", "Europe/Kiev"); the exact
    // name wins over one that names the same zone.
    const QString local = localZoneId();
    int selected = int(ids.indexOf(local));
    for (int i = 0; selected < 0 && i < ids.size(); ++i) {
        if (ZoneFacts::sameZone(ids.at(i), local)) {
            selected = i;
        }
    }
    selected = std::max(selected, 0);
    if (!ids.isEmpty()) {
        chooser->setCurrentIndex(selected);
    }
    // Typing replaces the preselected row, so a search starts at once.
    chooser->lineEdit()->selectAll();

    if (uP->isDarkMode()) {
        // Text, field and button roles too, for the chooser panel and its drop-down.
        constexpr auto all = LayoutUtils::ColorRoles::All;
        LayoutUtils::setColors(panel, StandardColors::LIGHT_TEXT, StandardColors::BASE, all, true);
        LayoutUtils::setColors(label, StandardColors::LIGHT_TEXT, QColor(), all, true);
        chooser->setItemDelegate(new MyCellRenderer(chooser->view()));
        LayoutUtils::setColors(chooser, StandardColors::LIGHT_TEXT, StandardColors::BASE, all,
                               true);
        LayoutUtils::setColors(chooser->view(), StandardColors::LIGHT_TEXT,
                               StandardColors::HIGHLIGHT, all, true);
        LayoutUtils::setColors(chooser->lineEdit()->completer()->popup(),
                               StandardColors::LIGHT_TEXT, StandardColors::HIGHLIGHT, all, true);
    }

    const QMessageBox::StandardButton answer = showChooser(box, panel, chooser);
    // Typed text that names no zone, or several, adds nothing.
    const int chosen = search->chosenRow();
    if (answer == QMessageBox::Ok && chosen >= 0) {
        addRow(chooser->itemText(chosen), chooser->itemData(chosen, ZoneIdRole).toString(),
               QString());
        timeZonesList_->setCurrentRow(timeZonesList_->count() - 1);
        markChanged();
    }
    setButtonsAndItems();
}

void TimeZoneDialog::handleDelete()
{
    const int row = selectedRow();
    if (row < 0) {
        return;
    }
    const QString title = labels.getString(QStringLiteral("button.delete"));
    const QString text =
        title + QLatin1String(" : ") + timeZonesList_->item(row)->text() + QLatin1String(" ?");
    if (utils::MessageBoxes::show(QMessageBox::Question, this, title, text,
                                  QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
        return;
    }
    delete timeZonesList_->takeItem(row);
    timeZonesList_->clearSelection();
    markChanged();
    setButtonsAndItems();
}

void TimeZoneDialog::handleMove(int step)
{
    const int row = selectedRow();
    const int target = row + step;
    // A request that would move a row off either end (or with nothing selected) is
    // ignored, so no row is ever dropped.
    if (row < 0 || target < 0 || target >= timeZonesList_->count()) {
        setButtonsAndItems();
        return;
    }
    QListWidgetItem* item = timeZonesList_->takeItem(row);
    timeZonesList_->insertItem(target, item);
    timeZonesList_->setCurrentRow(target);
    markChanged();
    setButtonsAndItems();
}

void TimeZoneDialog::handleSave()
{
    if (!madeChange) {
        return;
    }
    const QStringList ids = zoneIds();
    // The stored list is never empty: without zones the main window would show nothing.
    uP->setTimeZones(ids.isEmpty() ? localZoneId() : ids.join(QLatin1Char(';')));
    uP->setTimeZoneLabels(zoneLabels());
    madeChange = false;
    dataChanged = true;
    saveButton->setEnabled(false);
}

void TimeZoneDialog::handleClose()
{
    if (!madeChange) {
        dialogCleanUp();
        return;
    }
    const QString text = labels.getString(QStringLiteral("popup.warningnotsavedyourchanges")) +
                         QLatin1Char('\n') +
                         labels.getString(QStringLiteral("popup.saveyourchanges"));
    // Cancel is the answer to Escape and to closing the box: it keeps the dialog and its
    // edits, where a No would throw them away.
    const QMessageBox::StandardButton answer = utils::MessageBoxes::show(
        QMessageBox::Question, this, labels.getString(QStringLiteral("popup.warning")), text,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        handleSave();
    }
    if (answer == QMessageBox::Yes || answer == QMessageBox::No) {
        dialogCleanUp();
    }
}

void TimeZoneDialog::dialogCleanUp()
{
    if (darkDefaultsApplied) {
        // Back to the colours the boxes had before the dialog opened, whatever scheme the
        // desktop uses.
        ToolkitDefaults::restore(savedDefaults);
        darkDefaultsApplied = false;
    }
    QDialog::done(dataChanged ? QDialog::Accepted : QDialog::Rejected);
}

void TimeZoneDialog::setDarkMode()
{
    LayoutUtils::setColors(this, QColor(), StandardColors::BASE, LayoutUtils::ColorRoles::Window,
                           true);
    LayoutUtils::setColors(panel1, QColor(), StandardColors::BASE, LayoutUtils::ColorRoles::Window,
                           true);
    QPalette palette = timeZonesList_->palette();
    palette.setColor(QPalette::Text, StandardColors::LIGHT_TEXT);
    palette.setColor(QPalette::Base, StandardColors::BASE);
    palette.setColor(QPalette::HighlightedText, StandardColors::HIGHLIGHT_TEXT);
    palette.setColor(QPalette::Highlight, StandardColors::HIGHLIGHT);
    timeZonesList_->setPalette(palette);
}

} // namespace vantor
