#pragma once

class QWidget;

namespace utils {

// Tells screen readers that a widget's accessible name changed, with the new name, so
// that a reader speaks it when the widget has the focus. Qt 6.4's bridge to the Linux
// accessibility bus sends the changed object where the new name belongs, and Orca
// cannot speak that; a reader that also got a correct event drops the repeat of the same
// name. Does nothing where no screen reader listens.
class SpokenChange
{
public:
    static void nameChanged(QWidget* widget);
};

} // namespace utils
