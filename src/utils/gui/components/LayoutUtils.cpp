#include "utils/gui/components/LayoutUtils.h"

#include "utils/gui/handlers/Logger.h"
#include "utils/gui/layout/ConstraintLayout.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QtGlobal>

namespace utils {

namespace {

QFrame* newLine()
{
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QLabel* newCaption(const QString& caption)
{
    auto* label = new QLabel(caption);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, LayoutUtils::LABEL_COLOR);
    label->setPalette(palette);
    return label;
}

ConstraintLayout* constraintLayoutOf(QWidget* panel)
{
    auto* layout = panel ? qobject_cast<ConstraintLayout*>(panel->layout()) : nullptr;
    if (!layout) {
        qWarning("LayoutUtils::addSeparator: the panel has no ConstraintLayout");
    }
    return layout;
}

// The caption and the line share one cell across the whole row, 1 pixel above the next
// row's gap; the line starts a related gap after the caption and takes what is left.
QFrame* addCaptionAndLine(ConstraintLayout* layout, QWidget* caption, const char* lineConstraint)
{
    layout->addWidget(caption, QStringLiteral("gapbottom 1, span, split 2, aligny center"));
    QFrame* line = newLine();
    layout->addWidget(line, QString::fromLatin1(lineConstraint));
    return line;
}

} // namespace

QFrame* LayoutUtils::addSeparator(QWidget* panel, QWidget* component)
{
    ConstraintLayout* layout = constraintLayoutOf(panel);
    if (!layout || !component) {
        return nullptr;
    }
    return addCaptionAndLine(layout, component, "gapleft rel, growx, wrap 2");
}

QFrame* LayoutUtils::addSeparator(QWidget* panel, const QString& caption)
{
    ConstraintLayout* layout = constraintLayoutOf(panel);
    if (!layout) {
        return nullptr;
    }
    return addCaptionAndLine(layout, newCaption(caption), "gapleft rel, growx");
}

QFrame* LayoutUtils::addSeparator(QWidget* panel, const QString& caption, const QFont& font)
{
    ConstraintLayout* layout = constraintLayoutOf(panel);
    if (!layout) {
        return nullptr;
    }
    QLabel* label = newCaption(caption);
    label->setFont(font);
    return addCaptionAndLine(layout, label, "gapleft rel, growx");
}

QString LayoutUtils::resourcePath(const QString& path)
{
    if (path.startsWith(QLatin1String(":/"))) {
        return path;
    }
    QStringView relative(path);
    while (relative.startsWith(u'/')) {
        relative = relative.mid(1);
    }
    return RESOURCE_ROOT + relative.toString();
}

QIcon LayoutUtils::loadIcon(const QString& path)
{
    const QString resource = resourcePath(path);
    QIcon icon;
    const QImage image = readImage(resource);
    if (image.isNull()) {
        Logger::log(QStringLiteral("Error: No packed image ") + path);
        return icon;
    }
    icon.addPixmap(QPixmap::fromImage(image));
    // As QIcon(fileName) does: the double-size image too, on a high-density screen.
    const QString doubleSize = QString(resource).insert(resource.lastIndexOf(u'.'), u"@2x");
    if (qGuiApp->devicePixelRatio() > 1 && QFile::exists(doubleSize)) {
        QImage sharp = readImage(doubleSize);
        sharp.setDevicePixelRatio(2);
        icon.addPixmap(QPixmap::fromImage(sharp));
    }
    return icon;
}

QImage LayoutUtils::readImage(const QString& fileName)
{
    // Told the format and not to guess, the reader uses the decoder for it alone. Left to
    // guess, it first loads every image plugin there is (GIF, ICO, JPEG...) to ask each
    // whether it can read the file, which costs more at start-up than all our images.
    QImageReader reader(fileName, QFileInfo(fileName).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

bool LayoutUtils::isRightToLeft(const QLocale& locale)
{
    // QLocale maps the legacy code "iw" to Hebrew, so both spellings arrive here alike.
    // Qt itself would also call Pashto, Sindhi, Yiddish and others right-to-left, which
    // the program's windows and tables do not follow.
    switch (locale.language()) {
    case QLocale::Arabic:
    case QLocale::Persian:
    case QLocale::Hebrew:
    case QLocale::Urdu:
        return true;
    default:
        return false;
    }
}

Qt::LayoutDirection LayoutUtils::layoutDirection(const QLocale& locale)
{
    return isRightToLeft(locale) ? Qt::RightToLeft : Qt::LeftToRight;
}

Qt::Alignment LayoutUtils::textAlignment(const QLocale& locale)
{
    return Qt::AlignAbsolute | (isRightToLeft(locale) ? Qt::AlignRight : Qt::AlignLeft);
}

} // namespace utils

namespace utils {

bool LayoutUtils::fitOnScreen(QWidget* window, const QSize& wanted)
{
    const QScreen* screen = QGuiApplication::screenAt(window->pos());
    if (screen == nullptr) {
        screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        window->resize(wanted);
        return true;
    }
    // Title bar and borders, where the window has them and they are known.
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                           frame.right() - inner.right(), frame.bottom() - inner.bottom());
    const QRect available = screen->availableGeometry();
    const QSize size = wanted.boundedTo(available.size().shrunkBy(margins));
    const QSize outer = size.grownBy(margins);
    const QPoint topLeft(
        std::clamp(window->x(), available.left(), available.right() + 1 - outer.width()),
        std::clamp(window->y(), available.top(), available.bottom() + 1 - outer.height()));
    window->resize(size);
    if (topLeft != window->pos()) {
        window->move(topLeft);
    }
    return size == wanted;
}

void LayoutUtils::keepColorsWhenDisabled(QWidget* widget)
{
    QPalette palette = widget->palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const auto colorRole = static_cast<QPalette::ColorRole>(role);
        palette.setColor(QPalette::Disabled, colorRole, palette.color(QPalette::Active, colorRole));
    }
    widget->setPalette(palette);
}

} // namespace utils
