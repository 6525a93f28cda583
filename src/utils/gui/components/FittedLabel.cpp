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

QSize FittedLabel::neededSize() const
{
    // QLabel's size hint never falls below the label's minimum size, which fit() sets,
    // so a shorter text would keep the longer one's size: a twin without one measures.
    // It stays reachable for the whole run and is never shown.
    static QLabel* twin = new QLabel;
    twin->setFont(font());
    twin->setContentsMargins(contentsMargins());
    twin->setMargin(margin());
    twin->setIndent(indent());
    twin->setTextFormat(textFormat());
    twin->setText(text());
    return twin->sizeHint();
}

void FittedLabel::fit()
{
    const QSize needed = neededSize();
    if (minimumSize() != needed || maximumSize() != needed) {
        setFixedSize(needed);
    }
}

} // namespace utils
