#include "utils/gui/layout/CellConstraint.h"
#include "utils/gui/layout/ConstraintLayout.h"
#include "utils/gui/layout/LineConstraint.h"

#include <QWidget>
#include <QtTest>

using utils::CellConstraint;
using utils::ConstraintLayout;
using utils::LineConstraint;

namespace {

// A widget whose sizes are exact, so that every expected geometry can be worked out by hand.
class Box : public QWidget
{
public:
    Box(QSize hint, QWidget* parent, QSize least = {})
        : QWidget(parent), hint_(hint), least_(least.isValid() ? least : hint)
    {}
    QSize sizeHint() const override { return hint_; }
    QSize minimumSizeHint() const override { return least_; }

private:
    QSize hint_;
    QSize least_;
};

struct Window
{
    explicit Window(const QString& layoutConstraints = {}, const QString& columns = {},
                    const QString& rows = {}, Qt::LayoutDirection direction = Qt::LeftToRight)
    {
        host.setLayoutDirection(direction);
        layout = new ConstraintLayout(layoutConstraints, columns, rows, &host);
    }
    Box* add(QSize hint, const QString& constraint, QSize least = {})
    {
        auto* box = new Box(hint, &host, least);
        layout->addWidget(box, constraint);
        return box;
    }
    // Lays the widgets out at the given size, by default the preferred one.
    void arrange(QSize size = {})
    {
        layout->setGeometry(QRect(QPoint(0, 0), size.isValid() ? size : layout->sizeHint()));
    }

    QWidget host;
    ConstraintLayout* layout;
};

QString sized(const std::optional<int>& min, const std::optional<int>& pref,
              const std::optional<int>& max)
{
    const auto one = [](const std::optional<int>& v) {
        return v ? QString::number(*v) : QStringLiteral("-");
    };
    return one(min) + u':' + one(pref) + u':' + one(max);
}

// The fields that differ from a constraint without keywords, in a fixed order.
QString describe(const CellConstraint& c)
{
    const auto count = [](int n) {
        return n == CellConstraint::Rest ? QStringLiteral("*") : QString::number(n);
    };
    static const char* const alignXNames[] = {"", "leading", "trailing", "left", "right", "center"};
    static const char* const alignYNames[] = {"", "top", "bottom", "center"};
    QStringList out;
    if (c.skip != 0) {
        out << QStringLiteral("skip=%1").arg(c.skip);
    }
    if (c.spanX != 1 || c.spanY != 1) {
        out << QStringLiteral("span=%1x%2").arg(count(c.spanX), count(c.spanY));
    }
    if (c.split != 1) {
        out << QStringLiteral("split=") + count(c.split);
    }
    if (c.wrap) {
        out << (c.wrapGap ? QStringLiteral("wrap=%1").arg(*c.wrapGap) : QStringLiteral("wrap"));
    }
    if (c.gapBefore) {
        out << QStringLiteral("gapBefore=%1").arg(*c.gapBefore);
    }
    if (c.gapAfter) {
        out << QStringLiteral("gapAfter=%1").arg(*c.gapAfter);
    }
    if (c.gapTop != 0) {
        out << QStringLiteral("gapTop=%1").arg(c.gapTop);
    }
    if (c.gapBottom != 0) {
        out << QStringLiteral("gapBottom=%1").arg(c.gapBottom);
    }
    if (c.alignX != CellConstraint::AlignX::Default) {
        out << QStringLiteral("alignX=") + QLatin1String(alignXNames[int(c.alignX)]);
    }
    if (c.alignY != CellConstraint::AlignY::Default) {
        out << QStringLiteral("alignY=") + QLatin1String(alignYNames[int(c.alignY)]);
    }
    if (c.growX != 0) {
        out << QStringLiteral("growX=%1").arg(c.growX);
    }
    if (c.growY != 0) {
        out << QStringLiteral("growY=%1").arg(c.growY);
    }
    if (c.minWidth || c.prefWidth || c.maxWidth) {
        out << QStringLiteral("w=") + sized(c.minWidth, c.prefWidth, c.maxWidth);
    }
    if (c.minHeight || c.prefHeight || c.maxHeight) {
        out << QStringLiteral("h=") + sized(c.minHeight, c.prefHeight, c.maxHeight);
    }
    return out.join(u' ');
}

QString describe(const QList<LineConstraint>& lines)
{
    QStringList out;
    for (const LineConstraint& l : lines) {
        QStringList parts;
        if (l.gapBefore) {
            parts << QStringLiteral("gap=%1").arg(*l.gapBefore);
        }
        if (l.grow) {
            parts << QStringLiteral("grow=%1").arg(l.grow);
        }
        if (l.fill) {
            parts << QStringLiteral("fill");
        }
        if (l.minSize || l.prefSize || l.maxSize) {
            parts << QStringLiteral("size=") + sized(l.minSize, l.prefSize, l.maxSize);
        }
        out << (parts.isEmpty() ? QStringLiteral(".") : parts.join(u' '));
    }
    return out.join(QStringLiteral(" | "));
}

} // namespace

