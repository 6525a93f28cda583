#pragma once

#include <QWidget>

namespace vantor {

// The panel that holds one clock: a card side by side, the group of its rows stacked. It
// takes the keyboard focus in display order, so that a screen reader meets each clock as
// one element with its full name, and it shows a frame while the keyboard has put the
// focus there.
class ClockFrame : public QWidget
{
    Q_OBJECT

public:
    // The focus frame is drawn focusInset pixels inside the panel's edge.
    explicit ClockFrame(int focusInset, QWidget* parent = nullptr);

    // Makes clock panels known to screen readers as one clock each, without their
    // decorative lines; once per program.
    static void installAccessibility();

    // The clock's full name for screen readers. With announce, a reader speaks the new
    // name at once while this clock has the focus: for moves of the clocks, not for the
    // minutes that pass.
    void setSpokenName(const QString& name, bool announce);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int focusInset_;
};

} // namespace vantor
