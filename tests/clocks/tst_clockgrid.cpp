#include "vantor/clocks/ClockGrid.h"

#include <QtTest>

using vantor::ClockGrid;

// The rule that picks how many lines the clocks take, at the edges of the room.
class TestClockGrid : public QObject
{
    Q_OBJECT

    // Clocks of 100 x 50 pixels each, in lines as the grid fills them.
    static QSize uniform(int count, ClockGrid::Flow flow, int lines, QList<int>* asked)
    {
        asked->append(lines);
        const int along = (count + lines - 1) / lines;
        const int used = (count + along - 1) / along;
        return flow == ClockGrid::Flow::Rows ? QSize(along * 100, used * 50)
                                             : QSize(used * 100, along * 50);
    }

private Q_SLOTS:
    void fewestLinesAtTheEdges()
    {
        using Flow = ClockGrid::Flow;
        QList<int> asked;
        const auto lines = [&](int count, Flow flow, QSize room) {
            asked.clear();
            return ClockGrid::fewestLines(count, flow, room,
                                          [&](int n) { return uniform(count, flow, n, &asked); });
        };
        // Exactly the room: one line, as without the rule.
        QCOMPARE(lines(12, Flow::Rows, {1200, 50}), 1);
        // A pixel less: 6 a row in 2 rows.
        QCOMPARE(lines(12, Flow::Rows, {1199, 100}), 2);
        // 12 stacked clocks in columns of 4, then of 2: 5 columns would hold 3 each,
        // which is 4 columns again, so 5 is never measured.
        QCOMPARE(lines(12, Flow::Columns, {300, 200}), 3);
        QCOMPARE(lines(12, Flow::Columns, {600, 100}), 6);
        QCOMPARE(asked, (QList<int>{1, 2, 3, 4, 6}));
        // Too tall for the rows that make them narrow enough: no count, and the search
        // stops at the first that is too tall.
        QCOMPARE(lines(12, Flow::Rows, {400, 149}), std::nullopt);
        QCOMPARE(asked, (QList<int>{1, 2, 3}));
        // One clock larger than the room.
        QCOMPARE(lines(1, Flow::Columns, {99, 1000}), std::nullopt);
    }

    void largestFittingSize()
    {
        const auto upTo = [](int limit) {
            return [limit](int size) {
                return size <= limit;
            };
        };
        QCOMPARE(ClockGrid::largestFitting(10, 71, upTo(17)), 17);
        QCOMPARE(ClockGrid::largestFitting(10, 71, upTo(71)), 71);
        QCOMPARE(ClockGrid::largestFitting(10, 71, upTo(10)), 10);
        QCOMPARE(ClockGrid::largestFitting(10, 71, upTo(9)), std::nullopt);
        QCOMPARE(ClockGrid::largestFitting(10, 9, upTo(99)), std::nullopt);
    }
};

QTEST_APPLESS_MAIN(TestClockGrid)

#include "tst_clockgrid.moc"