class TestConstraintLayout : public QObject
{
    Q_OBJECT

private slots:
    void parsesComponentConstraints_data();
    void parsesComponentConstraints();
    void rejectsComponentConstraints_data();
    void rejectsComponentConstraints();
    void unknownKeywordWarnsAndKeepsTheRest();
    void parsesLineConstraints_data();
    void parsesLineConstraints();
    void layoutConstraints_data();
    void layoutConstraints();

    void flow_data();
    void flow();
    void separatorRowsOfTheVerticalClockLayout_data();
    void separatorRowsOfTheVerticalClockLayout();
    void buttonColumnWithGaps_data();
    void buttonColumnWithGaps();
    void settingsRowsWithSpans_data();
    void settingsRowsWithSpans();
    void aboutBoxImageSpansThreeRows();
    void cardsShareOneRow_data();
    void cardsShareOneRow();
    void zoneDialogSkipsEmptyColumns();
    void rowGrowWeights_data();
    void rowGrowWeights();
    void columnConstraints_data();
    void columnConstraints();
    void shrinksTowardMinimumSizes();
    void hiddenAndRemovedWidgetsTakeNoSpace();
};

void TestConstraintLayout::parsesComponentConstraints_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("separator caption") << "gapbottom 1, span, split 2, aligny center"
                                       << "span=*x1 split=2 gapBottom=1 alignY=center";
    QTest::newRow("separator line") << "gapleft rel, growx, wrap 2"
                                    << "wrap=2 gapBefore=6 growX=100";
    QTest::newRow("clock label") << "align center, wrap 2"
                                 << "wrap=2 alignX=center alignY=center";
    QTest::newRow("span and para") << "span 2, wrap para"
                                   << "span=2x1 wrap=12";
    QTest::newRow("zone button") << "gaptop 40, gapright 10, alignx center, wrap"
                                 << "wrap gapAfter=10 gapTop=40 alignX=center";
    QTest::newRow("about image") << "spany 3"
                                 << "span=1x3";
    QTest::newRow("about text") << "skip, wrap para"
                                << "skip=1 wrap=12";
    QTest::newRow("about close") << "span 2, align center, wrap"
                                 << "span=2x1 wrap alignX=center alignY=center";
    QTest::newRow("align left stays x") << "span 4, align left"
                                        << "span=4x1 alignX=left";
    QTest::newRow("align top is y") << "align top"
                                    << "alignY=top";
    QTest::newRow("two-value align") << "align trailing bottom"
                                     << "alignX=trailing alignY=bottom";
    QTest::newRow("zone list") << "spany 5, growy, spanx 4, wmin 240, hmin 400, skip 2"
                               << "skip=2 span=4x5 growY=100 w=240:-:- h=400:-:-";
    QTest::newRow("case and blanks") << "  SPAN 2 ,  Wrap  Para ,, "
                                     << "span=2x1 wrap=12";
    QTest::newRow("sizes and weights") << "w 125!, h 20:30:40, grow 50 0"
                                       << "growX=50 w=125:125:125 h=20:30:40";
    QTest::newRow("open-ended sizes") << "width 300:, height :50"
                                      << "w=300:-:- h=-:50:-";
    QTest::newRow("span both, open split") << "span 3 2, split"
                                           << "span=3x2 split=*";
    QTest::newRow("spanx rest, px gap") << "spanx, wrap 4px"
                                        << "span=*x1 wrap=4";
    QTest::newRow("gap shorthand") << "gap 1 2 3 4"
                                   << "gapBefore=1 gapAfter=2 gapTop=3 gapBottom=4";
    QTest::newRow("gapx gapy") << "gapx 3, gapy 5 7"
                               << "gapBefore=3 gapTop=5 gapBottom=7";
    QTest::newRow("later keyword wins") << "growx, growx 0, skip 3, skip"
                                        << "skip=1";
}

