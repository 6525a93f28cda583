#include "utils/gui/components/LeftToRightTextDelegate.h"

namespace utils {

QString LeftToRightTextDelegate::displayText(const QVariant& value, const QLocale& locale) const
{
    // A left-to-right mark first makes the leading bracket part of the left-to-right run.
    return QChar(0x200E) + QStyledItemDelegate::displayText(value, locale);
}

} // namespace utils
