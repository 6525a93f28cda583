#pragma once

#include <QStyledItemDelegate>

namespace utils {

// Shows each row as one left-to-right text, also in a right-to-left list, so that a row
// such as "(UTC+05:30) Asia/Kolkata" keeps its order; the row's text itself is unchanged.
class LeftToRightTextDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override;
};

} // namespace utils