void TestConstraintLayout::parsesComponentConstraints()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QString error = QStringLiteral("untouched");
    const CellConstraint c = CellConstraint::parse(text, &error);
    QCOMPARE(error, QString());
    QCOMPARE(describe(c), expected);
}

void TestConstraintLayout::rejectsComponentConstraints_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unknown keyword") << "spanx 2, frobnicate"
                                     << R"(unknown keyword "frobnicate" in "spanx 2, frobnicate")";
    QTest::newRow("misspelt keyword") << "wrapp"
                                      << R"(unknown keyword "wrapp")";
    QTest::newRow("keyword from another layout") << "flowy"
                                                 << R"(unknown keyword "flowy")";
    QTest::newRow("wrap word") << "wrap big"
                               << R"(bad value "big" for "wrap")";
    QTest::newRow("zero span") << "span 0"
                               << R"(bad value "0" for "span")";
    QTest::newRow("negative skip") << "skip -1"
                                   << R"(bad value "-1" for "skip")";
    QTest::newRow("fractional split") << "split 2.5"
                                      << R"(bad value "2.5" for "split")";
    QTest::newRow("unknown alignment") << "alignx middle"
                                       << R"(bad value "middle")";
    QTest::newRow("x alignment for y") << "aligny left"
                                       << R"(bad value "left" for "aligny")";
    QTest::newRow("three alignments") << "align center top left"
                                      << R"(wrong number of values for "align")";
    QTest::newRow("gap without value") << "gaptop"
                                       << R"(missing value for "gaptop")";
    QTest::newRow("negative gap") << "gapleft -3"
                                  << R"(bad value "-3")";
    QTest::newRow("four-part size") << "w 10:20:30:40"
                                    << R"(bad value "10:20:30:40")";
    QTest::newRow("empty size") << "h ::"
                                << R"(bad value "::")";
    QTest::newRow("negative weight") << "growx -1"
                                     << R"(bad value "-1" for "growx")";
    QTest::newRow("two wrap gaps") << "wrap 2 3"
                                   << R"(wrong number of values for "wrap")";
    QTest::newRow("bad second weight") << "grow 50 abc"
                                       << R"(bad value "abc" for "grow")";
    QTest::newRow("bad y alignment") << "align center middle"
                                     << R"(bad value "middle")";
    QTest::newRow("bad last gap") << "gap 1 2 x"
                                  << R"(bad value "x" for "gap")";
}

void TestConstraintLayout::rejectsComponentConstraints()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QString error;
    const CellConstraint c = CellConstraint::parse(text, &error);
    QVERIFY2(error.contains(expected), qPrintable(error));
    if (!text.contains(u',')) {
        QCOMPARE(describe(c), QString()); // a rejected keyword does nothing at all
    }
}

void TestConstraintLayout::unknownKeywordWarnsAndKeepsTheRest()
{
    Window w(QStringLiteral("insets 0"));
    QTest::ignoreMessage(
        QtWarningMsg, R"(ConstraintLayout: unknown keyword "frobnicate" in "growx, frobnicate")");
    w.add({20, 10}, QStringLiteral("wrap"));
    Box* wide = w.add({10, 10}, QStringLiteral("growx, frobnicate"));
    QCOMPARE(w.layout->constraintErrors(),
             QStringList{R"(unknown keyword "frobnicate" in "growx, frobnicate")"});
    w.arrange();
    QCOMPARE(wide->geometry(), QRect(0, 16, 20, 10)); // growx still applied
}

void TestConstraintLayout::parsesLineConstraints_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("error");
    QStringList tenDefault(10, QStringLiteral("."));
    QTest::newRow("empty") << ""
                           << ""
                           << "";
    QTest::newRow("one default") << "[]"
                                 << "."
                                 << "";
    QTest::newRow("row 10 grows") << "[][][][][][][][][][][grow 100]"
                                  << tenDefault.join(" | ") + " | grow=100"
                                  << "";
    QTest::newRow("gaps and sizes") << "[]10[grow, fill]para[100!]"
                                    << ". | gap=10 grow=100 fill | gap=12 size=100:100:100"
                                    << "";
    QTest::newRow("blanks and case") << " [ 50:80 ]  [GROW 2] "
                                     << "size=50:80:- | grow=2"
                                     << "";
    QTest::newRow("gap before first") << "10[]"
                                      << ""
                                      << "only between brackets";
    QTest::newRow("gap after last") << "[]10"
                                    << "."
                                    << "only between brackets";
    QTest::newRow("unclosed") << "[grow"
                              << ""
                              << "unbalanced bracket";
    QTest::newRow("nested") << "[[]]"
                            << ""
                            << "unbalanced bracket";
    QTest::newRow("unknown keyword") << "[][bogus]"
                                     << ". | ."
                                     << R"(unknown keyword "bogus")";
    QTest::newRow("bad gap") << "[]x[]"
                             << "."
                             << R"(bad gap "x")";
    QTest::newRow("bad weight") << "[grow -2]"
                                << "."
                                << R"(bad grow weight "-2")";
}

