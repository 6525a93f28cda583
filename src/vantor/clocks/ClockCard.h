#pragma once

#include "vantor/clocks/ClockFrame.h"

#include <QColor>

namespace vantor {

// The bordered panel that holds one clock in the horizontal layout.
class ClockCard : public ClockFrame
{
    Q_OBJECT

public:
    explicit ClockCard(const QColor& border, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor border_;
};

} // namespace vantor
