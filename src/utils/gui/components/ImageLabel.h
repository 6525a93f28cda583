#pragma once

#include <QIcon>
#include <QLabel>

namespace utils {

// A label that shows a small image on its leading side, before the text (after it in
// a right-to-left window), as QLabel shows either a picture or a text but not both.
class ImageLabel : public QLabel
{
    Q_OBJECT

public:
    static constexpr int ICON_GAP = 4;

    explicit ImageLabel(const QString& text, QWidget* parent = nullptr);

    void setIcon(const QIcon& icon, int size = 16);
    QIcon icon() const { return icon_; }
    bool hasIcon() const { return !icon_.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateMargins();

    QIcon icon_;
    int iconSize_ = 16;
};

} // namespace utils