void TestConstraintLayout::parsesLineConstraints()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(QString, error);
    QString problem;
    const QList<LineConstraint> lines = LineConstraint::parseList(text, &problem);
    QCOMPARE(describe(lines), expected);
    if (error.isEmpty()) {
        QCOMPARE(problem, QString());
    } else {
        QVERIFY2(problem.contains(error) && problem.contains(text), qPrintable(problem));
    }
}

void TestConstraintLayout::layoutConstraints_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QMargins>("margins");
    QTest::addColumn<QString>("error");
    const QMargins standard(7, 7, 7, 7);
    QTest::newRow("default") << "" << standard << "";
    QTest::newRow("one value") << "insets 4" << QMargins(4, 4, 4, 4) << "";
    QTest::newRow("top left bottom right") << "insets 4 6 4 4" << QMargins(6, 4, 4, 4) << "";
    QTest::newRow("right-to-left card") << "insets 4 4 4 6" << QMargins(4, 4, 6, 4) << "";
    QTest::newRow("case, px") << "INSETS 12px, fillx" << QMargins(12, 12, 12, 12) << "";
    QTest::newRow("two values") << "insets 1 2" << standard << R"(bad values for "insets 1 2")";
    QTest::newRow("word") << "insets wide" << standard << R"(bad values for "insets wide")";
    QTest::newRow("unknown") << "insets 3, flowy" << QMargins(3, 3, 3, 3)
                             << R"(unknown keyword "flowy" in "insets 3, flowy")";
}

void TestConstraintLayout::layoutConstraints()
{
    QFETCH(QString, text);
    QFETCH(QMargins, margins);
    QFETCH(QString, error);
    if (!error.isEmpty()) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(error)));
    }
    ConstraintLayout layout(text);
    QCOMPARE(layout.contentsMargins(), margins);
    // Without components the layout is only its insets.
    QCOMPARE(layout.sizeHint(),
             QSize(margins.left() + margins.right(), margins.top() + margins.bottom()));
    QCOMPARE(layout.constraintErrors().join(u'\n').contains(error), true);
    QCOMPARE(layout.constraintErrors().isEmpty(), error.isEmpty());
}

void TestConstraintLayout::flow_data()
{
    // Every component is a 10 x 10 box; the grid has no insets and related gaps of 6.
    QTest::addColumn<QStringList>("constraints");
    QTest::addColumn<QList<QPoint>>("positions");
    QTest::newRow("no constraint: one row")
        << QStringList{"", "", ""} << QList<QPoint>{{0, 0}, {16, 0}, {32, 0}};
    QTest::newRow("wrap") << QStringList{"wrap", "", ""}
                          << QList<QPoint>{{0, 0}, {0, 16}, {16, 16}};
    QTest::newRow("wrap gaps") << QStringList{"wrap 20", "wrap para", ""}
                               << QList<QPoint>{{0, 0}, {0, 30}, {0, 52}};
    QTest::newRow("skip") << QStringList{"", "", "wrap", "skip", "skip"}
                          << QList<QPoint>{{0, 0}, {16, 0}, {32, 0}, {16, 16}, {48, 16}};
    QTest::newRow("wrap ends a split")
        << QStringList{"split 3", "wrap", ""} << QList<QPoint>{{0, 0}, {16, 0}, {0, 16}};
    QTest::newRow("open split until wrap")
        << QStringList{"split", "", "wrap", ""} << QList<QPoint>{{0, 0}, {16, 0}, {32, 0}, {0, 16}};
    QTest::newRow("gaps inside a split")
        << QStringList{"split 2, gapright 3", "gapleft 4"} << QList<QPoint>{{0, 0}, {17, 0}};
    QTest::newRow("gapleft of a cell")
        << QStringList{"", "gapleft 10"} << QList<QPoint>{{0, 0}, {26, 0}};
    QTest::newRow("span to the row end starts a new row")
        << QStringList{"span", ""} << QList<QPoint>{{0, 0}, {0, 16}};
    // Column 1 is only spanned: it takes no gap, so B sits one gap after C's column.
    QTest::newRow("a merely spanned column adds no gap")
        << QStringList{"span 2", "wrap", "w 30"} << QList<QPoint>{{0, 0}, {36, 0}, {0, 16}};
    QTest::newRow("spany cells are passed over")
        << QStringList{"spany 2", "", "wrap", "", "wrap"}
        << QList<QPoint>{{0, 8}, {16, 0}, {32, 0}, {16, 16}, {32, 16}};
}

