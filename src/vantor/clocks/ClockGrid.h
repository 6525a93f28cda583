#pragma once

#include <QList>
#include <QSize>

#include <functional>
#include <optional>

class QWidget;

namespace vantor {

// The clocks' panels on their area, in as many lines as the screen needs: cards side by
// side run in rows and wrap onto more rows; stacked clocks run down a column and wrap
// onto more columns. Either way the clocks keep their order in reading order (mirrored
// right to left by the layout), which is also the order of the keyboard focus.
class ClockGrid
{
public:
    enum class Flow
    {
        Rows,   // side by side: a line is a row
        Columns // stacked: a line is a column
    };

    // The panels must be children of the area, made in clock order.
    ClockGrid(QWidget* area, Flow flow, QList<QWidget*> panels);

    // Lays the panels out in the given number of lines (at least one); the area gets a
    // new layout with the insets and gaps of the one-line layout.
    void arrange(int lines);
    int lines() const { return lines_; }
    // The fewest lines with which the area's size hint fits in room; nullopt when even
    // the most lines do not fit. Leaves the panels arranged in the lines it tried last.
    std::optional<int> fewestLines(const QSize& room);

    // The rule itself: the fewest of the line counts 1..count with which sizeOf(lines)
    // fits in room. More lines only make the clocks longer along the flow, so the search
    // stops at the first count whose length along the flow is already too much.
    static std::optional<int> fewestLines(int count, Flow flow, const QSize& room,
                                          const std::function<QSize(int)>& sizeOf);
    // The largest of smallest..largest for which fits() holds, where fits() holds for
    // every value below one for which it holds; nullopt when not even smallest fits.
    static std::optional<int> largestFitting(int smallest, int largest,
                                             const std::function<bool(int)>& fits);

private:
    QWidget* area_;
    Flow flow_;
    QList<QWidget*> panels_;
    int lines_ = 0;
};

} // namespace vantor
