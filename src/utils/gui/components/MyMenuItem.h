#pragma once

#include "utils/gui/components/ActionListener.h"

#include <QKeySequence>
#include <QString>

class QAction;
class QObject;

namespace utils {

// Menu entries for QMenu. Every entry carries an action command (actionCommand()) that is
// handed to its listener when the entry is triggered; texts are shown literally, a "&" in
// them included.
class MyMenuItem
{
public:
    MyMenuItem() = delete;

    // The entry's icon is the packed image at imagePath; without one (or when it cannot be
    // loaded) a blank 16-pixel icon keeps the text in line with entries that have images.
    // A non-zero mnemonic underlines its first occurrence in the text, in either case.
    static QAction* createMenuItemWithIcon(const QString& text, const QString& imagePath,
                                           ActionListener listener, const QString& actionCommand,
                                           char16_t mnemonic, const QKeySequence& accelerator,
                                           bool enabled, QObject* parent = nullptr);
    static QAction* createMenuItem(const QString& text, ActionListener listener,
                                   const QString& actionCommand, char16_t mnemonic,
                                   const QKeySequence& accelerator, bool enabled,
                                   QObject* parent = nullptr);
    // A checkable entry, initially unchecked. It has no icon: the menu keeps the room of
    // its check mark, which a (blank) icon would cover.
    static QAction* createJCheckBoxMenuItem(const QString& text, ActionListener listener,
                                            const QString& actionCommand, char16_t mnemonic,
                                            const QKeySequence& accelerator, bool enabled,
                                            QObject* parent = nullptr);

    // The command the entry reports; the text it was made with when none was given.
    static QString actionCommand(const QAction* item);
    static void setActionCommand(QAction* item, const QString& command);

    // The text for QAction::setText(): every "&" doubled, then one "&" before the first
    // occurrence of the mnemonic (compared without case) when there is one.
    static QString mnemonicText(const QString& text, char16_t mnemonic);
};

} // namespace utils
