#include "utils/gui/layout/CellConstraint.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace utils {

namespace {

std::optional<int> nonNegative(QStringView token)
{
    bool ok = false;
    const int value = token.toInt(&ok, 10);
    if (!ok || value < 0) {
        return std::nullopt;
    }
    return value;
}

// Pixel values are kept within what a widget can measure, so that sums cannot overflow.
constexpr int MaxPixels = (1 << 24) - 1;

std::optional<int> pixels(QStringView token)
{
    if (token.endsWith(u"px", Qt::CaseInsensitive)) {
        token.chop(2);
    }
    const auto value = nonNegative(token);
    return value ? std::optional<int>(std::min(*value, MaxPixels)) : std::nullopt;
}

int capped(int count)
{
    return std::min(count, int(CellConstraint::Rest));
}

QString quoted(const QString& s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}

// Applies one comma-separated part; returns what was wrong with it, or nothing.
class PartReader
{
public:
    PartReader(CellConstraint& c, const QString& key, const QStringList& args)
        : c_(c), key_(key), args_(args)
    {}

    QString apply()
    {
        if (key_ == "wrap") {
            return optionalGap(c_.wrapGap, [this] { c_.wrap = true; });
        }
        if (key_ == "skip") {
            return optionalCount(c_.skip, 1, 0);
        }
        if (key_ == "span") {
            return span();
        }
        if (key_ == "spanx") {
            return optionalCount(c_.spanX, CellConstraint::Rest, 1);
        }
        if (key_ == "spany") {
            return optionalCount(c_.spanY, CellConstraint::Rest, 1);
        }
        if (key_ == "split") {
            return optionalCount(c_.split, CellConstraint::Rest, 1);
        }
        if (key_ == "gapleft" || key_ == "gapbefore") {
            return gaps({&c_.gapBefore}, 1);
        }
        if (key_ == "gapright" || key_ == "gapafter") {
            return gaps({&c_.gapAfter}, 1);
        }
        if (key_ == "gaptop" || key_ == "gapbottom" || key_ == "gapy" || key_ == "gap" ||
            key_ == "gapx") {
            return sideGaps();
        }
        if (key_ == "align") {
            return align();
        }
        if (key_ == "alignx") {
            return exactly(1) ? alignX(args_[0]) : wrongCount();
        }
        if (key_ == "aligny") {
            return exactly(1) ? alignY(args_[0]) : wrongCount();
        }
        if (key_ == "grow") {
            return grow({&c_.growX, &c_.growY});
        }
        if (key_ == "growx") {
            return grow({&c_.growX});
        }
        if (key_ == "growy") {
            return grow({&c_.growY});
        }
        if (key_ == "width" || key_ == "w") {
            return boundSize(c_.minWidth, c_.prefWidth, c_.maxWidth);
        }
        if (key_ == "height" || key_ == "h") {
            return boundSize(c_.minHeight, c_.prefHeight, c_.maxHeight);
        }
        if (key_ == "wmin" || key_ == "wmax" || key_ == "hmin" || key_ == "hmax") {
            if (!exactly(1)) {
                return wrongCount();
            }
            const auto value = pixels(args_[0]);
            if (!value) {
                return badValue(args_[0]);
            }
            (key_ == "wmin"   ? c_.minWidth
             : key_ == "wmax" ? c_.maxWidth
             : key_ == "hmin" ? c_.minHeight
                              : c_.maxHeight) = *value;
            return {};
        }
        return QStringLiteral("unknown keyword ") + quoted(key_);
    }

private:
    bool exactly(qsizetype n) const { return args_.size() == n; }

    QString wrongCount() const
    {
        return (args_.isEmpty() ? QStringLiteral("missing value for ")
                                : QStringLiteral("wrong number of values for ")) +
               quoted(key_);
    }

    QString badValue(const QString& value) const
    {
        return QStringLiteral("bad value ") + quoted(value) + QStringLiteral(" for ") +
               quoted(key_);
    }

