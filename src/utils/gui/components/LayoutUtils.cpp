#include "utils/gui/components/LayoutUtils.h"

#include "utils/gui/handlers/Logger.h"
#include "utils/gui/layout/ConstraintLayout.h"

#include <QApplication>
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
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWidget>
#include <QtGlobal>

#include <algorithm>

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

const QScreen* screenOf(const QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::screenAt(window->pos())) {
        return screen;
    }
    return window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
}

// Title bar and borders, where the window has them and they are known.
QMargins frameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

// Asks for all of its content, where QScrollArea stops at 36 x 24 lines of text: the
// window decides how much of it is shown.
class ContentScrollArea : public QScrollArea
{
public:
    ContentScrollArea()
    {
        // QScrollArea follows the focus only as it moves within; Tab from the buttons
        // into the content comes from outside.
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now != nullptr && widget()->isAncestorOf(now)) {
                ensureWidgetVisible(now);
            }
        });
    }
    QSize sizeHint() const override { return widget()->sizeHint(); }
};

class ScreenFitter : public QObject
{
public:
    explicit ScreenFitter(QWidget* window) : QObject(window), window_(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_) {
            if (event->type() == QEvent::Show) {
                fit();
            } else if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
                       window_->isVisible() && frameMargins(window_) != margins_) {
                // A window manager frames the window only once it is on the screen.
                fit();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void fit()
    {
        if (!wanted_.isValid()) {
            wanted_ = window_->size();
            minimum_ = window_->minimumSize();
            fixed_ = minimum_ == window_->maximumSize();
        }
        margins_ = frameMargins(window_);
        const QSize onScreen = LayoutUtils::roomOnScreen(window_);
        const QSize room = onScreen.isValid() ? onScreen : wanted_;
        QSize size = wanted_.boundedTo(room);
        // Cut in height, a scrolling content shows its scroll bar beside it, not over it.
        const auto* area = window_->findChild<QScrollArea*>(QString(), Qt::FindDirectChildrenOnly);
        if (area != nullptr && size.height() < wanted_.height()) {
            size.setWidth(std::min(
                room.width(), wanted_.width() + area->verticalScrollBar()->sizeHint().width()));
        }
        if (fixed_) {
            window_->setFixedSize(size);
        } else {
            window_->setMinimumSize(minimum_.boundedTo(size));
        }
        LayoutUtils::fitOnScreen(window_, size);
    }

    QWidget* window_;
    QSize wanted_;
    QSize minimum_;
    bool fixed_ = false;
    QMargins margins_;
};

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

QSize LayoutUtils::roomOnScreen(const QWidget* window)
{
    const QScreen* screen = screenOf(window);
    return screen != nullptr ? screen->availableGeometry().size().shrunkBy(frameMargins(window))
                             : QSize();
}

bool LayoutUtils::fitOnScreen(QWidget* window, const QSize& wanted)
{
    const QScreen* screen = screenOf(window);
    if (screen == nullptr) {
        window->resize(wanted);
        return true;
    }
    const QMargins margins = frameMargins(window);
    const QRect available = screen->availableGeometry();
    const QSize size = wanted.boundedTo(roomOnScreen(window));
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

void LayoutUtils::keepOnScreen(QWidget* window)
{
    new ScreenFitter(window);
}

void LayoutUtils::setScrollingContent(QWidget* window, QWidget* content, QWidget* buttons)
{
    auto* area = new ContentScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    // Tab goes from the last control of the content to the buttons, not to the area.
    area->setFocusPolicy(Qt::NoFocus);
    area->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    // Never squeezed below what it asks for: the area scrolls instead.
    content->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    area->setWidget(content);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(area);
    layout->addWidget(buttons);
}

void LayoutUtils::setColors(QWidget* widget, const QColor& text, const QColor& background,
                            ColorRoles roles, bool fill)
{
    const bool all = roles == ColorRoles::All;
    QPalette palette = widget->palette();
    if (text.isValid()) {
        palette.setColor(QPalette::WindowText, text);
        if (all) {
            palette.setColor(QPalette::Text, text);
            palette.setColor(QPalette::ButtonText, text);
        }
    }
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        if (all) {
            palette.setColor(QPalette::Base, background);
            palette.setColor(QPalette::Button, background);
        }
    }
    widget->setPalette(palette);
    if (fill && background.isValid()) {
        widget->setAutoFillBackground(true);
    }
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