void TestConstraintLayout::flow()
{
    QFETCH(QStringList, constraints);
    QFETCH(QList<QPoint>, positions);
    Window w(QStringLiteral("insets 0"));
    QList<Box*> boxes;
    for (const QString& c : constraints) {
        boxes << w.add({10, 10}, c);
    }
    w.arrange();
    QVERIFY(w.layout->constraintErrors().isEmpty());
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        QCOMPARE(boxes[i]->pos(), positions[i]);
    }
}

void TestConstraintLayout::separatorRowsOfTheVerticalClockLayout_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QRect>("caption");
    QTest::addColumn<QRect>("line");
    QTest::newRow("left to right")
        << Qt::LeftToRight << QRect(4, 4, 80, 20) << QRect(90, 13, 34, 2);
    QTest::newRow("right to left")
        << Qt::RightToLeft << QRect(44, 4, 80, 20) << QRect(4, 13, 34, 2);
}

// Two clocks as the main window stacks them: caption with separator line, time, offset, date.
void TestConstraintLayout::separatorRowsOfTheVerticalClockLayout()
{
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QRect, caption);
    QFETCH(QRect, line);
    Window w(QStringLiteral("insets 4"), {}, {}, direction);
    QList<Box*> captions, lines, times, offsets, dates;
    for (int clock = 0; clock < 2; ++clock) {
        captions << w.add({80, 20}, QStringLiteral("gapbottom 1, span, split 2, aligny center"));
        lines << w.add({10, 2}, QStringLiteral("gapleft rel, growx, wrap 2"));
        times << w.add({120, 30}, QStringLiteral("align center, wrap 2"));
        offsets << w.add({70, 16}, QStringLiteral("align center, wrap 2"));
        dates << w.add({90, 16}, QStringLiteral("align center, wrap 5"));
    }
    // Rows: 21 (caption + gap below) 2 30 2 16 2 16, then 5 before the next clock.
    QCOMPARE(w.layout->sizeHint(), QSize(4 + 120 + 4, 4 + 89 + 5 + 89 + 4));
    w.arrange();
    QCOMPARE(captions[0]->geometry(), caption);
    QCOMPARE(lines[0]->geometry(), line); // a related gap after the caption, to the row end
    QCOMPARE(times[0]->geometry(), QRect(4, 27, 120, 30));
    QCOMPARE(offsets[0]->geometry(), QRect(29, 59, 70, 16));
    QCOMPARE(dates[0]->geometry(), QRect(19, 77, 90, 16));
    QCOMPARE(captions[1]->geometry(), caption.translated(0, 94));
    QCOMPARE(lines[1]->geometry(), line.translated(0, 94));
    QCOMPARE(dates[1]->geometry(), QRect(19, 171, 90, 16));
}

void TestConstraintLayout::buttonColumnWithGaps_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<int>("wideX");
    QTest::addColumn<int>("narrowX");
    QTest::newRow("left to right") << Qt::LeftToRight << 1 << 11;
    QTest::newRow("right to left") << Qt::RightToLeft << 11 << 21; // gapright is trailing
}

void TestConstraintLayout::buttonColumnWithGaps()
{
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(int, wideX);
    QFETCH(int, narrowX);
    Window w(QStringLiteral("insets 1"), {}, {}, direction);
    const QStringList texts{
        "gaptop 40, gapright 10, alignx center, wrap", "gapright 10, alignx center, wrap",
        "gaptop 20, gapright 10, alignx center, wrap", "gapright 10, alignx center, wrap",
        "gaptop 20, gapright 10, alignx center, wrap", "gapright 10, alignx center, wrap"};
    QList<Box*> buttons;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        buttons << w.add(i == 1 ? QSize(90, 25) : QSize(110, 25), texts[i]);
    }
    QCOMPARE(w.layout->sizeHint(), QSize(1 + 110 + 10 + 1, 262));
    w.arrange();
    const int tops[] = {41, 72, 123, 154, 205, 236};
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        QCOMPARE(buttons[i]->geometry().top(), tops[i]);
        QCOMPARE(buttons[i]->geometry().left(), i == 1 ? narrowX : wideX);
    }
}