    template <typename Set> QString optionalGap(std::optional<int>& target, Set set)
    {
        if (args_.size() > 1) {
            return wrongCount();
        }
        if (!args_.isEmpty()) {
            const auto gap = CellConstraint::parseGap(args_[0]);
            if (!gap) {
                return badValue(args_[0]);
            }
            target = *gap;
        }
        set();
        return {};
    }

    // "keyword [count]": without a count the target becomes `whenAbsent`.
    QString optionalCount(int& target, int whenAbsent, int minimum)
    {
        if (args_.size() > 1) {
            return wrongCount();
        }
        int value = whenAbsent;
        if (!args_.isEmpty()) {
            const auto n = nonNegative(args_[0]);
            if (!n || *n < minimum) {
                return badValue(args_[0]);
            }
            value = capped(*n);
        }
        target = value;
        return {};
    }

    QString span()
    {
        if (args_.size() > 2) {
            return wrongCount();
        }
        int values[2] = {CellConstraint::Rest, 1};
        for (qsizetype i = 0; i < args_.size(); ++i) {
            const auto n = nonNegative(args_[i]);
            if (!n || *n < 1) {
                return badValue(args_[i]);
            }
            values[i] = capped(*n);
        }
        c_.spanX = values[0];
        c_.spanY = values[1];
        return {};
    }

    // Reads one to targets.size() values; sides without a value keep what they had.
    QString gaps(std::initializer_list<std::optional<int>*> targets, qsizetype required)
    {
        if (args_.size() < required || args_.size() > qsizetype(targets.size())) {
            return wrongCount();
        }
        std::vector<int> values;
        for (const QString& arg : args_) {
            const auto gap = CellConstraint::parseGap(arg);
            if (!gap) {
                return badValue(arg);
            }
            values.push_back(*gap);
        }
        auto target = targets.begin();
        for (int value : values) {
            **target++ = value;
        }
        return {};
    }

    // gaptop v, gapbottom v, gapx before [after], gapy top [bottom],
    // gap before [after [top [bottom]]].
    QString sideGaps()
    {
        std::optional<int> top;
        std::optional<int> bottom;
        QString problem;
        if (key_ == "gaptop") {
            problem = gaps({&top}, 1);
        } else if (key_ == "gapbottom") {
            problem = gaps({&bottom}, 1);
        } else if (key_ == "gapx") {
            problem = gaps({&c_.gapBefore, &c_.gapAfter}, 1);
        } else if (key_ == "gapy") {
            problem = gaps({&top, &bottom}, 1);
        } else {
            problem = gaps({&c_.gapBefore, &c_.gapAfter, &top, &bottom}, 1);
        }
        if (problem.isEmpty()) {
            c_.gapTop = top.value_or(c_.gapTop);
            c_.gapBottom = bottom.value_or(c_.gapBottom);
        }
        return problem;
    }

    QString align()
    {
        if (args_.isEmpty() || args_.size() > 2) {
            return wrongCount();
        }
        if (args_.size() == 2) {
            QString problem = alignX(args_[0]);
            return problem.isEmpty() ? alignY(args_[1]) : problem;
        }
        const QString v = args_[0].toLower();
        if (v == "center") {
            c_.alignX = CellConstraint::AlignX::Center;
            c_.alignY = CellConstraint::AlignY::Center;
            return {};
        }
        if (v == "top" || v == "bottom") {
            return alignY(v);
        }
        return alignX(v);
    }

    QString alignX(const QString& value)
    {
        using A = CellConstraint::AlignX;
        const QString v = value.toLower();
        if (v == "left") {
            c_.alignX = A::Left;
        } else if (v == "right") {
            c_.alignX = A::Right;
        } else if (v == "center") {
            c_.alignX = A::Center;
        } else if (v == "leading") {
            c_.alignX = A::Leading;
        } else if (v == "trailing") {
            c_.alignX = A::Trailing;
        } else {
            return badValue(value);
        }
        return {};
    }

