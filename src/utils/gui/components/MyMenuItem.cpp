#include "utils/gui/components/MyMenuItem.h"

#include "utils/gui/components/BlankIcon.h"
#include "utils/gui/components/LayoutUtils.h"

#include <QAction>
#include <QVariant>

namespace utils {

namespace {

constexpr char ACTION_COMMAND_PROPERTY[] = "actionCommand";

QAction* buildItem(const QString& text, ActionListener listener, const QString& actionCommand,
                   char16_t mnemonic, const QKeySequence& accelerator, bool enabled,
                   QObject* parent)
{
    auto* item = new QAction(MyMenuItem::mnemonicText(text, mnemonic), parent);
    MyMenuItem::setActionCommand(item, actionCommand.isNull() ? text : actionCommand);
    if (!accelerator.isEmpty()) {
        item->setShortcut(accelerator);
    }
    item->setEnabled(enabled);
    if (listener) {
        QObject::connect(item, &QAction::triggered, item, [item, listener = std::move(listener)] {
            // The listener may delete the menu and this entry with it.
            const ActionListener call = listener;
            call(MyMenuItem::actionCommand(item));
        });
    }
    return item;
}

} // namespace

QAction* MyMenuItem::createMenuItemWithIcon(const QString& text, const QString& imagePath,
                                            ActionListener listener, const QString& actionCommand,
                                            char16_t mnemonic, const QKeySequence& accelerator,
                                            bool enabled, QObject* parent)
{
    QAction* item =
        buildItem(text, std::move(listener), actionCommand, mnemonic, accelerator, enabled, parent);
    QIcon icon;
    if (!imagePath.isEmpty()) {
        icon = LayoutUtils::loadIcon(imagePath);
    }
    // QMenu leaves room for icons only when some entry has one, so a menu of entries
    // without images would otherwise start its texts further to the left.
    item->setIcon(icon.isNull() ? BlankIcon().icon() : icon);
    return item;
}

QAction* MyMenuItem::createMenuItem(const QString& text, ActionListener listener,
                                    const QString& actionCommand, char16_t mnemonic,
                                    const QKeySequence& accelerator, bool enabled, QObject* parent)
{
    return createMenuItemWithIcon(text, QString(), std::move(listener), actionCommand, mnemonic,
                                  accelerator, enabled, parent);
}

QAction* MyMenuItem::createJCheckBoxMenuItem(const QString& text, ActionListener listener,
                                             const QString& actionCommand, char16_t mnemonic,
                                             const QKeySequence& accelerator, bool enabled,
                                             QObject* parent)
{
    QAction* item =
        buildItem(text, std::move(listener), actionCommand, mnemonic, accelerator, enabled, parent);
    item->setCheckable(true);
    item->setChecked(false);
    return item;
}

QString MyMenuItem::actionCommand(const QAction* item)
{
    return item ? item->property(ACTION_COMMAND_PROPERTY).toString() : QString();
}

void MyMenuItem::setActionCommand(QAction* item, const QString& command)
{
    if (item) {
        item->setProperty(ACTION_COMMAND_PROPERTY, command);
    }
}

QString MyMenuItem::mnemonicText(const QString& text, char16_t mnemonic)
{
    QString escaped = text;
    escaped.replace(u'&', QLatin1String("&&"));
    if (mnemonic == 0 || mnemonic == u'&') {
        return escaped;
    }
    const qsizetype at = escaped.indexOf(QChar(mnemonic), 0, Qt::CaseInsensitive);
    if (at >= 0) {
        escaped.insert(at, u'&');
    }
    return escaped;
}

} // namespace utils
