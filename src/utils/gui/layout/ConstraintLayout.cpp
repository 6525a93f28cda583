#include "utils/gui/layout/ConstraintLayout.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QWidget>
#include <QtDebug>

#include <algorithm>
#include <numeric>
#include <set>

namespace utils {

namespace {

constexpr int Unbounded = QWIDGETSIZE_MAX;

QString quoted(const QString& s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}

int sum(const std::vector<int>& values)
{
    return std::accumulate(values.begin(), values.end(), 0);
}

// Splits amount in proportion to weights. Each part is the difference of rounded-down
// running totals, so the parts always add up to the whole amount.
std::vector<int> shares(int amount, const std::vector<int>& weights)
{
    std::vector<int> parts(weights.size(), 0);
    const long long total = std::accumulate(weights.begin(), weights.end(), 0LL);
    if (total <= 0 || amount <= 0) {
        return parts;
    }
    long long running = 0;
    int given = 0;
    for (size_t i = 0; i < weights.size(); ++i) {
        running += weights[i];
        const int upTo = int(amount * running / total);
        parts[i] = upTo - given;
        given = upTo;
    }
    return parts;
}

// Hands out extra by weight without passing the caps; returns what nobody could take.
int growSizes(std::vector<int>& sizes, const std::vector<int>& caps, std::vector<int> weights,
              int extra)
{
    while (extra > 0) {
        for (size_t i = 0; i < sizes.size(); ++i) {
            if (sizes[i] >= caps[i]) {
                weights[i] = 0;
            }
        }
        const std::vector<int> parts = shares(extra, weights);
        int used = 0;
        for (size_t i = 0; i < sizes.size(); ++i) {
            const int add = std::min(parts[i], caps[i] - sizes[i]);
            sizes[i] += add;
            used += add;
        }
        if (used == 0) {
            break;
        }
        extra -= used;
    }
    return extra;
}

// Takes deficit away in proportion to how far each size is above its minimum.
void shrinkSizes(std::vector<int>& sizes, const std::vector<int>& mins, int deficit)
{
    std::vector<int> room(sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        room[i] = std::max(0, sizes[i] - mins[i]);
    }
    const std::vector<int> parts = shares(std::min(deficit, sum(room)), room);
    for (size_t i = 0; i < sizes.size(); ++i) {
        sizes[i] -= parts[i];
    }
}

enum class Side
{
    Start,
    End,
    Center
};

Side sideOf(CellConstraint::AlignX align, bool rightToLeft)
{
    using A = CellConstraint::AlignX;
    switch (align) {
    case A::Trailing:
        return Side::End;
    case A::Center:
        return Side::Center;
    case A::Left:
        return rightToLeft ? Side::End : Side::Start;
    case A::Right:
        return rightToLeft ? Side::Start : Side::End;
    case A::Default:
    case A::Leading:
        break;
    }
    return Side::Start;
}

} // namespace

// The rows or the columns of the grid: the lines in which a visible cell starts or
// which a visible cell spans; the others take no space.
struct ConstraintLayout::Axis
{
    std::vector<int> lines; // grid line numbers, ascending
    std::vector<int> min, pref, max, weight;
    std::vector<bool> fill;
    std::vector<int> gapBefore;              // 0 for the first line
    std::vector<std::pair<int, int>> ranges; // per cell: first and last index, or -1

    int length(const std::vector<int>& sizes) const { return sum(sizes) + sum(gapBefore); }

    std::vector<int> solve(int available, bool fillAll) const
    {
        std::vector<int> sizes = pref;
        const int need = length(pref);
        if (available > need) {
            const int left = growSizes(sizes, max, weight, available - need);
            if (left > 0 && fillAll) {
                growSizes(sizes, max, std::vector<int>(sizes.size(), 1), left);
            }
        } else if (available < need) {
            shrinkSizes(sizes, min, need - available);
        }
        return sizes;
    }

    std::vector<int> positions(const std::vector<int>& sizes, int origin) const
    {
        std::vector<int> pos(sizes.size());
        for (size_t k = 0; k < sizes.size(); ++k) {
            pos[k] = k == 0 ? origin : pos[k - 1] + sizes[k - 1] + gapBefore[k];
        }
        return pos;
    }

