#include "vantor/screens/ScreenKeeper.h"

#include "utils/gui/handlers/Logger.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <limits>

namespace vantor {

namespace {

// How far the rectangles lie apart: 0 when they touch or overlap.
qint64 distance(const QRect& a, const QRect& b)
{
    const qint64 dx = std::max({0, b.left() - a.right(), a.left() - b.right()});
    const qint64 dy = std::max({0, b.top() - a.bottom(), a.top() - b.bottom()});
    return dx * dx + dy * dy;
}

qint64 overlap(const QRect& a, const QRect& b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

} // namespace

ScreenKeeper::ScreenKeeper(QWidget* window, std::function<void()> refit,
                           std::function<void()> storePosition)
    : QObject(window), window_(window), refit_(std::move(refit)),
      storePosition_(std::move(storePosition))
{
    for (QScreen* screen : QGuiApplication::screens()) {
        watch(screen);
    }
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watch(screen);
        changed();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &ScreenKeeper::changed);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &ScreenKeeper::changed);
}

void ScreenKeeper::watch(QScreen* screen)
{
    connect(screen, &QScreen::geometryChanged, this, &ScreenKeeper::changed);
    connect(screen, &QScreen::availableGeometryChanged, this, &ScreenKeeper::changed);
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, &ScreenKeeper::changed);
}

void ScreenKeeper::changed()
{
    if (!pending_) {
        pending_ = true;
        QMetaObject::invokeMethod(this, &ScreenKeeper::keep, Qt::QueuedConnection);
    }
}

void ScreenKeeper::keep()
{
    pending_ = false;
    const QPoint before = window_->pos();
    const QRect frame = window_->frameGeometry();
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool onAScreen = std::any_of(screens.begin(), screens.end(), [&](QScreen* screen) {
        return screen->geometry().intersects(frame);
    });
    if (!onAScreen) {
        if (QScreen* nearest = nearestScreen(frame)) {
            // Into the nearest screen's corner that lies closest; refit() keeps it whole.
            const QRect room = nearest->availableGeometry();
            window_->move(std::clamp(frame.x(), room.left(), room.right()),
                          std::clamp(frame.y(), room.top(), room.bottom()));
            utils::Logger::log(QStringLiteral("The window was on no screen; it moves onto %1.")
                                   .arg(nearest->name()));
        }
    }
    refit_();
    if (window_->pos() != before) {
        storePosition_();
    }
}

QScreen* ScreenKeeper::nearestScreen(const QRect& rect)
{
    QScreen* best = nullptr;
    qint64 bestOverlap = -1;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const qint64 o = overlap(rect, area);
        const qint64 d = distance(rect, area);
        if (o > bestOverlap || (o == bestOverlap && d < bestDistance)) {
            best = screen;
            bestOverlap = o;
            bestDistance = d;
        }
    }
    return best;
}

} // namespace vantor
