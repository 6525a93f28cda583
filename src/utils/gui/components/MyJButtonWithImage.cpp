#include "utils/gui/components/MyJButtonWithImage.h"

#include "utils/gui/handlers/FontUtils.h"

#include "utils/gui/components/LayoutUtils.h"

#include <QKeyEvent>

#include <algorithm>

namespace utils {

namespace {

// Button texts come from the language tables and are shown as they are: a "&" in them
// is a character, not a keyboard mnemonic marker.
QString literalText(const QString& text)
{
    QString escaped = text;
    return escaped.replace(u'&', QLatin1String("&&"));
}

// The displayed text of a button label: "&&" is one "&", a single "&" marks a mnemonic.
QString displayedText(const QString& label)
{
    QString shown;
    shown.reserve(label.size());
    for (qsizetype i = 0; i < label.size(); ++i) {
        if (label[i] == u'&') {
            if (i + 1 < label.size() && label[i + 1] == u'&') {
                shown += u'&';
                ++i;
            }
            continue;
        }
        shown += label[i];
    }
    return shown;
}

} // namespace

MyJButtonWithImage::MyJButtonWithImage(const QString& text, ActionListener listener,
                                       const QString& imagePath)
    : MyJButtonWithImage(text, std::move(listener), imagePath, DEFAULT_SIZE, true, QString())
{}

MyJButtonWithImage::MyJButtonWithImage(const QString& text, ActionListener listener,
                                       const QString& imagePath, QSize preferredSize)
    : MyJButtonWithImage(text, std::move(listener), imagePath, preferredSize, true, QString())
{}

MyJButtonWithImage::MyJButtonWithImage(const QString& text, ActionListener listener,
                                       const QString& imagePath, QSize preferredSize, bool enabled)
    : MyJButtonWithImage(text, std::move(listener), imagePath, preferredSize, enabled, QString())
{}

MyJButtonWithImage::MyJButtonWithImage(const QString& text, ActionListener listener,
                                       const QString& imagePath, bool enabled)
    : MyJButtonWithImage(text, std::move(listener), imagePath, DEFAULT_SIZE, enabled, QString())
{}

MyJButtonWithImage::MyJButtonWithImage(const QString& text, ActionListener listener,
                                       const QString& imagePath, bool enabled,
                                       const QString& actionCommand)
    : MyJButtonWithImage(text, std::move(listener), imagePath, DEFAULT_SIZE, enabled, actionCommand)
{}

MyJButtonWithImage::MyJButtonWithImage(const QString& text, ActionListener listener,
                                       const QString& imagePath, QSize preferredSize, bool enabled,
                                       const QString& actionCommand)
    : QPushButton(literalText(text)), listener_(std::move(listener)), actionCommand_(actionCommand),
      preferredSize_(preferredSize)
{
    if (!imagePath.isEmpty()) {
        setIcon(LayoutUtils::loadIcon(imagePath));
    }
    setToolTip(text);
    setEnabled(enabled);
    // A default button would take Return from a list or a drop-down that has the focus.
    setAutoDefault(false);
    connect(this, &QAbstractButton::clicked, this, &MyJButtonWithImage::notifyListener);
}

int MyJButtonWithImage::widthFor(int textWidth, int atLeast)
{
    constexpr int imageRoom = 55;
    return std::max(textWidth + imageRoom, atLeast);
}

int MyJButtonWithImage::widthFor(const QStringList& texts, int atLeast)
{
    const QPushButton probe;
    int widest = 0;
    for (const QString& text : texts) {
        widest = std::max(widest, FontUtils::getStringWidth(text, &probe));
    }
    return widthFor(widest, atLeast);
}

QString MyJButtonWithImage::actionCommand() const
{
    return actionCommand_.isNull() ? displayedText(text()) : actionCommand_;
}

void MyJButtonWithImage::setPreferredSize(QSize size)
{
    preferredSize_ = size;
    updateGeometry();
}

void MyJButtonWithImage::keyPressEvent(QKeyEvent* event)
{
    // A push button that is not a default button lets Return pass to its dialog, which
    // has no default button to press.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void MyJButtonWithImage::notifyListener()
{
    if (!listener_) {
        return;
    }
    // The listener may close and delete the window that owns this button.
    const ActionListener listener = listener_;
    listener(actionCommand());
}

} // namespace utils
