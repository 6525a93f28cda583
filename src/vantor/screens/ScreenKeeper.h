#pragma once

#include <QObject>

#include <functional>

class QRect;
class QScreen;
class QWidget;

namespace vantor {

// Keeps a window on the screens as they come, go and change. When the window lies on no
// screen any more (its monitor was unplugged, the screens were rearranged), it moves
// onto the nearest one; then, and after a change of any screen's size or scale, refit()
// sizes it to its screen again, and a position that changed is stored. It waits for the
// screens' signals alone: no timer runs while nothing changes.
class ScreenKeeper : public QObject
{
    Q_OBJECT

public:
    ScreenKeeper(QWidget* window, std::function<void()> refit, std::function<void()> storePosition);

    // The screen whose available area lies nearest to the rectangle (one it overlaps
    // before all); null when there is none.
    static QScreen* nearestScreen(const QRect& rect);

private:
    void watch(QScreen* screen);
    // Several signals come for one change: they are answered once, after the last.
    void changed();
    void keep();

    QWidget* window_;
    std::function<void()> refit_;
    std::function<void()> storePosition_;
    bool pending_ = false;
};

} // namespace vantor
