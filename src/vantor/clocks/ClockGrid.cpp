#include "vantor/clocks/ClockGrid.h"

#include "utils/gui/layout/ConstraintLayout.h"

#include <QWidget>

namespace vantor {

namespace {

int perLine(int count, int lines)
{
    return (count + lines - 1) / lines;
}

} // namespace

ClockGrid::ClockGrid(QWidget* area, Flow flow, QList<QWidget*> panels)
    : area_(area), flow_(flow), panels_(std::move(panels))
{}

void ClockGrid::arrange(int lines)
{
    const int count = int(panels_.size());
    lines = std::clamp(lines, 1, std::max(1, count));
    if (lines == lines_ && area_->layout() != nullptr) {
        return;
    }
    lines_ = lines;
    // The panels stay children of the area; only the layout that places them changes.
    delete area_->layout();
    // Columns of stacked clocks stand an unrelated gap apart, so that the caption lines
    // of neighbours do not run into one.
    auto* grid = new utils::ConstraintLayout(
        flow_ == Flow::Rows
            ? QStringLiteral("insets 4")
            : QStringLiteral("insets 4, gapx %1").arg(utils::CellConstraint::UnrelatedGap),
        {}, {}, area_);
    // The window's layout keeps the area's last size hint until told.
    area_->updateGeometry();
    if (count == 0) {
        return;
    }
    const int along = perLine(count, lines);
    if (flow_ == Flow::Rows) {
        // Cards of one column take the widest one's width, so the rows line up.
        for (int i = 0; i < count; ++i) {
            const bool ends = i % along == along - 1 && i + 1 < count;
            grid->addWidget(panels_[i],
                            ends ? QStringLiteral("growx, wrap") : QStringLiteral("growx"));
        }
        return;
    }
    // The grid fills row by row: row r holds the r-th clock of every column.
    const int columns = perLine(count, along);
    for (int row = 0; row < along; ++row) {
        for (int column = 0; column < columns; ++column) {
            const int i = column * along + row;
            if (i >= count) {
                break;
            }
            const bool ends = column + 1 == columns || i + along >= count;
            grid->addWidget(panels_[i],
                            ends ? QStringLiteral("growx, wrap 5") : QStringLiteral("growx"));
        }
    }
}

std::optional<int> ClockGrid::fewestLines(const QSize& room)
{
    return fewestLines(int(panels_.size()), flow_, room, [this](int lines) {
        arrange(lines);
        return area_->sizeHint();
    });
}

std::optional<int> ClockGrid::fewestLines(int count, Flow flow, const QSize& room,
                                          const std::function<QSize(int)>& sizeOf)
{
    for (int lines = 1; lines <= std::max(1, count); ++lines) {
        // 12 clocks in 5 lines would be 3 a line, which is 4 lines: tried already.
        if (count > 0 && perLine(count, perLine(count, lines)) < lines) {
            continue;
        }
        const QSize size = sizeOf(lines);
        const int along = flow == Flow::Rows ? size.height() : size.width();
        if (along > (flow == Flow::Rows ? room.height() : room.width())) {
            return std::nullopt;
        }
        if (size.width() <= room.width() && size.height() <= room.height()) {
            return lines;
        }
    }
    return std::nullopt;
}

std::optional<int> ClockGrid::largestFitting(int smallest, int largest,
                                             const std::function<bool(int)>& fits)
{
    if (largest < smallest || !fits(smallest)) {
        return std::nullopt;
    }
    // fits(low) holds; the answer lies in low..high.
    int low = smallest;
    int high = largest;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        if (fits(middle)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

} // namespace vantor