    bool fills(std::pair<int, int> range) const
    {
        return std::any_of(fill.begin() + range.first, fill.begin() + range.second + 1,
                           [](bool f) { return f; });
    }
};

ConstraintLayout::ConstraintLayout(const QString& layoutConstraints,
                                   const QString& columnConstraints, const QString& rowConstraints,
                                   QWidget* parent)
    : QLayout(parent)
{
    setContentsMargins(DefaultInsets, DefaultInsets, DefaultInsets, DefaultInsets);
    readLayoutConstraints(layoutConstraints);
    QString problem;
    columns_ = LineConstraint::parseList(columnConstraints, &problem);
    if (!problem.isEmpty()) {
        report(QStringLiteral("column constraints: ") + problem);
    }
    rows_ = LineConstraint::parseList(rowConstraints, &problem);
    if (!problem.isEmpty()) {
        report(QStringLiteral("row constraints: ") + problem);
    }
}

ConstraintLayout::~ConstraintLayout()
{
    while (QLayoutItem* item = takeAt(0)) {
        delete item;
    }
}

void ConstraintLayout::report(const QString& problem)
{
    errors_ << problem;
    qWarning().noquote() << "ConstraintLayout:" << problem;
}

bool ConstraintLayout::applyLayoutKeyword(const QString& key, const std::vector<int>& values)
{
    const size_t n = values.size();
    if (key == "insets" && (n == 1 || n == 4)) {
        if (n == 1) {
            setContentsMargins(values[0], values[0], values[0], values[0]);
        } else { // top, left, bottom, right
            setContentsMargins(values[1], values[0], values[3], values[2]);
        }
    } else if (key == "fill" && n == 0) {
        fillX_ = fillY_ = true;
    } else if (key == "fillx" && n == 0) {
        fillX_ = true;
    } else if (key == "filly" && n == 0) {
        fillY_ = true;
    } else if (key == "gap" && (n == 1 || n == 2)) {
        gapX_ = values[0];
        gapY_ = values[n - 1];
    } else if ((key == "gapx" || key == "gapy") && n == 1) {
        (key == "gapx" ? gapX_ : gapY_) = values[0];
    } else {
        return false;
    }
    return true;
}

void ConstraintLayout::readLayoutConstraints(const QString& text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QStringList tokens = part.split(blanks, Qt::SkipEmptyParts);
        if (tokens.isEmpty()) {
            continue;
        }
        const QString key = tokens.first().toLower();
        std::vector<int> values;
        for (qsizetype i = 1; i < tokens.size(); ++i) {
            if (const auto value = CellConstraint::parseGap(tokens[i])) {
                values.push_back(*value);
            }
        }
        const size_t n = values.size();
        // A value that cannot be read leaves the keyword without effect.
        const bool understood = n + 1 == size_t(tokens.size()) && applyLayoutKeyword(key, values);
        if (!understood) {
            const bool known = key == "insets" || key == "fill" || key == "fillx" ||
                               key == "filly" || key == "gap" || key == "gapx" || key == "gapy";
            report(
                QStringLiteral("layout constraints: ") +
                (known ? QStringLiteral("bad values for ") : QStringLiteral("unknown keyword ")) +
                quoted(known ? part.trimmed() : key) + QStringLiteral(" in ") + quoted(text));
        }
    }
}

void ConstraintLayout::addWidget(QWidget* widget, const QString& constraint)
{
    if (!widget) {
        report(QStringLiteral("null widget added with ") + quoted(constraint));
        return;
    }
    addChildWidget(widget);
    addItem(new QWidgetItem(widget), constraint);
}

void ConstraintLayout::addLayout(QLayout* layout, const QString& constraint)
{
    if (!layout) {
        report(QStringLiteral("null layout added with ") + quoted(constraint));
        return;
    }
    addChildLayout(layout);
    addItem(layout, constraint);
}

void ConstraintLayout::addItem(QLayoutItem* item)
{
    addItem(item, QString());
}

