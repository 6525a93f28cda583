#include "utils/gui/handlers/MessageBoxes.h"

#include <QAbstractButton>

namespace utils {

namespace {

MessageBoxes::Handler& handler()
{
    static MessageBoxes::Handler current;
    return current;
}

QMap<QMessageBox::StandardButton, QString>& buttonTexts()
{
    static QMap<QMessageBox::StandardButton, QString> texts;
    return texts;
}

} // namespace

QMessageBox::StandardButton MessageBoxes::show(QMessageBox::Icon icon, QWidget* parent,
                                               const QString& title, const QString& text,
                                               QMessageBox::StandardButtons buttons)
{
    if (handler()) {
        return handler()(icon, parent, title, text, buttons);
    }
    QMessageBox box(icon, title, text, buttons, parent);
    for (auto it = buttonTexts().cbegin(); it != buttonTexts().cend(); ++it) {
        if (QAbstractButton* button = box.button(it.key())) {
            button->setText(it.value());
        }
    }
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBoxes::showError(QWidget* parent, const QString& title, const QString& text)
{
    show(QMessageBox::Critical, parent, title, text);
}

void MessageBoxes::setButtonTexts(const QMap<QMessageBox::StandardButton, QString>& texts)
{
    buttonTexts() = texts;
}

QString MessageBoxes::buttonText(QMessageBox::StandardButton button)
{
    return buttonTexts().value(button);
}

void MessageBoxes::setHandler(Handler newHandler)
{
    handler() = std::move(newHandler);
}

} // namespace utils
