#include "utils/gui/components/FittedLabel.h"

#include <QEvent>

namespace utils {

// Not fitted yet: measuring now would load the default font, which the clock replaces at
// once. Until its first font or text it lays out like any label.
FittedLabel::FittedLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{}

void FittedLabel::setFittedText(const QString& text)
{
    if (text == this->text()) {
        return;
    }
    setText(text);
    fit();
}

void FittedLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::ContentsRectChange:
        fit();
        break;
    default:
        break;
    }
}

void FittedLabel::fit()
{
    const QSize needed = sizeHint();
    if (minimumSize() != needed || maximumSize() != needed) {
        setFixedSize(needed);
    }
}

} // namespace utils
