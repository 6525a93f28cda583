#pragma once

#include <QLabel>
#include <QTimer>

namespace vantor {

// The small sign over the window's top corner that says how far ahead or back the clocks
// look; a click on it shows now again. It takes its own clicks, so they neither drag
// the window nor open its menu.
class ShiftBadge : public QLabel
{
    Q_OBJECT

public:
    explicit ShiftBadge(QWidget* window);

    static constexpr int NOTE_MS = 4000;

    // Shows the text, or hides the badge for an empty one.
    void showShift(const QString& text, const QString& hint);
    // Shows a note in place of the shift for a few seconds, then the shift again.
    void showNote(const QString& text);

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setShown(const QString& text, const QString& hint);

    QString shift_;
    QString hint_;
    QTimer noteTimer_{this};
};

} // namespace vantor
