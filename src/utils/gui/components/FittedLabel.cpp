#include "utils/gui/components/FittedLabel.h"

#include <QEvent>

namespace utils {

FittedLabel::FittedLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    fit();
}

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