void TestConstraintLayout::settingsRowsWithSpans_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QString>("buttonConstraint");
    QTest::addColumn<QRect>("dateLabel");
    QTest::addColumn<QRect>("dateSample");
    QTest::addColumn<QRect>("buttons");
    const QRect ltrLabel(12, 12, 100, 16), ltrSample(143, 35, 150, 22);
    const QRect rtlLabel(212, 12, 100, 16), rtlSample(31, 35, 150, 22);
    const QRect right(112, 202, 200, 37), left(12, 202, 200, 37);
    QTest::newRow("ltr align right")
        << Qt::LeftToRight << "span 4, align right" << ltrLabel << ltrSample << right;
    QTest::newRow("ltr trailing") << Qt::LeftToRight << "span 4, align trailing" << ltrLabel
                                  << ltrSample << right;
    QTest::newRow("rtl align left")
        << Qt::RightToLeft << "span 4, align left" << rtlLabel << rtlSample << left;
    // Left and right are sides of the screen; leading follows the reading direction.
    QTest::newRow("rtl align right")
        << Qt::RightToLeft << "span 4, align right" << rtlLabel << rtlSample << right;
    QTest::newRow("rtl leading") << Qt::RightToLeft << "span 4, align leading" << rtlLabel
                                 << rtlSample << right;
}

// The settings dialog's grid: labels over two columns, pairs side by side, "wrap para" rows.
void TestConstraintLayout::settingsRowsWithSpans()
{
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QString, buttonConstraint);
    QFETCH(QRect, dateLabel);
    QFETCH(QRect, dateSample);
    QFETCH(QRect, buttons);
    Window w(QStringLiteral("insets 12"), {}, {}, direction);
    Box* label = w.add({100, 16}, QStringLiteral("span 2, wrap"));
    w.add({80, 25}, QStringLiteral("span 2"));
    Box* sample = w.add({150, 22}, QStringLiteral("span 2, wrap para"));
    Box* layoutPanel = w.add({125, 60}, QStringLiteral("span 2"));
    Box* flagsPanel = w.add({130, 60}, QStringLiteral("span 2, wrap para"));
    Box* sizeLabel = w.add({300, 16}, QStringLiteral("span 4, wrap"));
    Box* sizeBox = w.add({50, 25}, QStringLiteral("span 4, wrap para"));
    Box* buttonPanel = w.add({200, 37}, buttonConstraint);
    // The wide label needs more than both column pairs: only the last column widens.
    QCOMPARE(w.layout->sizeHint(), QSize(12 + 300 + 12, 251));
    w.arrange();
    QCOMPARE(label->geometry(), dateLabel);
    QCOMPARE(sample->geometry(), dateSample);
    // Both panels start where the sample field starts, at the leading side of the cell.
    QCOMPARE(flagsPanel->geometry().top(), 71);
    if (direction == Qt::LeftToRight) {
        QCOMPARE(flagsPanel->geometry().left(), dateSample.left());
    } else {
        QCOMPARE(flagsPanel->geometry().right(), dateSample.right());
    }
    QCOMPARE(layoutPanel->geometry().top(), 71);
    QCOMPARE(sizeLabel->geometry(), QRect(12, 143, 300, 16));
    QCOMPARE(sizeBox->geometry().top(), 165);
    QCOMPARE(buttonPanel->geometry(), buttons);
}