void ConstraintLayout::addItem(QLayoutItem* item, const QString& constraint)
{
    if (!item) {
        return;
    }
    QString problem;
    entries_.push_back({item, CellConstraint::parse(constraint, &problem)});
    if (!problem.isEmpty()) {
        report(problem);
    }
    invalidate();
}

int ConstraintLayout::count() const
{
    return int(entries_.size());
}

QLayoutItem* ConstraintLayout::itemAt(int index) const
{
    return index >= 0 && index < count() ? entries_[size_t(index)].item : nullptr;
}

QLayoutItem* ConstraintLayout::takeAt(int index)
{
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    QLayoutItem* item = entries_[size_t(index)].item;
    entries_.erase(entries_.begin() + index);
    invalidate();
    return item;
}

void ConstraintLayout::invalidate()
{
    flow_.reset();
    across_.reset();
    down_.reset();
    QLayout::invalidate();
}

std::shared_ptr<const ConstraintLayout::Flow> ConstraintLayout::sharedFlow() const
{
    if (!flow_) {
        flow_ = std::make_shared<const Flow>(buildFlow());
    }
    return flow_;
}

ConstraintLayout::Flow ConstraintLayout::buildFlow() const
{
    struct Block
    {
        int x, y, w, h;
    };
    Flow f;
    std::vector<Block> taken; // cells claimed by earlier components, spans included
    int x = 0;
    int y = 0;
    int openSplit = 0; // further components the current cell takes in

    const auto newRow = [&] {
        ++y;
        x = 0;
    };
    // Moves on to the next free cell. The guard only matters when a span reaching to the
    // end of the row and of the grid has left no cell free.
    const auto toFree = [&] {
        for (int guard = 0; guard < (1 << 16); ++guard) {
            if (x >= CellConstraint::Rest) {
                newRow();
                continue;
            }
            const auto block = std::find_if(taken.begin(), taken.end(), [&](const Block& b) {
                return x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h;
            });
            if (block == taken.end()) {
                return;
            }
            x = block->x + block->w;
        }
    };

    for (int i = 0; i < count(); ++i) {
        const CellConstraint& c = entries_[size_t(i)].constraint;
        if (openSplit > 0) {
            f.cells.back().members.push_back(i);
            --openSplit;
        } else {
            toFree();
            for (int s = 0; s < c.skip; ++s) {
                ++x;
                toFree();
            }
            f.cells.push_back({x, y, c.spanX, c.spanY, {i}});
            taken.push_back({x, y, c.spanX, c.spanY});
            x = std::min(x + c.spanX, int(CellConstraint::Rest));
            openSplit = c.split - 1;
        }
        if (c.wrap) {
            if (c.wrapGap) {
                f.wrapGapAfterRow[y] = *c.wrapGap;
            }
            newRow();
            openSplit = 0;
        }
    }
    return f;
}

LineConstraint ConstraintLayout::lineAt(Qt::Orientation orientation, int line) const
{
    const QList<LineConstraint>& lines = orientation == Qt::Horizontal ? columns_ : rows_;
    if (lines.isEmpty()) {
        return {};
    }
    return line < lines.size() ? lines[line] : lines.last();
}

int ConstraintLayout::gapAfter(Qt::Orientation orientation, int line) const
{
    if (orientation == Qt::Vertical) {
        const auto wrapGap = flow().wrapGapAfterRow.find(line);
        if (wrapGap != flow().wrapGapAfterRow.end()) {
            return wrapGap->second;
        }
    }
    const LineConstraint next = lineAt(orientation, line + 1);
    return next.gapBefore.value_or(orientation == Qt::Horizontal ? gapX_ : gapY_);
}

ConstraintLayout::MemberSize ConstraintLayout::memberSize(int entry,
                                                          Qt::Orientation orientation) const
{
    const Entry& e = entries_[size_t(entry)];
    const CellConstraint& c = e.constraint;
    const bool across = orientation == Qt::Horizontal;
    const QSize hint = e.item->sizeHint();
    const QSize least = e.item->minimumSize();
    const QSize most = e.item->maximumSize();
    MemberSize s;
    s.min = std::max(
        0, (across ? c.minWidth : c.minHeight).value_or(across ? least.width() : least.height()));
    s.max = std::clamp(
        (across ? c.maxWidth : c.maxHeight).value_or(across ? most.width() : most.height()), s.min,
        std::max(s.min, Unbounded));
    s.pref = std::clamp(
        (across ? c.prefWidth : c.prefHeight).value_or(across ? hint.width() : hint.height()),
        s.min, s.max);
    return s;
}

