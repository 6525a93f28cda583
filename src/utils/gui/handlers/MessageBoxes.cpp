#include "utils/gui/handlers/MessageBoxes.h"

namespace utils {

namespace {

MessageBoxes::Handler& handler()
{
    static MessageBoxes::Handler current;
    return current;
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
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBoxes::showError(QWidget* parent, const QString& title, const QString& text)
{
    show(QMessageBox::Critical, parent, title, text);
}

void MessageBoxes::setHandler(Handler newHandler)
{
    handler() = std::move(newHandler);
}

} // namespace utils
