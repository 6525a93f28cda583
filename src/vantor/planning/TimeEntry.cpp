#include "vantor/planning/TimeEntry.h"

#include "utils/handlers/LanguageTable.h"
#include "vantor/objects/TimeZoneObject.h"
#include "vantor/planning/TypedTime.h"
#include "vantor/time/ShownMoment.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolTip>

namespace vantor {

TimeEntry::TimeEntry(QWidget* window, const utils::LanguageTable& labels, const Clocks& clocks,
                     ShownMoment& moment)
    : QObject(window), window_(window), labels_(labels), clocks_(clocks), moment_(moment)
{}

TimeEntry::~TimeEntry() = default;

void TimeEntry::attach()
{
    close();
    for (const auto& clock : clocks_) {
        QLabel* time = clock->getTimeLbl();
        time->installEventFilter(this);
        if (QWidget* panel = time->parentWidget(); panel != nullptr) {
            panel->installEventFilter(this);
        }
    }
}

const TimeZoneObject* TimeEntry::clockOf(const QObject* object) const
{
    for (const auto& clock : clocks_) {
        const QLabel* time = clock->getTimeLbl();
        if (object == time || object == time->parentWidget()) {
            return clock.get();
        }
    }
    return nullptr;
}

bool TimeEntry::eventFilter(QObject* watched, QEvent* event)
{
    if (field_ != nullptr && watched == field_) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                commit();
                return true;
            }
            if (key->key() == Qt::Key_Escape) {
                close();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Closed once the focus has gone, not while it is moving.
            QMetaObject::invokeMethod(this, &TimeEntry::close, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }
    const bool opens = (event->type() == QEvent::MouseButtonDblClick &&
                        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) ||
                       (event->type() == QEvent::KeyPress &&
                        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier &&
                        (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                         static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter ||
                         static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2));
    if (opens) {
        if (const TimeZoneObject* clock = clockOf(watched)) {
            open(*clock);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TimeEntry::open(const TimeZoneObject& clock)
{
    close();
    QLabel* time = clock.getTimeLbl();
    clock_ = &clock;
    field_ = new QLineEdit(time->text(), time->parentWidget());
    field_->setObjectName(QStringLiteral("timeEntry"));
    field_->setFont(time->font());
    field_->setAlignment(Qt::AlignCenter);
    field_->setGeometry(time->geometry());
    field_->setAccessibleName(clock.caption());
    field_->installEventFilter(this);
    connect(field_, &QLineEdit::textEdited, this, &TimeEntry::check);
    field_->selectAll();
    field_->show();
    field_->setFocus(Qt::OtherFocusReason);
}

void TimeEntry::check()
{
    const bool valid = TypedTime::parse(field_->text()).has_value();
    const QString why = valid ? QString() : labels_.getString(TypedTime::INVALID_KEY);
    // A style sheet on this one short-lived field only: the red frame says "not a time".
    field_->setStyleSheet(valid ? QString()
                                : QStringLiteral("QLineEdit { border: 2px solid #d42b32; }"));
    field_->setToolTip(why);
    field_->setAccessibleDescription(why);
}

void TimeEntry::commit()
{
    const std::optional<QTime> wall = TypedTime::parse(field_->text());
    if (!wall) {
        check();
        QToolTip::showText(field_->mapToGlobal(QPoint(0, field_->height())), field_->toolTip(),
                           field_);
        return;
    }
    // From the shown minute: a clock that shows 9:00 and is told 9:00 stays there.
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QDateTime target =
        TypedTime::nextOccurrence(*wall, clock_->zone(), moment_.shownMinute(now));
    close();
    moment_.moveTo(target, now);
}

void TimeEntry::close()
{
    if (field_ != nullptr) {
        QWidget* panel = field_->parentWidget();
        const bool hadFocus = field_->hasFocus();
        field_->removeEventFilter(this);
        field_->hide();
        field_->deleteLater();
        field_ = nullptr;
        if (hadFocus && panel != nullptr) {
            panel->setFocus(Qt::OtherFocusReason);
        }
    }
    clock_ = nullptr;
}

} // namespace vantor