int ConstraintLayout::innerGap(int before, int after) const
{
    const std::optional<int>& trailing = entries_[size_t(before)].constraint.gapAfter;
    const std::optional<int>& leading = entries_[size_t(after)].constraint.gapBefore;
    if (!trailing && !leading) {
        return CellConstraint::RelatedGap;
    }
    return trailing.value_or(0) + leading.value_or(0);
}

ConstraintLayout::Extent ConstraintLayout::cellExtent(const Cell& cell,
                                                      Qt::Orientation orientation) const
{
    Extent e;
    int previous = -1;
    for (int m : cell.members) {
        if (entries_[size_t(m)].item->isEmpty()) {
            continue;
        }
        const CellConstraint& c = entries_[size_t(m)].constraint;
        const MemberSize s = memberSize(m, orientation);
        if (orientation == Qt::Horizontal) {
            const int gap = previous < 0 ? c.gapBefore.value_or(0) : innerGap(previous, m);
            e.min += gap + s.min;
            e.pref += gap + s.pref;
            previous = m;
        } else {
            e.min = std::max(e.min, c.gapTop + s.min + c.gapBottom);
            e.pref = std::max(e.pref, c.gapTop + s.pref + c.gapBottom);
        }
        e.visible = true;
    }
    if (previous >= 0) {
        const int after = entries_[size_t(previous)].constraint.gapAfter.value_or(0);
        e.min += after;
        e.pref += after;
    }
    return e;
}

ConstraintLayout::Axis ConstraintLayout::buildAxis(Qt::Orientation orientation) const
{
    // A span longer than this adds no further lines of its own; nobody lays out that many.
    constexpr int MaxSpannedLines = 256;
    const bool across = orientation == Qt::Horizontal;
    const Flow& f = flow();
    Axis a;
    std::vector<Extent> extents;
    extents.reserve(f.cells.size());
    std::set<int> started;
    std::set<int> lines;
    for (const Cell& cell : f.cells) {
        extents.push_back(cellExtent(cell, orientation));
        if (!extents.back().visible) {
            continue;
        }
        const int start = across ? cell.column : cell.row;
        const int span = across ? cell.spanX : cell.spanY;
        started.insert(start);
        lines.insert(start);
        if (span < CellConstraint::Rest) {
            for (int l = start + 1; l < start + std::min(span, MaxSpannedLines); ++l) {
                lines.insert(l);
            }
        }
    }
    a.lines.assign(lines.begin(), lines.end());

    const size_t n = a.lines.size();
    a.min.assign(n, 0);
    a.pref.assign(n, 0);
    a.max.assign(n, Unbounded);
    a.weight.assign(n, 0);
    a.fill.assign(n, false);
    a.gapBefore.assign(n, 0);
    a.ranges.assign(f.cells.size(), {-1, -1});

    std::vector<size_t> spanning;
    for (size_t c = 0; c < f.cells.size(); ++c) {
        if (!extents[c].visible) {
            continue;
        }
        const Cell& cell = f.cells[c];
        const int start = across ? cell.column : cell.row;
        const int end = start + (across ? cell.spanX : cell.spanY) - 1;
        const int first =
            int(std::lower_bound(a.lines.begin(), a.lines.end(), start) - a.lines.begin());
        const int last =
            int(std::upper_bound(a.lines.begin(), a.lines.end(), end) - a.lines.begin()) - 1;
        a.ranges[c] = {first, last};
        if (first == last) {
            a.min[size_t(first)] = std::max(a.min[size_t(first)], extents[c].min);
            a.pref[size_t(first)] = std::max(a.pref[size_t(first)], extents[c].pref);
        } else {
            spanning.push_back(c);
        }
    }

    int lastStarted = -1;
    for (size_t k = 0; k < n; ++k) {
        const LineConstraint line = lineAt(orientation, a.lines[k]);
        a.weight[k] = line.grow;
        a.fill[k] = line.fill;
        a.min[k] = line.minSize.value_or(a.min[k]);
        a.pref[k] = line.prefSize.value_or(a.pref[k]);
        a.max[k] = std::max(line.maxSize.value_or(a.max[k]), a.min[k]);
        a.pref[k] = std::clamp(a.pref[k], a.min[k], a.max[k]);
        // A line that only lies under a span takes no gap: the gap stays where a cell
        // starts.
        if (started.count(a.lines[k])) {
            a.gapBefore[k] = lastStarted < 0 ? 0 : gapAfter(orientation, lastStarted);
            lastStarted = a.lines[k];
        }
    }

    // Narrow spans first, so that a wide span sees what the narrow ones already asked for.
    // What a span needs beyond its lines goes to the growing lines among them, else to its
    // last line, so that the lines it shares with cells before it keep their size.
    std::stable_sort(spanning.begin(), spanning.end(), [&](size_t l, size_t r) {
        return a.ranges[l].second - a.ranges[l].first < a.ranges[r].second - a.ranges[r].first;
    });
    for (size_t c : spanning) {
        const auto [first, last] = a.ranges[c];
        std::vector<int> weights(a.weight.begin() + first, a.weight.begin() + last + 1);
        if (sum(weights) == 0) {
            weights.back() = 1;
        }
        const auto widen = [&](std::vector<int>& sizes, int need) {
            int have = 0;
            for (int k = first; k <= last; ++k) {
                have += sizes[size_t(k)] + (k > first ? a.gapBefore[size_t(k)] : 0);
            }
            const std::vector<int> parts = shares(need - have, weights);
            for (size_t i = 0; i < parts.size(); ++i) {
                sizes[size_t(first) + i] += parts[i];
            }
        };
        widen(a.min, extents[c].min);
        widen(a.pref, extents[c].pref);
        for (int k = first; k <= last; ++k) {
            a.pref[size_t(k)] = std::max(a.pref[size_t(k)], a.min[size_t(k)]);
            a.max[size_t(k)] = std::max(a.max[size_t(k)], a.pref[size_t(k)]);
        }
    }
    return a;
}