    QString alignY(const QString& value)
    {
        using A = CellConstraint::AlignY;
        const QString v = value.toLower();
        if (v == "top") {
            c_.alignY = A::Top;
        } else if (v == "bottom") {
            c_.alignY = A::Bottom;
        } else if (v == "center") {
            c_.alignY = A::Center;
        } else {
            return badValue(value);
        }
        return {};
    }

    QString grow(std::initializer_list<int*> targets)
    {
        if (args_.size() > qsizetype(targets.size())) {
            return wrongCount();
        }
        int weight = CellConstraint::DefaultGrowWeight;
        qsizetype i = 0;
        for (int* target : targets) {
            if (i < args_.size()) {
                const auto w = nonNegative(args_[i]);
                if (!w) {
                    return badValue(args_[i]);
                }
                weight = capped(*w);
            }
            *target = weight;
            ++i;
        }
        return {};
    }

    QString boundSize(std::optional<int>& min, std::optional<int>& pref, std::optional<int>& max)
    {
        if (!exactly(1)) {
            return wrongCount();
        }
        if (!CellConstraint::parseBoundSize(args_[0], &min, &pref, &max)) {
            return badValue(args_[0]);
        }
        return {};
    }

    CellConstraint& c_;
    const QString& key_;
    const QStringList& args_;
};

} // namespace

std::optional<int> CellConstraint::parseGap(QStringView token)
{
    if (token.compare(u"rel", Qt::CaseInsensitive) == 0 ||
        token.compare(u"related", Qt::CaseInsensitive) == 0) {
        return RelatedGap;
    }
    if (token.compare(u"para", Qt::CaseInsensitive) == 0 ||
        token.compare(u"unrel", Qt::CaseInsensitive) == 0 ||
        token.compare(u"unrelated", Qt::CaseInsensitive) == 0) {
        return UnrelatedGap;
    }
    return pixels(token);
}

bool CellConstraint::parseBoundSize(QStringView token, std::optional<int>* min,
                                    std::optional<int>* pref, std::optional<int>* max)
{
    if (token.endsWith(u'!')) {
        const auto fixed = pixels(token.chopped(1));
        if (!fixed) {
            return false;
        }
        *min = *pref = *max = *fixed;
        return true;
    }
    const QList<QStringView> parts = token.split(u':');
    if (parts.size() > 3) {
        return false;
    }
    std::optional<int> values[3];
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (parts[i].isEmpty()) {
            continue;
        }
        values[i] = pixels(parts[i]);
        if (!values[i]) {
            return false;
        }
    }
    if (parts.size() == 1) {
        if (!values[0]) {
            return false;
        }
        *pref = values[0];
        return true;
    }
    if (!values[0] && !values[1] && !values[2]) {
        return false;
    }
    if (values[0]) {
        *min = values[0];
    }
    if (values[1]) {
        *pref = values[1];
    }
    if (values[2]) {
        *max = values[2];
    }
    return true;
}

CellConstraint CellConstraint::parse(const QString& text, QString* error)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    CellConstraint c;
    QStringList problems;
    for (const QString& part : text.split(u',')) {
        const QStringList tokens = part.split(blanks, Qt::SkipEmptyParts);
        if (tokens.isEmpty()) {
            continue;
        }
        const QString key = tokens.first().toLower();
        const QStringList args = tokens.mid(1);
        // A part that is not fully understood has no effect at all.
        CellConstraint trial = c;
        const QString problem = PartReader(trial, key, args).apply();
        if (problem.isEmpty()) {
            c = trial;
        } else {
            problems << problem + QStringLiteral(" in ") + quoted(text);
        }
    }
    if (error) {
        *error = problems.join(QStringLiteral("; "));
    }
    return c;
}

} // namespace utils
