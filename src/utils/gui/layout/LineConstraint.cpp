#include "utils/gui/layout/LineConstraint.h"

#include "utils/gui/layout/CellConstraint.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace utils {

namespace {

QString quoted(const QString& s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString readBracket(LineConstraint& line, const QString& body)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString& part : body.split(QLatin1Char(','))) {
        const QStringList tokens = part.split(blanks, Qt::SkipEmptyParts);
        if (tokens.isEmpty()) {
            continue;
        }
        const QString key = tokens.first().toLower();
        if (key == "grow" && tokens.size() <= 2) {
            int weight = CellConstraint::DefaultGrowWeight;
            if (tokens.size() == 2) {
                bool ok = false;
                weight = tokens[1].toInt(&ok, 10);
                if (!ok || weight < 0) {
                    return QStringLiteral("bad grow weight ") + quoted(tokens[1]);
                }
            }
            line.grow = std::min(weight, int(CellConstraint::Rest));
        } else if (key == "fill" && tokens.size() == 1) {
            line.fill = true;
        } else if (tokens.size() == 1 &&
                   (key.front().isDigit() || key.front() == QLatin1Char(':'))) {
            if (!CellConstraint::parseBoundSize(key, &line.minSize, &line.prefSize,
                                                &line.maxSize)) {
                return QStringLiteral("bad size ") + quoted(key);
            }
        } else {
            return QStringLiteral("unknown keyword ") + quoted(part.trimmed());
        }
    }
    return {};
}

} // namespace

QList<LineConstraint> LineConstraint::parseList(const QString& text, QString* error)
{
    QList<LineConstraint> lines;
    QString problem;
    std::optional<int> pendingGap;
    qsizetype pos = 0;
    while (problem.isEmpty()) {
        const qsizetype open = text.indexOf(QLatin1Char('['), pos);
        const QString between = text.mid(pos, open < 0 ? -1 : open - pos).trimmed();
        if (!between.isEmpty()) {
            if (open < 0 || lines.isEmpty()) {
                problem = QStringLiteral("gaps are allowed only between brackets, not ") +
                          quoted(between);
                break;
            }
            pendingGap = CellConstraint::parseGap(between);
            if (!pendingGap) {
                problem = QStringLiteral("bad gap ") + quoted(between);
                break;
            }
        }
        if (open < 0) {
            break;
        }
        const qsizetype close = text.indexOf(QLatin1Char(']'), open + 1);
        const qsizetype nested = text.indexOf(QLatin1Char('['), open + 1);
        if (close < 0 || (nested >= 0 && nested < close)) {
            problem = QStringLiteral("unbalanced bracket");
            break;
        }
        LineConstraint line;
        line.gapBefore = pendingGap;
        pendingGap.reset();
        problem = readBracket(line, text.mid(open + 1, close - open - 1));
        lines << line;
        pos = close + 1;
    }
    if (error) {
        *error = problem.isEmpty() ? QString() : problem + QStringLiteral(" in ") + quoted(text);
    }
    return lines;
}

} // namespace utils