std::shared_ptr<const ConstraintLayout::Axis>
ConstraintLayout::sharedAxis(Qt::Orientation orientation) const
{
    std::shared_ptr<const Axis>& slot = orientation == Qt::Horizontal ? across_ : down_;
    if (!slot) {
        slot = std::make_shared<const Axis>(buildAxis(orientation));
    }
    return slot;
}

bool ConstraintLayout::rightToLeft() const
{
    if (const QWidget* w = parentWidget()) {
        return w->layoutDirection() == Qt::RightToLeft;
    }
    return QGuiApplication::isRightToLeft();
}

QSize ConstraintLayout::sizeHint() const
{
    const QMargins m = contentsMargins();
    const Axis& across = axis(Qt::Horizontal);
    const Axis& down = axis(Qt::Vertical);
    return {across.length(across.pref) + m.left() + m.right(),
            down.length(down.pref) + m.top() + m.bottom()};
}

QSize ConstraintLayout::minimumSize() const
{
    const QMargins m = contentsMargins();
    const Axis& across = axis(Qt::Horizontal);
    const Axis& down = axis(Qt::Vertical);
    return {across.length(across.min) + m.left() + m.right(),
            down.length(down.min) + m.top() + m.bottom()};
}

Qt::Orientations ConstraintLayout::expandingDirections() const
{
    const auto grows = [](const QList<LineConstraint>& lines) {
        return std::any_of(lines.begin(), lines.end(),
                           [](const LineConstraint& l) { return l.grow > 0; });
    };
    Qt::Orientations directions;
    if (fillX_ || grows(columns_)) {
        directions |= Qt::Horizontal;
    }
    if (fillY_ || grows(rows_)) {
        directions |= Qt::Vertical;
    }
    return directions;
}

void ConstraintLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QRect contents = rect.marginsRemoved(contentsMargins());
    const std::shared_ptr<const Axis> acrossHeld = sharedAxis(Qt::Horizontal);
    const std::shared_ptr<const Axis> downHeld = sharedAxis(Qt::Vertical);
    const std::shared_ptr<const Flow> flowHeld = sharedFlow();
    const Axis& across = *acrossHeld;
    const Axis& down = *downHeld;
    const std::vector<int> widths = across.solve(contents.width(), fillX_);
    const std::vector<int> heights = down.solve(contents.height(), fillY_);
    const std::vector<int> xs = across.positions(widths, 0);
    const std::vector<int> ys = down.positions(heights, contents.top());
    const Flow& f = *flowHeld;
    for (size_t c = 0; c < f.cells.size(); ++c) {
        const auto columns = across.ranges[c];
        const auto rows = down.ranges[c];
        if (columns.first < 0 || rows.first < 0) {
            continue;
        }
        const auto left = size_t(columns.first);
        const auto right = size_t(columns.second);
        const auto top = size_t(rows.first);
        const auto bottom = size_t(rows.second);
        placeCell(f.cells[c], xs[left], xs[right] + widths[right], ys[top],
                  ys[bottom] + heights[bottom], across.fills(columns), down.fills(rows), contents);
    }
}

// left and right are logical offsets from the leading edge of the contents; top and
// bottom are absolute.
void ConstraintLayout::placeCell(const Cell& cell, int left, int right, int top, int bottom,
                                 bool fillX, bool fillY, const QRect& contents) const
{
    std::vector<int> shown;
    for (int m : cell.members) {
        if (!entries_[size_t(m)].item->isEmpty()) {
            shown.push_back(m);
        }
    }
    if (shown.empty()) {
        return;
    }
    const CellConstraint& first = entries_[size_t(shown.front())].constraint;
    int gaps = first.gapBefore.value_or(0) +
               entries_[size_t(shown.back())].constraint.gapAfter.value_or(0);
    std::vector<int> widths, mins, caps, weights;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (i > 0) {
            gaps += innerGap(shown[i - 1], shown[i]);
        }
        const MemberSize s = memberSize(shown[i], Qt::Horizontal);
        const int grow = entries_[size_t(shown[i])].constraint.growX;
        widths.push_back(s.pref);
        mins.push_back(s.min);
        caps.push_back(s.max);
        weights.push_back(grow > 0 ? grow : (fillX ? CellConstraint::DefaultGrowWeight : 0));
    }
    const int room = right - left - gaps;
    if (room > sum(widths)) {
        growSizes(widths, caps, weights, room - sum(widths));
    } else if (room < sum(widths)) {
        shrinkSizes(widths, mins, sum(widths) - room);
    }
    const int slack = std::max(0, room - sum(widths));
    const bool mirrored = rightToLeft();
    int x = left + first.gapBefore.value_or(0);
    switch (sideOf(first.alignX, mirrored)) {
    case Side::Start:
        break;
    case Side::End:
        x += slack;
        break;
    case Side::Center:
        x += slack / 2;
        break;
    }

    for (size_t i = 0; i < shown.size(); ++i) {
        if (i > 0) {
            x += innerGap(shown[i - 1], shown[i]);
        }
        const Entry& e = entries_[size_t(shown[i])];
        const CellConstraint& c = e.constraint;
        const MemberSize s = memberSize(shown[i], Qt::Vertical);
        const int areaTop = top + c.gapTop;
        const int area = std::max(0, bottom - top - c.gapTop - c.gapBottom);
        const int height = c.growY > 0 || fillY ? std::clamp(area, s.min, s.max)
                                                : std::max(s.min, std::min(s.pref, area));
        int y = areaTop;
        if (c.alignY == CellConstraint::AlignY::Bottom) {
            y += std::max(0, area - height);
        } else if (c.alignY != CellConstraint::AlignY::Top) {
            y += std::max(0, area - height) / 2;
        }
        const int width = widths[i];
        const int physicalX = mirrored ? contents.right() + 1 - (x + width) : contents.left() + x;
        e.item->setGeometry(QRect(physicalX, y, width, height));
        x += width;
    }
}

} // namespace utils
