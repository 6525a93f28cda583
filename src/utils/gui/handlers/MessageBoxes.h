#pragma once

#include <QMap>
#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace utils {

// Every modal message box of the program goes through here, so tests can answer
// them instead of a person.
class MessageBoxes
{
public:
    using Handler = std::function<QMessageBox::StandardButton(
        QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons)>;

    MessageBoxes() = delete;

    static QMessageBox::StandardButton show(QMessageBox::Icon icon, QWidget* parent,
                                            const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    static void showError(QWidget* parent, const QString& title, const QString& text);

    // Replaces the real boxes; an empty handler restores them.
    static void setHandler(Handler handler);

    // The words on the standard buttons in the user's language: the toolkit's own would
    // stay English.
    static void setButtonTexts(const QMap<QMessageBox::StandardButton, QString>& texts);
    static QString buttonText(QMessageBox::StandardButton button);
};

} // namespace utils
