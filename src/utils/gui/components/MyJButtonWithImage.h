#pragma once

#include "utils/gui/components/ActionListener.h"

#include <QPushButton>
#include <QSize>
#include <QString>
#include <QStringList>

namespace utils {

// A push button with a text and a packed image ("images/16/dialog-apply.png"), the text
// also as its tool tip, a fixed preferred size and an action command for its listener.
// Return and Enter press it while it has the focus, as Space does; it never becomes a
// dialog's default button, so those keys keep their meaning in the dialog's other fields.
class MyJButtonWithImage : public QPushButton
{
    Q_OBJECT

public:
    static constexpr QSize DEFAULT_SIZE{110, 25};

    // Wide enough for a text of that width beside its image: the text and 55 pixels,
    // never narrower than atLeast.
    static int widthFor(int textWidth, int atLeast);
    // The same for the widest of the texts, measured in a plain push button's font, so
    // a row of buttons can share one width.
    static int widthFor(const QStringList& texts, int atLeast);

    MyJButtonWithImage(const QString& text, ActionListener listener, const QString& imagePath);
    MyJButtonWithImage(const QString& text, ActionListener listener, const QString& imagePath,
                       QSize preferredSize);
    MyJButtonWithImage(const QString& text, ActionListener listener, const QString& imagePath,
                       QSize preferredSize, bool enabled);
    MyJButtonWithImage(const QString& text, ActionListener listener, const QString& imagePath,
                       QSize preferredSize, bool enabled, const QString& actionCommand);
    MyJButtonWithImage(const QString& text, ActionListener listener, const QString& imagePath,
                       bool enabled);
    MyJButtonWithImage(const QString& text, ActionListener listener, const QString& imagePath,
                       bool enabled, const QString& actionCommand);
    // A bare string where the enabled flag belongs would otherwise turn into "true".
    MyJButtonWithImage(const QString&, ActionListener, const QString&, const char*) = delete;
    MyJButtonWithImage(const QString&, ActionListener, const QString&, QSize, const char*) = delete;

    // The command handed to the listener on a click; without one set, the button's
    // displayed text.
    QString actionCommand() const;
    void setActionCommand(const QString& command) { actionCommand_ = command; }

    void setPreferredSize(QSize size);
    QSize preferredSize() const { return preferredSize_; }
    QSize sizeHint() const override { return preferredSize_; }
    QSize minimumSizeHint() const override { return preferredSize_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void notifyListener();

    ActionListener listener_;
    QString actionCommand_;
    QSize preferredSize_;
};

} // namespace utils