void TestConstraintLayout::aboutBoxImageSpansThreeRows()
{
    Window w;
    Box* image = w.add({60, 64}, QStringLiteral("spany 3"));
    Box* name = w.add({100, 16}, QStringLiteral("wrap"));
    Box* version = w.add({90, 16}, QStringLiteral("wrap"));
    Box* released = w.add({110, 16}, QStringLiteral("wrap"));
    Box* copyright = w.add({120, 16}, QStringLiteral("skip, wrap para"));
    Box* company = w.add({80, 16}, QStringLiteral("skip, wrap"));
    Box* close = w.add({90, 25}, QStringLiteral("span 2, align center, wrap"));
    QVERIFY(w.layout->constraintErrors().isEmpty());
    QCOMPARE(w.layout->sizeHint(), QSize(7 + 60 + 6 + 120 + 7, 159));
    w.arrange();
    QCOMPARE(image->geometry(), QRect(7, 7, 60, 64));
    QCOMPARE(name->geometry(), QRect(73, 7, 100, 16));
    QCOMPARE(version->geometry(), QRect(73, 29, 90, 16));
    // The image needs 4 pixels more than its three rows: the last of them takes them.
    QCOMPARE(released->geometry(), QRect(73, 53, 110, 16));
    QCOMPARE(copyright->geometry(), QRect(73, 77, 120, 16));
    QCOMPARE(company->geometry(), QRect(73, 105, 80, 16));
    QCOMPARE(close->geometry(), QRect(55, 127, 90, 25));
}

void TestConstraintLayout::cardsShareOneRow_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QString>("cardInsets");
    QTest::addColumn<QList<int>>("cardX");
    QTest::addColumn<int>("labelX");
    QTest::newRow("left to right")
        << Qt::LeftToRight << "insets 4 6 4 4" << QList<int>{4, 70, 156} << 6;
    QTest::newRow("right to left")
        << Qt::RightToLeft << "insets 4 4 4 6" << QList<int>{146, 60, 4} << 4;
}

// The horizontal clock layout: bordered cards added without constraints, in configured order.
void TestConstraintLayout::cardsShareOneRow()
{
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QString, cardInsets);
    QFETCH(QList<int>, cardX);
    QFETCH(int, labelX);
    Window w(QStringLiteral("insets 4"), {}, {}, direction);
    const QList<QSize> labels{{50, 20}, {70, 20}, {40, 30}};
    QList<QWidget*> cards;
    QList<Box*> cardLabels;
    for (const QSize& size : labels) {
        auto* card = new QWidget(&w.host);
        auto* inner = new ConstraintLayout(cardInsets, {}, {}, card);
        cardLabels << new Box(size, card);
        inner->addWidget(cardLabels.back(), QStringLiteral("align center, wrap 2"));
        w.layout->addWidget(card);
        cards << card;
    }
    w.host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.host));
    QCOMPARE(w.host.size(), QSize(4 + 60 + 6 + 80 + 6 + 50 + 4, 4 + 38 + 4));
    for (qsizetype i = 0; i < cards.size(); ++i) {
        QCOMPARE(cards[i]->x(), cardX[i]);
        QCOMPARE(cards[i]->width(), labels[i].width() + 10);
    }
    QCOMPARE(cards[0]->y(), 9); // centred in the row of the tallest card
    QCOMPARE(cards[2]->y(), 4);
    QCOMPARE(cardLabels[0]->pos(), QPoint(labelX, 4));
}

// The zone dialog: the list skips two empty cells, spans five rows and four columns; the
// button panel spans ten columns. Empty and merely spanned lines must not add gaps, and the
// panel stays at the top beside the taller list.
void TestConstraintLayout::zoneDialogSkipsEmptyColumns()
{
    Window w({}, {}, QStringLiteral("[][][][][][][][][][][grow 100]"));
    Box* list =
        w.add({200, 300}, QStringLiteral("spany 5, growy, spanx 4, wmin 240, hmin 400, skip 2"));
    Box* panel = w.add({122, 262}, QStringLiteral("span 10, wrap para"));
    QVERIFY(w.layout->constraintErrors().isEmpty());
    QCOMPARE(w.layout->sizeHint(), QSize(7 + 240 + 6 + 122 + 7, 7 + 400 + 7));
    w.arrange();
    QCOMPARE(list->geometry(), QRect(7, 7, 240, 400));
    QCOMPARE(panel->geometry(), QRect(253, 7, 122, 262));
    w.arrange({500, 510}); // row 10 holds nothing, so nothing moves
    QCOMPARE(list->geometry(), QRect(7, 7, 240, 400));
    QCOMPARE(panel->geometry(), QRect(253, 7, 122, 262));
}

void TestConstraintLayout::rowGrowWeights_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QList<int>>("heights");
    QTest::newRow("middle row") << "[][grow 100][]" << QList<int>{10, 110, 10};
    QTest::newRow("weights share") << "[grow 25][grow 75][]" << QList<int>{35, 85, 10};
    QTest::newRow("last bracket repeats") << "[][grow]" << QList<int>{10, 60, 60};
    QTest::newRow("no weight") << "" << QList<int>{10, 10, 10};
}

