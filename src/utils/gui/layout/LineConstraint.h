#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace utils {

// One row or column of a ConstraintLayout, read from its bracket in a text such as
// "[]10[grow 100, fill]". Inside a bracket: "grow [weight]" (extra space is shared in
// proportion to the weights), "fill" (components fill the line as if they had grow), and
// a size "100", "100!", "min:pref" or "min:pref:max" that overrides what the content asks.
// Between brackets: the gap before the next line ("10", "10px", "rel", "para").
struct LineConstraint
{
    int grow = 0;
    bool fill = false;
    std::optional<int> minSize, prefSize, maxSize;
    std::optional<int> gapBefore; // unset: the layout's default gap

    // Parses a whole row or column constraint text. An empty text gives no lines. Problems
    // are described in *error (left empty when the text was understood); the lines read
    // up to a problem are kept.
    static QList<LineConstraint> parseList(const QString& text, QString* error = nullptr);
};

} // namespace utils
