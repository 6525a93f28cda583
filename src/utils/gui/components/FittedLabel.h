#pragma once

#include <QLabel>

namespace utils {

// A label held at exactly the size its text needs. Whenever QLabel's text changes, it
// asks its parent's layout to lay the whole window out again; held at a fixed size it
// does not, so a new text of the same size (the next second of a clock) repaints the
// label alone. Only a text of another size changes the fixed size and the layout.
class FittedLabel : public QLabel
{
    Q_OBJECT

public:
    explicit FittedLabel(const QString& text, QWidget* parent = nullptr);

    // Use this, not QLabel::setText, which would leave the label at the old size.
    void setFittedText(const QString& text);

protected:
    void changeEvent(QEvent* event) override;

private:
    QSize neededSize() const;
    void fit();
};

} // namespace utils
