#pragma once

#include "utils/gui/layout/CellConstraint.h"
#include "utils/gui/layout/LineConstraint.h"

#include <QLayout>
#include <QList>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

namespace utils {

// A grid layout driven by constraint texts, so that every window states its arrangement
// in a few words: ConstraintLayout("insets 4") with addWidget(label, "align center, wrap 2").
//
// Components flow into cells left to right (in reading order); "wrap" ends the row,
// "skip" leaves cells empty, "span"/"spany" join cells and "split n" puts the next n - 1
// components into the same cell, side by side. Cells covered by an earlier "spany" are
// passed over. Each column is as wide as its widest single-column cell, each row as high
// as its highest; a spanning cell that needs more widens the growing lines it covers, or
// else its last one. Lines that a cell only spans (none starts there) add no gap, and
// lines no visible cell reaches take no space at all. Extra space goes to the rows and
// columns with a grow weight; without one, the grid stays at the top leading corner.
// Hidden widgets keep their place in the flow but take no space.
//
// Right to left (the parent widget's layoutDirection()): the grid is mirrored, so
// column 0, "leading" and "gapleft" are on the right. Insets and the alignments "left"
// and "right" are physical sides and stay where they are.
//
// Layout constraints: "insets n" or "insets top left bottom right" (pixels; default
// DefaultInsets), "fill"/"fillx"/"filly" (extra space goes to every line when none has a
// grow weight), "gap x [y]", "gapx x", "gapy y" (default gaps between columns and rows,
// "rel" unless set). Row and column constraints: see LineConstraint; with more lines than
// brackets, the last bracket holds for the rest. Component constraints: see
// CellConstraint.
//
// A text the layout cannot read is a programming error: each problem is logged with
// qWarning (naming the keyword and the whole text) and collected in constraintErrors();
// the rest of the text still applies.
class ConstraintLayout : public QLayout
{
    Q_OBJECT

public:
    static constexpr int DefaultInsets = 7;

    explicit ConstraintLayout(const QString& layoutConstraints = {},
                              const QString& columnConstraints = {},
                              const QString& rowConstraints = {}, QWidget* parent = nullptr);
    ~ConstraintLayout() override;

    void addWidget(QWidget* widget, const QString& constraint = {});
    void addLayout(QLayout* layout, const QString& constraint = {});
    void addItem(QLayoutItem* item) override;
    void addItem(QLayoutItem* item, const QString& constraint);

    // Every problem found in the texts given to this layout so far, in order.
    QStringList constraintErrors() const { return errors_; }

    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    Qt::Orientations expandingDirections() const override;
    void setGeometry(const QRect& rect) override;
    void invalidate() override;

private:
    struct Entry
    {
        QLayoutItem* item;
        CellConstraint constraint;
    };
    struct Cell
    {
        int column = 0;
        int row = 0;
        int spanX = 1;
        int spanY = 1;
        std::vector<int> members; // indices into entries_
    };
    struct Flow
    {
        std::vector<Cell> cells;
        std::map<int, int> wrapGapAfterRow;
    };
    struct Extent
    {
        bool visible = false;
        int min = 0;
        int pref = 0;
    };
    struct MemberSize
    {
        int min = 0;
        int pref = 0;
        int max = 0;
    };
    struct Axis;

    void report(const QString& problem);
    void readLayoutConstraints(const QString& text);
    bool applyLayoutKeyword(const QString& key, const std::vector<int>& values);
    std::shared_ptr<const Flow> sharedFlow() const;
    const Flow& flow() const { return *sharedFlow(); }
    Flow buildFlow() const;
    LineConstraint lineAt(Qt::Orientation orientation, int line) const;
    int gapAfter(Qt::Orientation orientation, int line) const;
    MemberSize memberSize(int entry, Qt::Orientation orientation) const;
    int innerGap(int before, int after) const;
    Extent cellExtent(const Cell& cell, Qt::Orientation orientation) const;
    Axis buildAxis(Qt::Orientation orientation) const;
    // The axis as last built; a layout pass asks for sizes many times, a change of any
    // item's size hint invalidates it.
    std::shared_ptr<const Axis> sharedAxis(Qt::Orientation orientation) const;
    const Axis& axis(Qt::Orientation orientation) const { return *sharedAxis(orientation); }
    bool rightToLeft() const;
    void placeCell(const Cell& cell, int left, int right, int top, int bottom, bool fillX,
                   bool fillY, const QRect& contents) const;

    std::vector<Entry> entries_;
    QList<LineConstraint> columns_;
    QList<LineConstraint> rows_;
    bool fillX_ = false;
    bool fillY_ = false;
    int gapX_ = CellConstraint::RelatedGap;
    int gapY_ = CellConstraint::RelatedGap;
    QStringList errors_;
    // Shared, so that placing the items, which may make a child invalidate this layout
    // on the spot, never frees what is being placed.
    mutable std::shared_ptr<const Flow> flow_;
    mutable std::shared_ptr<const Axis> across_;
    mutable std::shared_ptr<const Axis> down_;
};

} // namespace utils