void TestConstraintLayout::rowGrowWeights()
{
    QFETCH(QString, rows);
    QFETCH(QList<int>, heights);
    Window w(QStringLiteral("insets 0"), {}, rows);
    QList<Box*> boxes;
    for (int i = 0; i < 3; ++i) {
        boxes << w.add({50, 10}, QStringLiteral("growy, wrap"));
    }
    QCOMPARE(w.layout->sizeHint(), QSize(50, 42));
    w.arrange({50, 142});
    int top = 0;
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(boxes[i]->geometry(), QRect(0, top, 50, heights[i]));
        top += heights[i] + 6;
    }
}

void TestConstraintLayout::columnConstraints_data()
{
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QRect>("firstRect");
    QTest::addColumn<QRect>("secondRect");
    QTest::newRow("fixed width") << "[100!][]"
                                 << "" << QRect(0, 0, 50, 10) << QRect(106, 0, 50, 10);
    QTest::newRow("grow without growx") << "[][grow]"
                                        << "" << QRect(0, 0, 50, 10) << QRect(56, 0, 50, 10);
    QTest::newRow("grow with growx") << "[][grow]"
                                     << "growx" << QRect(0, 0, 50, 10) << QRect(56, 0, 244, 10);
    QTest::newRow("fill column") << "[][grow, fill]"
                                 << "" << QRect(0, 0, 50, 10) << QRect(56, 0, 244, 10);
    QTest::newRow("gap between") << "[]20[]"
                                 << "" << QRect(0, 0, 50, 10) << QRect(70, 0, 50, 10);
    QTest::newRow("after a grown column") << "[grow][]"
                                          << "" << QRect(0, 0, 50, 10) << QRect(250, 0, 50, 10);
}

void TestConstraintLayout::columnConstraints()
{
    QFETCH(QString, columns);
    QFETCH(QString, second);
    QFETCH(QRect, firstRect);
    QFETCH(QRect, secondRect);
    Window w(QStringLiteral("insets 0"), columns);
    Box* a = w.add({50, 10}, {});
    Box* b = w.add({50, 10}, second);
    w.arrange({300, 10});
    QCOMPARE(a->geometry(), firstRect);
    QCOMPARE(b->geometry(), secondRect);
}

void TestConstraintLayout::shrinksTowardMinimumSizes()
{
    Window w(QStringLiteral("insets 0"));
    Box* a = w.add({100, 10}, {}, {50, 10});
    Box* b = w.add({100, 10}, {}, {80, 10});
    QCOMPARE(w.layout->minimumSize(), QSize(50 + 6 + 80, 10));
    // 50 pixels short: taken in proportion to the room above each minimum (50 and 20).
    w.arrange({156, 10});
    QCOMPARE(a->geometry(), QRect(0, 0, 65, 10));
    QCOMPARE(b->geometry(), QRect(71, 0, 85, 10));
    w.arrange({100, 10}); // below the minimum: nothing gets smaller than its minimum
    QCOMPARE(a->width(), 50);
    QCOMPARE(b->geometry(), QRect(56, 0, 80, 10));
}

void TestConstraintLayout::hiddenAndRemovedWidgetsTakeNoSpace()
{
    Window w(QStringLiteral("insets 0"));
    Box* first = w.add({50, 10}, QStringLiteral("wrap"));
    Box* hidden = w.add({70, 20}, QStringLiteral("wrap"));
    Box* last = w.add({50, 10}, QStringLiteral("split 2"));
    Box* partner = w.add({30, 10}, QStringLiteral("wrap"));
    w.arrange();
    QCOMPARE(last->geometry(), QRect(0, 42, 50, 10));
    hidden->hide();
    w.layout->invalidate();
    QCOMPARE(w.layout->sizeHint(), QSize(86, 26));
    w.arrange();
    QCOMPARE(last->geometry(), QRect(0, 16, 50, 10));
    QCOMPARE(partner->geometry(), QRect(56, 16, 30, 10));

    delete hidden; // the layout forgets a deleted widget
    QCOMPARE(w.layout->count(), 3);
    partner->hide(); // a hidden member of a split leaves the cell to the others
    w.layout->invalidate();
    QCOMPARE(w.layout->sizeHint(), QSize(50, 26));
    delete first;
    w.arrange();
    QCOMPARE(last->geometry(), QRect(0, 0, 50, 10));
}

QTEST_MAIN(TestConstraintLayout)
#include "tst_constraintlayout.moc"
