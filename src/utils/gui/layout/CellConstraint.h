#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace utils {

// Where and how one component sits in a ConstraintLayout, read from a text such as
// "gapbottom 1, span, split 2, aligny center". Keywords are separated by commas, their
// values by blanks; case and surrounding blanks do not matter.
//
// Keywords: wrap [gap], skip [n], span [x [y]] (no count: the rest of the row),
// spanx [n], spany [n] (no count: the rest), split [n] (no count: up to the next wrap),
// gapleft/gapbefore, gapright/gapafter, gaptop, gapbottom (a gap each), gapx a [b],
// gapy a [b], gap left [right [top [bottom]]], align x|y|center (center: both axes) or align x y,
// alignx left|right|center|leading|trailing, aligny top|bottom|center, grow [wx [wy]],
// growx [w], growy [w], width/w and height/h (a size, below), wmin, wmax, hmin, hmax.
// By default a component keeps its preferred size, at the leading side of its cell and
// centred vertically.
//
// Horizontal terms follow the reading direction: "leading"/"trailing" and the gaps
// gapleft (= gapbefore) and gapright (= gapafter) are the sides where the row starts and
// ends, so they change sides in a right-to-left window. The alignments "left" and
// "right" are physical sides and do not.
struct CellConstraint
{
    enum class AlignX
    {
        Default,
        Leading,
        Trailing,
        Left,
        Right,
        Center
    };
    enum class AlignY
    {
        Default,
        Top,
        Bottom,
        Center
    };

    // A span or split without a count: the rest of the row (or of the rows, for spany).
    static constexpr int Rest = 1 << 20;
    // "rel" and "para": the gap between related controls and between groups of them.
    static constexpr int RelatedGap = 6;
    static constexpr int UnrelatedGap = 12;
    // The grow weight of a bare "grow"/"growx"/"growy".
    static constexpr int DefaultGrowWeight = 100;

    int skip = 0;
    int spanX = 1;
    int spanY = 1;
    int split = 1; // components sharing this cell, this one included
    bool wrap = false;
    std::optional<int> wrapGap; // pixels before the next row; unset: the row gap

    std::optional<int> gapBefore; // unset: no gap at a cell edge, "rel" inside a split cell
    std::optional<int> gapAfter;
    int gapTop = 0;
    int gapBottom = 0;

    AlignX alignX = AlignX::Default;
    AlignY alignY = AlignY::Default;
    int growX = 0; // 0: the component keeps its preferred size
    int growY = 0;

    std::optional<int> minWidth, prefWidth, maxWidth;
    std::optional<int> minHeight, prefHeight, maxHeight;

    // Parses a component constraint text. Keywords it does not know and values it cannot
    // read are skipped; each is described in *error (joined by "; "), which is left empty
    // when the whole text was understood.
    static CellConstraint parse(const QString& text, QString* error = nullptr);

    // A gap value: "12" or "12px" (pixels), "rel"/"related", "para"/"unrelated".
    static std::optional<int> parseGap(QStringView token);
    // A size value: "100" (preferred), "100!" (fixed), "min:pref" or "min:pref:max" with
    // any part left empty, e.g. "240:" for a minimum of 240. Leaves unset what is absent.
    static bool parseBoundSize(QStringView token, std::optional<int>* min, std::optional<int>* pref,
                               std::optional<int>* max);
};

} // namespace utils
